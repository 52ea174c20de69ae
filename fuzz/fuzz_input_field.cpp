// The strict reading of an input field (read_input_value) on random texts of
// digits, signs, points, exponents, colons, blanks, full-width forms and the
// catalogue's units, against a reference written another way. Properties:
//   - a text is accepted exactly when, full-width forms mapped and blanks
//     trimmed, it is one decimal number (what strtod reads whole from the
//     characters 0-9 + - . e E alone), optionally followed by blanks and the
//     field's unit; or, for a time of day, H:MM or HH:MM;
//   - an accepted number has the value strtod gives its ASCII form, and is
//     finite; a refused text leaves the value as it was;
//   - an accepted time of day has hours 0 to 23 and minutes 0 to 59 and the
//     value hours + minutes / 60;
//   - a text of 128 units or more is refused, never read in part; nothing is
//     read past a field's terminator (the text sits in storage of exactly its
//     size), nor past the length given to parse_plain_number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "window/input_field.h"
#include "fuzz_support.h"

namespace {

// The units of the catalogue's inputs, none, and an empty one.
const wchar_t* const kUnits[] = {nullptr, L"",   L"h",   L"人",   L"天",   L"号",    L"床",
                                 L"ml",   L"时", L"次", L"小时", L"天后", L"滴/分", L"滴/ml",
                                 L"医嘱单位"};
constexpr int32_t kUnitCount = static_cast<int32_t>(sizeof kUnits / sizeof kUnits[0]);

// The pieces texts are made of: what a number, a clock time and a unit are
// made of, in ASCII and full-width forms, the blanks, and near misses.
const wchar_t kPieces[] = {
    L'0', L'1', L'2', L'3', L'5', L'9', L'+', L'-', L'.', L'e', L'E', L':', L' ', L'\t',
    L'\r', L'\n', L'\v', L'\f', 0x00A0, 0x3000, 0xFF10, 0xFF11, 0xFF19, 0xFF0B, 0xFF0D, 0xFF0E,
    0x3002, 0xFF61, 0xFF25, 0xFF45, 0xFF1A, L'h', L'H', 0xFF48, 0xFF28, L'm', L'l', L'M',
    0xFF4D, 0xFF4C, 0xFF0F, L'/', L'人', L'天', L'号', L'床', L'时', L'次', L'小', L'后',
    L'滴', L'分', L'医', L'嘱', L'单', L'位', L'x', L'X', L'i', L'n', L'f', L'a', L',', L'_',
    0x2009, 0x0085, 0xFEFF, L'd', L'p', 0xFF0C};
constexpr int32_t kPieceCount = static_cast<int32_t>(sizeof kPieces / sizeof kPieces[0]);

// The reference, written apart from the reader: a table of mapped forms.
wchar_t mapped(wchar_t c) {
    struct Pair {
        wchar_t from, to;
    };
    static const Pair kMap[] = {{0xFF0B, L'+'}, {0xFF0D, L'-'}, {0xFF0E, L'.'}, {0x3002, L'.'},
                                {0xFF61, L'.'}, {0xFF25, L'E'}, {0xFF45, L'e'}, {0x3000, L' '}};
    if (c >= 0xFF10 && c <= 0xFF19) return static_cast<wchar_t>(c - 0xFF10 + L'0');
    for (const Pair& pair : kMap) {
        if (pair.from == c) return pair.to;
    }
    return c;
}

bool blank(wchar_t c) {
    return std::wcschr(L" \t\r\n\v\f\x00A0\x3000", c) != nullptr && c != 0;
}

wchar_t folded(wchar_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<wchar_t>(c - 0xFEE0);
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

// One decimal number: only the characters strtod reads in decimal notation, all
// of them read by it, and a finite value.
bool reference_number(const std::wstring& text, double* value) {
    if (text.empty()) return false;
    std::string narrow;
    for (wchar_t c : text) {
        if (c > 0x7F || std::strchr("0123456789+-.eE", static_cast<char>(c)) == nullptr || c == 0) {
            return false;
        }
        narrow.push_back(static_cast<char>(c));
    }
    char* end = nullptr;
    const double converted = std::strtod(narrow.c_str(), &end);
    if (end != narrow.c_str() + narrow.size() || !std::isfinite(converted)) return false;
    *value = converted;
    return true;
}

bool reference_unit(const std::wstring& text, const wchar_t* unit) {
    if (text.empty()) return true;
    if (unit == nullptr || text.size() != std::wcslen(unit)) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (folded(text[i]) != folded(unit[i])) return false;
    }
    return true;
}

// The clock time "H:MM" or "HH:MM" (colon ASCII or full-width); -1 when the
// text is not one.
int32_t reference_minutes(const std::wstring& text) {
    const size_t colon = text.find_first_of(L":\xFF1A");
    if (colon != text.size() - 3 || (colon != 1 && colon != 2)) return -1;
    int32_t hour = 0;
    for (size_t i = 0; i < colon; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return -1;
        hour = hour * 10 + (text[i] - L'0');
    }
    if (text[colon + 1] < L'0' || text[colon + 1] > L'5' || text[colon + 2] < L'0' ||
        text[colon + 2] > L'9' || hour > 23) {
        return -1;
    }
    return hour * 60 + (text[colon + 1] - L'0') * 10 + (text[colon + 2] - L'0');
}

// The reference reading: accepted, and the value when accepted.
bool reference_read(const ToolInput& input, const std::wstring& field, double* value) {
    if (field.size() >= static_cast<size_t>(kInputTextCapacity)) return false;
    std::wstring text;
    for (wchar_t c : field) text.push_back(mapped(c));
    size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    text = text.substr(begin, end - begin);
    if (input.form == InputForm::time_of_day) {
        const int32_t minutes = reference_minutes(text);
        if (minutes >= 0) {
            *value = minutes / 60 + (minutes % 60) / 60.0;
            return true;
        }
    }
    // Every split into a number, blanks and the unit; the catalogue's units
    // start with no character of a number, so at most one split is read.
    for (size_t split = text.size(); split > 0; --split) {
        size_t unit_begin = split;
        while (unit_begin < text.size() && blank(text[unit_begin])) ++unit_begin;
        if (reference_unit(text.substr(unit_begin), input.unit) &&
            reference_number(text.substr(0, split), value)) {
            return true;
        }
    }
    return false;
}

// A text of pieces: a byte below 240 is a piece, 240 to 251 repeats the next
// piece 8 to 140 times, 252 and up is the raw unit of the next two bytes.
std::wstring take_field(FuzzBytes* in) {
    std::wstring text;
    while (fuzz_remaining(*in) > 0 && text.size() < 300) {
        const uint8_t selector = take_u8(in);
        if (selector < 240) {
            text.push_back(kPieces[selector % kPieceCount]);
        } else if (selector < 252) {
            const int32_t count = 8 + (selector - 240) * 12;
            const wchar_t piece = kPieces[take_u8(in) % kPieceCount];
            text.append(static_cast<size_t>(count), piece);
        } else {
            const wchar_t unit = static_cast<wchar_t>(take_u8(in) << 8 | take_u8(in));
            if (unit != 0) text.push_back(unit);
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    const uint8_t shape = take_u8(&in);
    ToolInput input = {"x", L"", kUnits[(shape >> 1) % kUnitCount], 0.0,
                       shape & 1 ? InputForm::time_of_day : InputForm::number};
    const std::wstring field = take_field(&in);

    // Exactly sized: a read past the terminator is a heap overflow.
    std::vector<wchar_t> stored(field.begin(), field.end());
    stored.push_back(0);
    stored.shrink_to_fit();
    const double kUntouched = -12345.678;
    double value = kUntouched;
    const bool accepted = read_input_value(input, stored.data(), &value);

    double expected = kUntouched;
    const bool expected_accepted = reference_read(input, field, &expected);
    if (accepted != expected_accepted) {
        std::fprintf(stderr, "accepted %d, reference %d, unit %ls, form %d, text:", accepted,
                     expected_accepted, input.unit ? input.unit : L"(none)",
                     static_cast<int>(input.form));
        for (wchar_t c : field) std::fprintf(stderr, " %04X", static_cast<unsigned>(c));
        std::fprintf(stderr, "\n");
    }
    FUZZ_CHECK(accepted == expected_accepted);
    if (accepted) {
        FUZZ_CHECK(std::isfinite(value));
        FUZZ_CHECK(std::memcmp(&value, &expected, sizeof value) == 0);
        FUZZ_CHECK(field.size() < static_cast<size_t>(kInputTextCapacity));
    } else {
        FUZZ_CHECK(std::memcmp(&value, &kUntouched, sizeof value) == 0);
    }
    if (accepted && input.form == InputForm::time_of_day && field.find_first_of(L":\xFF1A") != std::wstring::npos) {
        // A clock time: whole minutes of a day.
        const double minutes = value * 60.0;
        FUZZ_CHECK(value >= 0.0 && value < 24.0);
        FUZZ_CHECK(std::fabs(minutes - std::round(minutes)) < 1e-6);
    }

    // parse_plain_number reads the given length and no further: the text
    // without terminator, in storage of exactly that size.
    if (!field.empty()) {
        std::vector<wchar_t> bare(field.begin(), field.end());
        for (wchar_t& c : bare) c = mapped(c);
        bare.shrink_to_fit();
        double plain = kUntouched;
        const bool plain_accepted =
            parse_plain_number(bare.data(), static_cast<int32_t>(bare.size()), &plain);
        double plain_expected = kUntouched;
        const bool plain_expected_accepted =
            bare.size() < static_cast<size_t>(kInputTextCapacity) &&
            reference_number(std::wstring(bare.begin(), bare.end()), &plain_expected);
        FUZZ_CHECK(plain_accepted == plain_expected_accepted);
        FUZZ_CHECK(std::memcmp(&plain, &plain_expected, sizeof plain) == 0);
    }
    return 0;
}
