#include "command_line.h"

#include "../engine/wide_text.h"

bool find_selftest_option(const wchar_t* command_line, wchar_t* path, int32_t capacity) {
    static const wchar_t kOption[] = L"--selftest";
    constexpr int32_t kOptionLength = 10;
    if (capacity >= 1) path[0] = 0;
    if (command_line == nullptr) return false;

    const wchar_t* found = nullptr;
    for (const wchar_t* p = command_line; *p != 0 && found == nullptr; ++p) {
        int32_t i = 0;
        while (i < kOptionLength && p[i] == kOption[i]) ++i;
        if (i == kOptionLength) found = p;
    }
    if (found == nullptr) return false;

    const wchar_t* p = found + kOptionLength;
    while (*p == L' ') ++p;
    const wchar_t* start;
    const wchar_t* end;
    if (*p == L'"') {
        start = p + 1;
        end = start;
        while (*end != 0 && *end != L'"') ++end;
    } else {
        start = p;
        end = start;
        while (*end != 0 && *end != L' ') ++end;
    }
    if (capacity >= 1) {
        int64_t taken = end - start;
        wtext_append_n(path, capacity, start,
                       taken > INT32_MAX ? INT32_MAX : static_cast<int32_t>(taken));
        if (path[0] == 0) wtext_copy(path, capacity, L"selftest.txt");
    }
    return true;
}
