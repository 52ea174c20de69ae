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

// `count` copies of `unit` (none when count <= 0); stops once the text is cut.
void put_repeated(FormatWriter* w, wchar_t unit, int32_t count) {
    for (int32_t i = 0; i < count && w->fits; ++i) put_unit(w, unit);
}

void put_ascii(FormatWriter* w, const char* text) {
    for (int32_t i = 0; text[i] != 0; ++i) {
        put_unit(w, static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
    }
}

void put_text(FormatWriter* w, const wchar_t* text) {
    if (text == nullptr) text = L"(null)";
    for (int32_t i = 0; text[i] != 0 && w->fits; ++i) put_unit(w, text[i]);
}

// ---------------------------------------------------------------------------
// Reading a conversion.

enum class Argument { none, int_number, long_long_number, real, wide_text, unit };

// The conversions the program's format strings use: the letters that end each,
// and whether a zero-padded width or a precision may stand before them.
struct ConversionForm {
    const wchar_t* letters;
    Argument argument;
    bool takes_width;      // "%05d": at least 5 units, zeros between sign and digits
    bool takes_precision;  // "%.2f": one digit, 0 to 9
};

const ConversionForm kConversionForms[] = {
    // letters  argument                    width  precision
    {L"d",      Argument::int_number,       true,  false},
    {L"lld",    Argument::long_long_number, true,  false},
    {L"f",      Argument::real,             false, true},
    {L"g",      Argument::real,             false, true},
    {L"ls",     Argument::wide_text,        false, false},
    {L"c",      Argument::unit,             false, false},
    {L"%",      Argument::none,             false, false},
};

// Widths stop growing here: no buffer is this large, and the count cannot overflow.
constexpr int32_t kWidthLimit = 100000;

struct Conversion {
    const ConversionForm* form;  // null: not a conversion this formatter writes
    int32_t width;               // 0: none
    int32_t precision;           // -1: the C library's default
    const wchar_t* next;         // the format behind the conversion
};

bool is_digit(wchar_t unit) { return unit >= L'0' && unit <= L'9'; }

bool starts_with(const wchar_t* text, const wchar_t* prefix) {
    int32_t i = 0;
    while (prefix[i] != 0 && text[i] == prefix[i]) ++i;
    return prefix[i] == 0;
}

// Reads the conversion that starts behind a "%".
Conversion read_conversion(const wchar_t* p) {
    Conversion c{nullptr, 0, -1, p};
    if (p[0] == L'0' && p[1] >= L'1' && p[1] <= L'9') {
        for (++p; is_digit(*p); ++p) {
            if (c.width < kWidthLimit) c.width = c.width * 10 + static_cast<int32_t>(*p - L'0');
        }
    }
    if (p[0] == L'.' && is_digit(p[1])) {
        c.precision = static_cast<int32_t>(p[1] - L'0');
        p += 2;
    }
    for (const ConversionForm& form : kConversionForms) {
        if (!starts_with(p, form.letters)) continue;
        if ((c.width == 0 || form.takes_width) && (c.precision < 0 || form.takes_precision)) {
            c.form = &form;
            c.next = p + wtext_length(form.letters);
        }
        break;  // no form's letters begin another's
    }
    return c;
}

// ---------------------------------------------------------------------------
// Writing a number.

// Decimal digits, "-" for negatives, zeros after the sign up to `width` units.
void write_integer(FormatWriter* w, long long value, int32_t width) {
    char digits[24];
    int32_t count = 0;
    unsigned long long magnitude = static_cast<unsigned long long>(value);
    if (value < 0) magnitude = 0ull - magnitude;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const int32_t sign = value < 0 ? 1 : 0;
    if (sign != 0) put_unit(w, L'-');
    put_repeated(w, L'0', width - sign - count);
    while (count > 0) put_unit(w, static_cast<wchar_t>(digits[--count]));
}

// The longest "%.9f" text: sign, 309 whole digits, point, 9 digits, terminator.
constexpr int32_t kRealTextBytes = 1 + 309 + 1 + 9 + 1;

// "%f" or "%g" through the C library, whose digits are the same on every
// platform. With one precision digit at most the text always fits the scratch.
void write_real(FormatWriter* w, double value, wchar_t letter, int32_t precision) {
    char format[5] = {'%', static_cast<char>(letter), 0, 0, 0};
    if (precision >= 0) {
        format[1] = '.';
        format[2] = static_cast<char>('0' + precision);
        format[3] = static_cast<char>(letter);
    }
    char text[kRealTextBytes];
    std::snprintf(text, sizeof text, format, value);
    put_ascii(w, text);
}

}  // namespace

int32_t wtext_vformat(wchar_t* buffer, int32_t capacity, const wchar_t* format, va_list args) {
    if (capacity < 1) return -1;
    FormatWriter w{buffer, capacity, 0, true};
    buffer[0] = 0;
    if (format == nullptr) return 0;
    for (const wchar_t* p = format; *p != 0;) {
        if (*p != L'%') {
            put_unit(&w, *p++);
            continue;
        }
        const Conversion c = read_conversion(p + 1);
        if (c.form == nullptr) {
            buffer[0] = 0;  // a fault of the format: nothing of it stands
            return -1;
        }
        p = c.next;
        switch (c.form->argument) {
            case Argument::none: put_unit(&w, L'%'); break;
            case Argument::int_number: write_integer(&w, va_arg(args, int), c.width); break;
            case Argument::long_long_number:
                write_integer(&w, va_arg(args, long long), c.width);
                break;
            case Argument::real:
                write_real(&w, va_arg(args, double), c.form->letters[0], c.precision);
                break;
            case Argument::wide_text: put_text(&w, va_arg(args, const wchar_t*)); break;
            case Argument::unit: put_unit(&w, static_cast<wchar_t>(va_arg(args, int))); break;
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

void mark_cut_text(wchar_t* text, int32_t capacity) {
    if (capacity < 1 || wtext_length(text) < capacity - 1) return;
    const int32_t marker_units = wtext_length(kCutMarkerLine) + 4;  // CR LF before and after
    int32_t keep = capacity - 1 - marker_units;
    if (keep < 0) return;
    // Back to the end of the last whole line, if one fits.
    int32_t line_end = keep;
    while (line_end > 0 && text[line_end - 1] != L'\n') --line_end;
    if (line_end > 0) {
        // Its line end comes back with the marker.
        keep = line_end - (line_end >= 2 && text[line_end - 2] == L'\r' ? 2 : 1);
    } else if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) {
        --keep;  // never keep half of a surrogate pair
    }
    text[keep] = 0;
    wtext_append(text, capacity, L"\r\n");
    wtext_append(text, capacity, kCutMarkerLine);
    wtext_append(text, capacity, L"\r\n");
}

bool has_cut_marker(const wchar_t* text) {
    if (text == nullptr) return false;
    const wchar_t* marker = kCutMarkerLine;
    const int32_t marker_units = wtext_length(marker);
    for (const wchar_t* p = text; *p != 0; ++p) {
        if (p[0] != L'\r' || p[1] != L'\n') continue;
        int32_t i = 0;
        while (i < marker_units && p[2 + i] == marker[i]) ++i;
        if (i == marker_units && p[2 + i] == L'\r' && p[3 + i] == L'\n') return true;
    }
    return false;
}
