// The bounded wide-text helpers every report and line goes through:
//   * wtext_format against the C library's swprintf on formats of two random
//     conversions of the set it writes (zero-padded width, precision, length,
//     conversion) and random arguments: the text must be the reference cut to
//     capacity - 1 units, the count the reference length when it fits and -1
//     otherwise, guards untouched;
//   * utf8_from_wide on random UTF-16 units (unpaired surrogates included):
//     guards untouched, the count within the capacity, valid UTF-8 that decodes
//     back to the input with U+FFFD for every unpaired surrogate;
//   * wtext_append_n under the bounded append rule.
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "engine/wide_text.h"
#include "fuzz_support.h"

namespace {

enum class Argument { none, integer, long_long, real, wide_text, character };

// The conversions wtext_format writes, and what may stand before their letters.
struct Conversion {
    const wchar_t* letters;
    Argument argument;
    bool takes_width;      // "%05d"
    bool takes_precision;  // "%.2f", one digit
};

const Conversion kConversions[] = {
    // letters  argument             width  precision
    {L"d",      Argument::integer,   true,  false},
    {L"lld",    Argument::long_long, true,  false},
    {L"f",      Argument::real,      false, true},
    {L"g",      Argument::real,      false, true},
    {L"ls",     Argument::wide_text, false, false},
    {L"c",      Argument::character, false, false},
    {L"%",      Argument::none,      false, false},
};
constexpr int32_t kConversionCount = static_cast<int32_t>(sizeof kConversions / sizeof kConversions[0]);

// Appends one random conversion to `format`; returns what it takes.
Argument append_conversion(FuzzBytes* in, std::wstring* format) {
    const Conversion& conversion = kConversions[take_u8(in) % kConversionCount];
    const uint8_t shape = take_u8(in);
    *format += L'%';
    if (conversion.takes_width && (shape & 1)) {
        // Mostly small; now and then wider than any buffer.
        const int32_t width = shape & 2 ? 1 + take_u8(in) % 40 : 1 + take_in_range(in, 0, 1200);
        *format += L'0' + std::to_wstring(width);
    }
    if (conversion.takes_precision && (shape & 4)) {
        *format += L'.';
        *format += static_cast<wchar_t>(L'0' + take_u8(in) % 10);
    }
    *format += conversion.letters;
    return conversion.argument;
}

// One argument of each kind, drawn from the fuzzer's bytes.
struct Arguments {
    int integer;
    long long long_long;
    double real;
    wchar_t text[32];
    int character;
};

void take_arguments(FuzzBytes* in, Arguments* a) {
    const uint64_t bits = take_u64(in);
    a->integer = static_cast<int>(static_cast<uint32_t>(bits));
    a->long_long = static_cast<long long>(bits);
    a->real = take_value(in);
    const int32_t text_length = take_u8(in) % 31;
    for (int32_t i = 0; i < text_length; ++i) {
        const uint8_t byte = take_u8(in);
        a->text[i] = byte < 128 ? static_cast<wchar_t>(0x20 + byte % 0x5F)  // printable ASCII
                                : static_cast<wchar_t>(0x4E00 + byte);
    }
    a->text[text_length] = 0;
    a->character = 0x20 + take_u8(in) % 0x5F;
}

// Calls `call` with `before...` and the argument of `kind` ("%%" takes none).
template <typename Call, typename... Before>
void with_argument(Argument kind, const Arguments& a, Call call, Before... before) {
    switch (kind) {
        case Argument::none: call(before...); break;
        case Argument::integer: call(before..., a.integer); break;
        case Argument::long_long: call(before..., a.long_long); break;
        case Argument::real: call(before..., a.real); break;
        case Argument::wide_text: call(before..., static_cast<const wchar_t*>(a.text)); break;
        case Argument::character: call(before..., a.character); break;
    }
}

void check_format(FuzzBytes* in) {
    std::wstring format = L"<";
    const Argument first = append_conversion(in, &format);
    format += L"|字";
    const Argument second = append_conversion(in, &format);
    format += L">";
    Arguments arguments;
    take_arguments(in, &arguments);
    GuardedBuffer out(take_u8(in) < 128 ? 512 : 1 + take_u8(in));
    wchar_t reference[4096];
    int32_t reference_count = -1;
    int32_t count = 0;
    const wchar_t* f = format.c_str();
    auto both = [&](auto... values) {
        reference_count = std::swprintf(reference, 4096, f, values...);
        count = wtext_format(out.data(), out.capacity, f, values...);
    };
    with_argument(first, arguments, [&](auto... value) {
        with_argument(second, arguments, both, value...);
    });
    FUZZ_CHECK(out.sound());
    if (reference_count < 0) return;  // the reference itself failed: nothing to compare
    const int32_t length = out.length();
    const int32_t expected = reference_count < out.capacity - 1 ? reference_count : out.capacity - 1;
    if (length != expected ||
        std::wmemcmp(out.data(), reference, static_cast<size_t>(length)) != 0) {
        std::fprintf(stderr, "format \"%ls\": got \"%ls\", reference \"%ls\"\n", f, out.data(),
                     reference);
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(count == (reference_count <= out.capacity - 1 ? reference_count : -1));
}

// Decodes UTF-8 (already checked to be well formed) into code points.
bool decode_utf8(const char* bytes, int32_t count, std::vector<uint32_t>* codes) {
    for (int32_t i = 0; i < count;) {
        const uint8_t lead = static_cast<uint8_t>(bytes[i]);
        int32_t extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        if (extra < 0 || i + extra >= count) return false;
        uint32_t code = extra == 0 ? lead : lead & (0x3Fu >> extra);
        for (int32_t k = 1; k <= extra; ++k) {
            const uint8_t next = static_cast<uint8_t>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        codes->push_back(code);
        i += extra + 1;
    }
    return true;
}

void check_utf8(FuzzBytes* in) {
    std::vector<wchar_t> text;
    const int32_t length = take_u8(in) % 64;
    for (int32_t i = 0; i < length; ++i) {
        const uint8_t selector = take_u8(in);
        wchar_t unit;
        if (selector < 64) unit = static_cast<wchar_t>(1 + selector);
        else if (selector < 128) unit = static_cast<wchar_t>(0x80 + selector * 13);
        else if (selector < 176) unit = static_cast<wchar_t>(0xD800 + (take_u8(in) & 3) * 0x100);  // high
        else if (selector < 224) unit = static_cast<wchar_t>(0xDC00 + take_u8(in));                // low
        else unit = static_cast<wchar_t>(0x4E00 + take_u8(in) * 37);
        text.push_back(unit);
    }
    text.push_back(0);

    // Expected code points: pairs joined, unpaired surrogates as U+FFFD.
    std::vector<uint32_t> expected;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const uint32_t unit = static_cast<uint32_t>(text[i]);
        const uint32_t next = static_cast<uint32_t>(text[i + 1]);
        if (unit >= 0xD800 && unit <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            expected.push_back(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            expected.push_back(0xFFFD);
        } else {
            expected.push_back(unit);
        }
    }
    expected.push_back(0);

    const int32_t capacity = take_u8(in) < 128 ? 1024 : 1 + take_u8(in);
    std::vector<char> out(static_cast<size_t>(capacity) + 32, '\x5A');
    const int32_t count = utf8_from_wide(text.data(), out.data() + 16, capacity);
    for (int32_t i = 0; i < 16; ++i) {
        FUZZ_CHECK(out[static_cast<size_t>(i)] == '\x5A');
        FUZZ_CHECK(out[static_cast<size_t>(capacity) + 16 + static_cast<size_t>(i)] == '\x5A');
    }
    FUZZ_CHECK(count >= 0 && count <= capacity);
    if (count == 0) return;  // did not fit
    std::vector<uint32_t> decoded;
    FUZZ_CHECK(decode_utf8(out.data() + 16, count, &decoded));
    FUZZ_CHECK(decoded == expected);
}

void check_append(FuzzBytes* in) {
    const int32_t capacity = 1 + take_u8(in) % 64;
    GuardedBuffer buffer(capacity);
    const int32_t start = take_u8(in) % capacity;  // current length below capacity
    for (int32_t i = 0; i < start; ++i) buffer.data()[i] = L'a';
    buffer.data()[start] = 0;
    wchar_t source[80];
    const int32_t source_length = take_u8(in) % 80;
    for (int32_t i = 0; i < source_length; ++i) source[i] = L'b';
    source[source_length < 79 ? source_length : 79] = 0;
    const int32_t count = static_cast<int32_t>(take_u8(in)) - 10;
    wtext_append_n(buffer.data(), buffer.capacity, source, count);
    FUZZ_CHECK(buffer.sound());
    const int32_t room = capacity - 1 - start;
    int32_t wanted = wtext_length(source);
    if (count < wanted) wanted = count < 0 ? 0 : count;
    FUZZ_CHECK(buffer.length() == start + (wanted < room ? wanted : room));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    switch (take_u8(&in) % 3) {
        case 0: check_format(&in); break;
        case 1: check_utf8(&in); break;
        default: check_append(&in); break;
    }
    return 0;
}
