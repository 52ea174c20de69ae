// The command-line reader on random wide text (UTF-16 units) and capacities.
// Properties: guards untouched, the path terminated within its capacity, a
// non-empty path exactly for the self-test, the window for a line without "-"
// or "/", and the path a prefix of the same path read with the usual capacity
// of 520.
#include <cstdint>
#include <cwchar>
#include <vector>

#include "app/command_line.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    const uint8_t selector = take_u8(&in);
    const int32_t capacity = selector < 64    ? kSelftestPathCapacity
                             : selector < 128 ? 1 + selector % 16
                                              : 1 + static_cast<int32_t>(take_u8(&in)) * 3;

    // Two bytes per unit; ASCII bytes paired with 0 stay readable for the
    // dictionary ("--selftest", quotes, blanks).
    std::vector<wchar_t> line;
    while (fuzz_remaining(in) > 0) {
        uint8_t low = take_u8(&in);
        uint8_t high = low < 0x80 ? 0 : take_u8(&in);
        wchar_t unit = static_cast<wchar_t>(high << 8 | low);
        if (unit == 0) break;
        line.push_back(unit);
    }
    line.push_back(0);
    line.shrink_to_fit();

    GuardedBuffer path(capacity);
    const StartMode mode = read_start_mode(line.data(), path.data(), path.capacity);
    FUZZ_CHECK(path.sound());
    const bool selftest = mode == StartMode::selftest;
    if (!selftest) FUZZ_CHECK(path.data()[0] == 0);
    if (selftest && capacity >= 2) FUZZ_CHECK(path.data()[0] != 0);
    if (std::wcschr(line.data(), L'-') == nullptr && std::wcschr(line.data(), L'/') == nullptr) {
        FUZZ_CHECK(mode == StartMode::window);
    }

    GuardedBuffer whole(kSelftestPathCapacity);
    FUZZ_CHECK(read_start_mode(line.data(), whole.data(), whole.capacity) == mode);
    FUZZ_CHECK(whole.sound());
    const int32_t length = path.length();
    const int32_t whole_length = whole.length();
    if (capacity <= kSelftestPathCapacity) FUZZ_CHECK(length <= whole_length);
    const int32_t common = length < whole_length ? length : whole_length;
    FUZZ_CHECK(std::wmemcmp(path.data(), whole.data(), static_cast<size_t>(common)) == 0);
    if (selftest) FUZZ_CHECK(whole.length() <= kSelftestPathCapacity - 1);
    return 0;
}
