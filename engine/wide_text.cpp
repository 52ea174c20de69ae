#include "wide_text.h"

#include <cstdio>

int32_t wtext_length(const wchar_t* text) {
    if (text == nullptr) return 0;
    int32_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

void wtext_copy(wchar_t* buffer, int32_t capacity, const wchar_t* source) {
    if (capacity < 1) return;
    buffer[0] = 0;
    wtext_append(buffer, capacity, source);
}

void wtext_append_n(wchar_t* buffer, int32_t capacity, const wchar_t* source, int32_t count) {
    if (capacity < 1 || source == nullptr) return;
    int32_t length = wtext_length(buffer);
    if (length >= capacity - 1) return;
    int32_t room = capacity - 1 - length;
    int32_t i = 0;
    while (i < count && i < room && source[i] != 0) {
        buffer[length + i] = source[i];
        ++i;
    }
    buffer[length + i] = 0;
}

void wtext_append(wchar_t* buffer, int32_t capacity, const wchar_t* source) {
    wtext_append_n(buffer, capacity, source, INT32_MAX);
}

namespace {

// Output cursor of the formatter: writes while there is room, remembers whether
// anything was cut.
struct FormatWriter {
    wchar_t* buffer;
    int32_t capacity;
    int32_t length;
    bool fits;
};

void put_unit(FormatWriter* w, wchar_t unit) {
    if (w->length < w->capacity - 1) {
        w->buffer[w->length++] = unit;
    } else {
        w->fits = false;
    }
}

void put_padding(FormatWriter* w, int32_t count, wchar_t pad) {
    for (int32_t i = 0; i < count; ++i) put_unit(w, pad);
}

struct FormatSpec {
    bool left;        // "-"
    bool zero;        // "0"
    bool plus;        // "+"
    bool space;       // " "
    bool alternate;   // "#"
    int32_t width;    // -1: none
    int32_t precision;  // -1: none
    int32_t longs;    // number of "l"
    int32_t shorts;   // number of "h"
    wchar_t conversion;
};

// Rebuilds the conversion as a narrow printf format for one number.
void narrow_spec(const FormatSpec& spec, const char* length, char* out, int32_t capacity) {
    char flags[8];
    int32_t n = 0;
    if (spec.left) flags[n++] = '-';
    if (spec.zero) flags[n++] = '0';
    if (spec.plus) flags[n++] = '+';
    if (spec.space) flags[n++] = ' ';
    if (spec.alternate) flags[n++] = '#';
    flags[n] = 0;
    char width[16] = "";
    char precision[16] = "";
    if (spec.width >= 0) std::snprintf(width, sizeof width, "%d", spec.width);
    if (spec.precision >= 0) std::snprintf(precision, sizeof precision, ".%d", spec.precision);
    std::snprintf(out, static_cast<size_t>(capacity), "%%%s%s%s%s%c", flags, width, precision,
                  length, static_cast<char>(spec.conversion));
}

const char* short_length(const FormatSpec& spec) {
    return spec.shorts >= 2 ? "hh" : (spec.shorts == 1 ? "h" : "");
}

void put_ascii(FormatWriter* w, const char* text) {
    for (int32_t i = 0; text[i] != 0; ++i) {
        put_unit(w, static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
    }
}

// A string argument with width and precision (precision limits the units taken).
template <typename Char>
void put_string(FormatWriter* w, const FormatSpec& spec, const Char* text) {
    static const Char null_text[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
    if (text == nullptr) text = null_text;
    int32_t length = 0;
    while (text[length] != 0 && (spec.precision < 0 || length < spec.precision)) ++length;
    int32_t pad = spec.width > length ? spec.width - length : 0;
    if (!spec.left) put_padding(w, pad, L' ');
    for (int32_t i = 0; i < length; ++i) {
        put_unit(w, static_cast<wchar_t>(text[i]));
    }
    if (spec.left) put_padding(w, pad, L' ');
}

// Numbers are printed by the C library's narrow formatter into a scratch of
// this size (cut there), then widened.
constexpr int32_t kNumberScratch = 512;

}  // namespace

int32_t wtext_vformat(wchar_t* buffer, int32_t capacity, const wchar_t* format, va_list args) {
    if (capacity < 1) return -1;
    FormatWriter w{buffer, capacity, 0, true};
    buffer[0] = 0;
    if (format == nullptr) return 0;
    const wchar_t* p = format;
    while (*p != 0) {
        if (*p != L'%') {
            put_unit(&w, *p++);
            continue;
        }
        const wchar_t* spec_start = p;
        ++p;
        FormatSpec spec{false, false, false, false, false, -1, -1, 0, 0, 0};
        for (;; ++p) {
            if (*p == L'-') spec.left = true;
            else if (*p == L'0') spec.zero = true;
            else if (*p == L'+') spec.plus = true;
            else if (*p == L' ') spec.space = true;
            else if (*p == L'#') spec.alternate = true;
            else break;
        }
        if (*p == L'*') {
            spec.width = va_arg(args, int);
            if (spec.width < 0) {
                spec.left = true;
                spec.width = spec.width == INT32_MIN ? INT32_MAX : -spec.width;
            }
            ++p;
        } else {
            while (*p >= L'0' && *p <= L'9') {
                int32_t digit = static_cast<int32_t>(*p - L'0');
                spec.width = (spec.width < 0 ? 0 : spec.width);
                spec.width = spec.width > 100000 ? spec.width : spec.width * 10 + digit;
                ++p;
            }
        }
        if (*p == L'.') {
            ++p;
            spec.precision = 0;
            if (*p == L'*') {
                spec.precision = va_arg(args, int);
                if (spec.precision < 0) spec.precision = -1;
                ++p;
            } else {
                while (*p >= L'0' && *p <= L'9') {
                    int32_t digit = static_cast<int32_t>(*p - L'0');
                    spec.precision =
                        spec.precision > 100000 ? spec.precision : spec.precision * 10 + digit;
                    ++p;
                }
            }
        }
        // Widths and precisions this large only come from a faulty format; keep
        // the narrow formatter's own limits out of reach.
        if (spec.width > 4096) spec.width = 4096;
        if (spec.precision > 4096) spec.precision = 4096;
        while (*p == L'l' || *p == L'h') {
            if (*p == L'l') ++spec.longs;
            else ++spec.shorts;
            ++p;
        }
        spec.conversion = *p;
        if (*p != 0) ++p;
        char narrow[48];
        char number[kNumberScratch];
        switch (spec.conversion) {
            case L'%':
                put_unit(&w, L'%');
                break;
            case L'c': {
                int value = va_arg(args, int);
                int32_t pad = spec.width > 1 ? spec.width - 1 : 0;
                if (!spec.left) put_padding(&w, pad, L' ');
                put_unit(&w, static_cast<wchar_t>(value));
                if (spec.left) put_padding(&w, pad, L' ');
                break;
            }
            case L's':
                if (spec.longs > 0) {
                    put_string(&w, spec, va_arg(args, const wchar_t*));
                } else {
                    put_string(&w, spec, va_arg(args, const char*));
                }
                break;
            case L'd':
            case L'i':
                if (spec.longs >= 2) {
                    narrow_spec(spec, "ll", narrow, sizeof narrow);
                    std::snprintf(number, sizeof number, narrow, va_arg(args, long long));
                } else if (spec.longs == 1) {
                    narrow_spec(spec, "l", narrow, sizeof narrow);
                    std::snprintf(number, sizeof number, narrow, va_arg(args, long));
                } else {
                    // "h" and "hh" narrow the promoted int as printf does.
                    narrow_spec(spec, short_length(spec), narrow, sizeof narrow);
                    std::snprintf(number, sizeof number, narrow, va_arg(args, int));
                }
                put_ascii(&w, number);
                break;
            case L'u':
            case L'x':
            case L'X':
                if (spec.longs >= 2) {
                    narrow_spec(spec, "ll", narrow, sizeof narrow);
                    std::snprintf(number, sizeof number, narrow, va_arg(args, unsigned long long));
                } else if (spec.longs == 1) {
                    narrow_spec(spec, "l", narrow, sizeof narrow);
                    std::snprintf(number, sizeof number, narrow, va_arg(args, unsigned long));
                } else {
                    narrow_spec(spec, short_length(spec), narrow, sizeof narrow);
                    std::snprintf(number, sizeof number, narrow, va_arg(args, unsigned int));
                }
                put_ascii(&w, number);
                break;
            case L'f':
            case L'F':
            case L'e':
            case L'E':
            case L'g':
            case L'G':
                narrow_spec(spec, "", narrow, sizeof narrow);
                std::snprintf(number, sizeof number, narrow, va_arg(args, double));
                put_ascii(&w, number);
                break;
            default:
                // Not a conversion this formatter knows: the text stands as written.
                for (const wchar_t* q = spec_start; q < p; ++q) put_unit(&w, *q);
                break;
        }
    }
    buffer[w.length] = 0;
    return w.fits ? w.length : -1;
}

int32_t wtext_format(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    int32_t result = wtext_vformat(buffer, capacity, format, args);
    va_end(args);
    return result;
}

int32_t ctext_format(char* buffer, int32_t capacity, const char* format, ...) {
    if (capacity < 1) return -1;
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(buffer, static_cast<size_t>(capacity), format, args);
    va_end(args);
    if (written < 0) {
        buffer[0] = 0;
        return -1;
    }
    return written < capacity ? written : -1;
}

namespace {

bool put_byte(char* out, int32_t capacity, int32_t* length, uint32_t byte) {
    if (*length >= capacity) return false;
    out[(*length)++] = static_cast<char>(static_cast<unsigned char>(byte));
    return true;
}

}  // namespace

int32_t utf8_from_wide(const wchar_t* text, char* out, int32_t out_capacity) {
    if (out_capacity < 1) return 0;
    int32_t length = 0;
    const wchar_t* p = text != nullptr ? text : L"";
    for (;;) {
        uint32_t code = static_cast<uint32_t>(*p);
        if (sizeof(wchar_t) == 2) code &= 0xFFFFu;
        ++p;
        if (code >= 0xD800 && code <= 0xDBFF) {
            uint32_t low = static_cast<uint32_t>(*p);
            if (sizeof(wchar_t) == 2) low &= 0xFFFFu;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++p;
            } else {
                code = 0xFFFD;
            }
        } else if ((code >= 0xDC00 && code <= 0xDFFF) || code > 0x10FFFF) {
            code = 0xFFFD;
        }
        bool ok;
        if (code < 0x80) {
            ok = put_byte(out, out_capacity, &length, code);
        } else if (code < 0x800) {
            ok = put_byte(out, out_capacity, &length, 0xC0 | (code >> 6)) &&
                 put_byte(out, out_capacity, &length, 0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            ok = put_byte(out, out_capacity, &length, 0xE0 | (code >> 12)) &&
                 put_byte(out, out_capacity, &length, 0x80 | ((code >> 6) & 0x3F)) &&
                 put_byte(out, out_capacity, &length, 0x80 | (code & 0x3F));
        } else {
            ok = put_byte(out, out_capacity, &length, 0xF0 | (code >> 18)) &&
                 put_byte(out, out_capacity, &length, 0x80 | ((code >> 12) & 0x3F)) &&
                 put_byte(out, out_capacity, &length, 0x80 | ((code >> 6) & 0x3F)) &&
                 put_byte(out, out_capacity, &length, 0x80 | (code & 0x3F));
        }
        if (!ok) {
            out[0] = 0;
            return 0;
        }
        if (code == 0) return length;
    }
}
