// The bounded wide-text helpers every report and line goes through:
//   * wtext_format against the C library's swprintf on the same format and
//     argument (random flags, width, precision, length modifier, conversion):
//     the text must be the reference cut to capacity - 1 units, the count the
//     reference length when it fits and -1 otherwise, guards untouched;
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

enum class Argument { none, integer, long_integer, long_long, unsigned_integer, unsigned_long,
                      unsigned_long_long, character, real, wide_text, narrow_text };

struct Conversion {
    wchar_t letter;
    const wchar_t* modifier;
    Argument argument;
};

const Conversion kConversions[] = {
    // letter  modifier  argument
    {L'd',     L"",      Argument::integer},
    {L'i',     L"l",     Argument::long_integer},
    {L'd',     L"ll",    Argument::long_long},
    {L'd',     L"h",     Argument::integer},
    {L'u',     L"hh",    Argument::unsigned_integer},
    {L'u',     L"",      Argument::unsigned_integer},
    {L'x',     L"l",     Argument::unsigned_long},
    {L'X',     L"ll",    Argument::unsigned_long_long},
    {L'x',     L"",      Argument::unsigned_integer},
    {L'c',     L"",      Argument::character},
    {L'f',     L"",      Argument::real},
    {L'F',     L"",      Argument::real},
    {L'e',     L"",      Argument::real},
    {L'E',     L"",      Argument::real},
    {L'g',     L"",      Argument::real},
    {L'G',     L"",      Argument::real},
    {L's',     L"l",     Argument::wide_text},
    {L's',     L"",      Argument::narrow_text},
    {L'%',     L"",      Argument::none},
};
constexpr int32_t kConversionCount = static_cast<int32_t>(sizeof kConversions / sizeof kConversions[0]);

const wchar_t kFlags[] = {L'-', L'0', L'+', L' ', L'#'};

template <typename... Args>
int32_t both(wchar_t* out, int32_t capacity, wchar_t* reference, const wchar_t* format,
             int32_t* reference_count, Args... args) {
    *reference_count = std::swprintf(reference, 4096, format, args...);
    return wtext_format(out, capacity, format, args...);
}

void check_format(FuzzBytes* in) {
    const Conversion& conversion = kConversions[take_u8(in) % kConversionCount];
    std::wstring format = L"<%";
    // Only the combinations the C standard defines: "#" for x, X and the
    // floating forms, "0" for numbers, "+" and " " for signed conversions, no
    // precision for "%c", nothing at all for "%%".
    const wchar_t letter = conversion.letter;
    const bool is_real = std::wcschr(L"fFeEgG", letter) != nullptr;
    const bool is_signed = is_real || letter == L'd' || letter == L'i';
    const bool is_number = is_signed || std::wcschr(L"uxX", letter) != nullptr;
    const bool allowed[5] = {letter != L'%', is_number, is_signed, is_signed,
                             is_real || letter == L'x' || letter == L'X'};
    const uint8_t flags = take_u8(in);
    for (int32_t i = 0; i < 5; ++i) {
        if ((flags & (1u << i)) && allowed[i]) format += kFlags[i];
    }
    const uint8_t width_kind = letter == L'%' ? 0 : take_u8(in) % 3;  // none, digits, "*"
    const int32_t width = static_cast<int32_t>(take_u8(in) % 48) - (width_kind == 2 ? 24 : 0);
    if (width_kind == 1) format += std::to_wstring(width < 0 ? -width : width);
    if (width_kind == 2) format += L'*';
    const uint8_t precision_kind =
        letter == L'%' || letter == L'c' ? 0 : take_u8(in) % 4;  // none, ".", ".digits", ".*"
    const int32_t precision = static_cast<int32_t>(take_u8(in) % 40) - (precision_kind == 3 ? 8 : 0);
    if (precision_kind == 1) format += L'.';
    if (precision_kind == 2) format += L"." + std::to_wstring(precision);
    if (precision_kind == 3) format += L".*";
    format += conversion.modifier;
    format += conversion.letter;
    format += L">";

    wchar_t wide_argument[32];
    char narrow_argument[32];
    const int32_t text_length = take_u8(in) % 31;
    for (int32_t i = 0; i < text_length; ++i) {
        uint8_t byte = take_u8(in);
        narrow_argument[i] = static_cast<char>(0x20 + byte % 0x5F);  // printable ASCII
        wide_argument[i] = byte < 128 ? static_cast<wchar_t>(0x20 + byte % 0x5F)
                                      : static_cast<wchar_t>(0x4E00 + byte);
    }
    wide_argument[text_length] = 0;
    narrow_argument[text_length] = 0;
    const uint64_t bits = take_u64(in);
    const double real = take_value(in);
    const int32_t character = 0x20 + take_u8(in) % 0x5F;

    GuardedBuffer out(take_u8(in) < 128 ? 512 : 1 + take_u8(in));
    wchar_t reference[4096];
    int32_t reference_count = -1;
    int32_t count = 0;
    const wchar_t* f = format.c_str();
    // "*" width and precision come first, as ints, in the order they appear.
    auto with_stars = [&](auto value) {
        if (width_kind == 2 && precision_kind == 3)
            return both(out.data(), out.capacity, reference, f, &reference_count, width, precision,
                        value);
        if (width_kind == 2)
            return both(out.data(), out.capacity, reference, f, &reference_count, width, value);
        if (precision_kind == 3)
            return both(out.data(), out.capacity, reference, f, &reference_count, precision, value);
        return both(out.data(), out.capacity, reference, f, &reference_count, value);
    };
    switch (conversion.argument) {
        case Argument::none: count = with_stars(0); break;
        case Argument::integer: count = with_stars(static_cast<int>(bits)); break;
        case Argument::long_integer: count = with_stars(static_cast<long>(bits)); break;
        case Argument::long_long: count = with_stars(static_cast<long long>(bits)); break;
        case Argument::unsigned_integer: count = with_stars(static_cast<unsigned>(bits)); break;
        case Argument::unsigned_long: count = with_stars(static_cast<unsigned long>(bits)); break;
        case Argument::unsigned_long_long:
            count = with_stars(static_cast<unsigned long long>(bits));
            break;
        case Argument::character: count = with_stars(character); break;
        case Argument::real: count = with_stars(real); break;
        case Argument::wide_text: count = with_stars(static_cast<const wchar_t*>(wide_argument)); break;
        case Argument::narrow_text:
            count = with_stars(static_cast<const char*>(narrow_argument));
            break;
    }
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
