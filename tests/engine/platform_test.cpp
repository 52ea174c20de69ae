// The operating system touch points: ANSI text to wide, the system's error
// texts and opening a file by wide path, at their limits: cut at the capacity
// and terminated, nothing written into no room, no file opened by a path that
// does not convert whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "engine/platform.h"
#include "tests/support/guarded_buffer.h"

#ifndef _WIN32
#include <cstdlib>
#include <unistd.h>
#endif

TEST(Platform, AnsiToWideCutsAndTerminates) {
    struct Row {
        const char* text;
        int32_t capacity;
        const wchar_t* expected;  // null: the buffer is left as it was
    };
    const Row rows[] = {
        {"abc",     8, L"abc"},
        {"abcdef",  4, L"abc"},
        {"",        4, L""},
        {nullptr,   4, L""},
        {"abc",     1, L""},
        {"abc",     0, nullptr},
#ifdef _WIN32
        {"a\xD6\xD0", 8, L"a\x4E2D"},  // the ANSI code page (936): GBK "中"
#else
        {"a\xE4\xB8\xAD", 8, L"a???"},  // only ASCII is known: other bytes are "?"
#endif
    };
    for (const Row& row : rows) {
        GuardedBuffer out(row.capacity);
        ansi_to_wide(row.text, out.data(), out.capacity);
        SCOPED_TRACE(row.text ? row.text : "(null)");
        if (row.expected == nullptr) {
            for (int32_t i = 0; i < GuardedBuffer::kGuardUnits * 2; ++i) {
                EXPECT_EQ(GuardedBuffer::kGuard, out.storage[static_cast<size_t>(i)]);
            }
            continue;
        }
        EXPECT_TRUE(out.sound());
        EXPECT_EQ(std::wstring(row.expected), out.text());
    }
}

// Error 2 is "no such file" on both systems.
TEST(Platform, SystemErrorTextCutsAndTerminates) {
    GuardedBuffer whole(512);
    system_error_text(2, whole.data(), whole.capacity);
    ASSERT_TRUE(whole.sound());
    const std::wstring text = whole.text();
    ASSERT_GT(text.size(), 4u);
    EXPECT_EQ(std::wstring::npos, text.find_first_of(L"\r\n"));
    EXPECT_NE(L' ', text.back());

    GuardedBuffer cut(4);
    system_error_text(2, cut.data(), cut.capacity);
    EXPECT_TRUE(cut.sound());
    EXPECT_EQ(text.substr(0, 3), cut.text());

    GuardedBuffer none(0);
    system_error_text(2, none.data(), none.capacity);
    for (wchar_t unit : none.storage) EXPECT_EQ(GuardedBuffer::kGuard, unit);
}

TEST(Platform, OpenFileWideRefusesWhatItCannotName) {
    EXPECT_EQ(nullptr, open_file_wide(nullptr, "rb"));
    EXPECT_EQ(nullptr, open_file_wide(L"x.txt", nullptr));
#ifndef _WIN32
    // A path longer than the system's 4096 bytes, whose first 4095 bytes name
    // a file "f" in a real folder: never opened (or made) in part.
    char folder[] = "/tmp/kpf_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    std::string path = std::string(folder) + "/";
    while (path.size() < 4094) path += path.size() + 2 <= 4094 ? "./" : "/";
    path += "f";
    ASSERT_EQ(4095u, path.size());
    const std::wstring wide(path.begin(), path.end());
    std::FILE* file = open_file_wide((wide + L".txt").c_str(), "wb");
    EXPECT_EQ(nullptr, file);
    if (file != nullptr) std::fclose(file);
    const std::string in_part = std::string(folder) + "/f";
    EXPECT_NE(0, access(in_part.c_str(), F_OK)) << "made " << in_part;
    unlink(in_part.c_str());
    rmdir(folder);
#endif
}
