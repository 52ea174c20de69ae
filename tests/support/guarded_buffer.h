// A caller-owned wide buffer of `capacity` units with guard units on both
// sides, for the unit tests and the fuzz targets alike: a write past either
// end changes a guard. The units inside start as visible text, so a writer that
// forgets its terminator is caught as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct GuardedBuffer {
    static constexpr int32_t kGuardUnits = 16;
    static constexpr wchar_t kGuard = static_cast<wchar_t>(0xA5C3);  // never in the program's texts
    static constexpr wchar_t kFill = L'#';

    std::vector<wchar_t> storage;
    int32_t capacity;

    explicit GuardedBuffer(int32_t capacity_units)
        : storage(static_cast<size_t>(capacity_units) + 2 * kGuardUnits, kGuard),
          capacity(capacity_units) {
        for (int32_t i = 0; i < capacity; ++i) data()[i] = kFill;
    }
    wchar_t* data() { return storage.data() + kGuardUnits; }
    const wchar_t* data() const { return storage.data() + kGuardUnits; }

    // Units before the terminator; capacity when there is none.
    int32_t length() const {
        int32_t i = 0;
        while (i < capacity && data()[i] != 0) ++i;
        return i;
    }
    // The guards are untouched and the text is terminated within the capacity.
    bool sound() const {
        for (int32_t i = 0; i < kGuardUnits; ++i) {
            if (storage[static_cast<size_t>(i)] != kGuard) return false;
            if (storage[static_cast<size_t>(kGuardUnits + capacity + i)] != kGuard) return false;
        }
        return length() < capacity;
    }
    std::wstring text() const { return std::wstring(data(), static_cast<size_t>(length())); }
};
