#include "command_text.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "../engine/wide_text.h"

namespace {

// ---- Number conversion ----------------------------------------------------

// The longest numeric text handed to strtod: an input field holds at most 127
// units, and a numeric prefix with its sign is never longer than the field.
constexpr int32_t kNumberTextCapacity = kInputTextCapacity + 1;

bool is_classic_space(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }
bool is_decimal_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool is_hex_digit(wchar_t c) {
    return is_decimal_digit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}
wchar_t ascii_lower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// True when `text` starts with the lower-case ASCII `word`, ignoring case.
bool starts_with_word(const wchar_t* text, const char* word) {
    for (int32_t i = 0; word[i] != 0; ++i) {
        if (ascii_lower(text[i]) != static_cast<wchar_t>(word[i])) return false;
    }
    return true;
}

// Length of an exponent part ("e+12", "p-3") at `text`, or 0 when the marker is
// not followed by at least one digit (then it is not part of the number).
int32_t exponent_length(const wchar_t* text, wchar_t marker) {
    if (ascii_lower(text[0]) != marker) return 0;
    int32_t i = 1;
    if (text[i] == L'+' || text[i] == L'-') ++i;
    if (!is_decimal_digit(text[i])) return 0;
    while (is_decimal_digit(text[i])) ++i;
    return i;
}

// Length of the decimal subject sequence at `text` (after the sign), 0 if none.
int32_t decimal_length(const wchar_t* text) {
    int32_t i = 0;
    int32_t digits = 0;
    while (is_decimal_digit(text[i])) ++i, ++digits;
    if (text[i] == L'.') {
        ++i;
        while (is_decimal_digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    return i + exponent_length(text + i, L'e');
}

// Length of the hexadecimal subject sequence at `text`, which starts with "0x"
// or "0X". Without a hex digit after it only the "0" is a number.
int32_t hexadecimal_length(const wchar_t* text) {
    int32_t i = 2;
    int32_t digits = 0;
    while (is_hex_digit(text[i])) ++i, ++digits;
    if (text[i] == L'.') {
        ++i;
        while (is_hex_digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 1;
    return i + exponent_length(text + i, L'p');
}

}  // namespace

void map_full_width_forms(wchar_t* text) {
    for (wchar_t* p = text; *p != 0; ++p) {
        const wchar_t c = *p;
        if (c >= 0xFF10 && c <= 0xFF19) {
            *p = static_cast<wchar_t>(L'0' + (c - 0xFF10));
        } else if (c == 0xFF0B) {
            *p = L'+';
        } else if (c == 0xFF0D) {
            *p = L'-';
        } else if (c == 0xFF0E) {
            *p = L'.';
        } else if (c == 0xFF25) {
            *p = L'E';
        } else if (c == 0xFF45) {
            *p = L'e';
        } else if (c == 0x3000) {
            *p = L' ';
        }
    }
}

double convert_number_prefix(const wchar_t* text) {
    const wchar_t* p = text;
    while (is_classic_space(*p)) ++p;
    const bool negative = *p == L'-';
    const wchar_t* subject = (*p == L'+' || *p == L'-') ? p + 1 : p;

    if (starts_with_word(subject, "inf")) {
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    if (starts_with_word(subject, "nan")) return std::numeric_limits<double>::quiet_NaN();

    const bool hexadecimal = subject[0] == L'0' && ascii_lower(subject[1]) == L'x';
    const int32_t length = hexadecimal ? hexadecimal_length(subject) : decimal_length(subject);
    if (length == 0) return 0.0;

    // The subject is ASCII by construction; strtod converts it with correct
    // rounding and gives HUGE_VAL (infinity) when it is out of range.
    char number[kNumberTextCapacity];
    int32_t n = 0;
    if (negative) number[n++] = '-';
    for (int32_t i = 0; i < length && n < kNumberTextCapacity - 1; ++i) {
        number[n++] = static_cast<char>(subject[i]);
    }
    number[n] = 0;
    return std::strtod(number, nullptr);
}

bool read_input_value(const wchar_t* field_text, double* value) {
    wchar_t text[kInputTextCapacity];
    wtext_copy(text, kInputTextCapacity, field_text);
    map_full_width_forms(text);
    const wchar_t* p = text;
    while (*p == L' ') ++p;
    *value = *p == 0 ? 0.0 : convert_number_prefix(p);
    return std::isfinite(*value);
}

void format_default_value(double value, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"%.6g", value);
}

void build_subtitle(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"%ls  ·  %ls", tool.category ? tool.category : L"",
                 tool.description ? tool.description : L"");
}

void build_reference_text(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"参考依据：%ls", tool.reference ? tool.reference : L"");
}

void build_input_error_message(const ToolDef& tool, int32_t index, wchar_t* out,
                               int32_t capacity) {
    const wchar_t* label = (index >= 0 && index < tool.input_count) ? tool.inputs[index].label
                                                                     : nullptr;
    wtext_format(out, capacity, L"第 %d 项“%ls”请输入数字。", index + 1, label ? label : L"");
}

void build_summary(const ToolDef& tool, const wchar_t* report, const wchar_t* verdict,
                   wchar_t* out, int32_t capacity) {
    if (tool.custom_report_kind == 0) {
        wtext_format(out, capacity, L"%ls—— %ls", report, verdict);
    } else {
        wtext_copy(out, capacity, report);
    }
}

void build_calculate_status(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"计算完成  %ls", tool.name);
}

void build_about_text(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity,
                 L"%ls\r\n"
                 L"\r\n"
                 L"分类：%ls\r\n"
                 L"参考依据：%ls\r\n"
                 L"\r\n"
                 L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
                 L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
                 L"\r\n"
                 L"版本 V" KINETORA_VERSION_TEXT L"    官网：%ls",
                 tool.name, tool.category ? tool.category : L"",
                 tool.reference ? tool.reference : L"", kPublisherHost);
}

void build_clipboard_text(const ToolDef& tool, const wchar_t* summary, wchar_t* out,
                          int32_t capacity) {
    wtext_format(out, capacity, L"%ls\r\n%ls", tool.name, summary);
}

int32_t clipboard_block_bytes(const ToolDef& tool, const wchar_t* summary) {
    return (wtext_length(summary) + wtext_length(tool.name)) * 2 + 32;
}
