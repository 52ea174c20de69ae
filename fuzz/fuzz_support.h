// Shared pieces of the fuzz targets: reading typed values from the fuzzer's
// bytes and the special values every numeric input is drawn from. Wide
// buffers with guard units come from the tests' GuardedBuffer.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/guarded_buffer.h"

// A cursor over the fuzzer's bytes. Reading past the end yields zeros, so every
// input decodes to something.
struct FuzzBytes {
    const uint8_t* data;
    size_t size;
    size_t position;
};

inline FuzzBytes fuzz_bytes(const uint8_t* data, size_t size) { return FuzzBytes{data, size, 0}; }

inline size_t fuzz_remaining(const FuzzBytes& in) { return in.size - in.position; }

inline uint8_t take_u8(FuzzBytes* in) {
    if (in->position >= in->size) return 0;
    return in->data[in->position++];
}

inline uint32_t take_u32(FuzzBytes* in) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | take_u8(in);
    return value;
}

inline uint64_t take_u64(FuzzBytes* in) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | take_u8(in);
    return value;
}

// A value in [low, high], from one byte (high - low < 256) or four.
inline int32_t take_in_range(FuzzBytes* in, int32_t low, int32_t high) {
    uint32_t span = static_cast<uint32_t>(static_cast<int64_t>(high) - low) + 1u;
    uint32_t raw = span <= 256 ? take_u8(in) : take_u32(in);
    return static_cast<int32_t>(static_cast<int64_t>(low) + raw % span);
}

// The values that break arithmetic and formatting, and a few ordinary ones.
const double kSpecialValues[] = {
    std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    1e308,
    -1e308,
    std::numeric_limits<double>::max(),
    -std::numeric_limits<double>::max(),
    std::numeric_limits<double>::denorm_min(),
    1e75,
    -1e75,
    0.0,
    -0.0,
    1.0,
    -1.0,
    0.5,
    2.9,
    -0.5,
    8.0,
    24.0,
    30.0,
    -8.0,
    40.0,
    31.0,
    1e10,
    -1e10,
    2147483647.0,
    2147483648.0,
    -2147483649.0,
    9.3e18,
    -9.3e18,
    19723.0,
    100.0,
};
constexpr int kSpecialValueCount = static_cast<int>(sizeof kSpecialValues / sizeof kSpecialValues[0]);

// One byte picks a special value, a small whole number or (rarely) 8 raw bytes.
inline double take_value(FuzzBytes* in) {
    uint8_t selector = take_u8(in);
    if (selector < 128) return kSpecialValues[selector % kSpecialValueCount];
    if (selector < 240) return static_cast<double>(static_cast<int32_t>(selector) - 184);
    uint64_t bits = take_u64(in);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A narrow text of the next `length` bytes (stopping early at a zero byte),
// copied into exactly sized storage so a read past its terminator is caught.
inline std::vector<char> take_text(FuzzBytes* in, size_t length) {
    std::vector<char> text;
    while (length-- > 0 && fuzz_remaining(*in) > 0) {
        uint8_t byte = take_u8(in);
        if (byte == 0) break;
        text.push_back(static_cast<char>(byte));
    }
    text.push_back(0);
    text.shrink_to_fit();
    return text;
}

// A failed property: print what failed and abort, so libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                      \
    do {                                                                           \
        if (!(condition)) {                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                              \
            std::abort();                                                          \
        }                                                                          \
    } while (0)
