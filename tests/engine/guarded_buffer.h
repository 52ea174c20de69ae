// A wide buffer with guard units on both sides, to catch writes past capacity.
#pragma once

#include <cstdint>
#include <vector>

struct GuardedBuffer {
    static constexpr wchar_t kGuard = 0x7E7E;
    static constexpr int32_t kGuardUnits = 8;
    std::vector<wchar_t> storage;
    int32_t capacity;

    explicit GuardedBuffer(int32_t cap)
        : storage(static_cast<size_t>(cap + 2 * kGuardUnits), kGuard), capacity(cap) {}
    wchar_t* data() { return storage.data() + kGuardUnits; }
    bool guards_intact() const {
        for (int32_t i = 0; i < kGuardUnits; ++i) {
            if (storage[static_cast<size_t>(i)] != kGuard) return false;
            if (storage[storage.size() - 1 - static_cast<size_t>(i)] != kGuard) return false;
        }
        return true;
    }
    // Terminated within capacity, guards untouched.
    bool sound() {
        if (!guards_intact()) return false;
        for (int32_t i = 0; i < capacity; ++i) {
            if (data()[i] == 0) return true;
        }
        return false;
    }
};
