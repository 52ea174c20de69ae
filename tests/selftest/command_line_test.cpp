#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "tests/support/guarded_buffer.h"

namespace {

TEST(CommandLine, SelftestPathRules) {
    const std::wstring long_path(600, L'p');
    struct Row {
        std::wstring command_line;
        bool found;
        std::wstring path;
    };
    const Row rows[] = {
        {L"Kinetora.exe", false, L""},
        {L"Kinetora.exe --SELFTEST", false, L""},
        {L"Kinetora.exe --selftest", true, L"selftest.txt"},
        {L"Kinetora.exe --selftest   ", true, L"selftest.txt"},
        {L"Kinetora.exe --selftest \"\"", true, L"selftest.txt"},
        {L"Kinetora.exe --selftest out.txt", true, L"out.txt"},
        {L"Kinetora.exe --selftest   out.txt more", true, L"out.txt"},
        {L"Kinetora.exe --selftest \"C:\\my dir\\out.txt\" ignored", true, L"C:\\my dir\\out.txt"},
        {L"Kinetora.exe --selftest \"C:\\no close quote", true, L"C:\\no close quote"},
        {L"Kinetora.exe --selftest C:\\my dir\\out.txt", true, L"C:\\my"},
        {L"Kinetora.exe --selftest=x.txt", true, L"=x.txt"},
        {L"Kinetora.exe --selftest\tx.txt", true, L"\tx.txt"},
        {L"Kinetora.exe --selftestx.txt", true, L"x.txt"},
        {L"\"C:\\--selftest\\Kinetora.exe\" --selftest a.txt", true, L"\\Kinetora.exe\""},
        {L"C:\\--selftest\\Kinetora.exe", true, L"\\Kinetora.exe"},
        {L"Kinetora.exe --selftest " + long_path, true, long_path.substr(0, 519)},
        {L"Kinetora.exe --selftest \"" + long_path + L"\"", true, long_path.substr(0, 519)},
    };
    for (const Row& row : rows) {
        GuardedBuffer path(kSelftestPathCapacity);
        bool found = find_selftest_option(row.command_line.c_str(), path.data(), path.capacity);
        EXPECT_EQ(found, row.found) << std::string(row.command_line.begin(), row.command_line.end());
        if (row.found) EXPECT_EQ(std::wstring(path.data()), row.path);
        EXPECT_TRUE(path.sound());
    }
}

TEST(CommandLine, PathCutAroundCapacity) {
    // 519 units fit; 518 and 520 show the cut on either side of the limit.
    for (int32_t length : {518, 519, 520}) {
        std::wstring command_line = L"k.exe --selftest " + std::wstring(static_cast<size_t>(length), L'q');
        GuardedBuffer path(kSelftestPathCapacity);
        ASSERT_TRUE(find_selftest_option(command_line.c_str(), path.data(), path.capacity));
        EXPECT_EQ(std::wstring(path.data()).size(), static_cast<size_t>(length < 519 ? length : 519));
        EXPECT_TRUE(path.sound());
    }
    // A tiny buffer still ends terminated.
    GuardedBuffer tiny(4);
    ASSERT_TRUE(find_selftest_option(L"k.exe --selftest", tiny.data(), 4));
    EXPECT_EQ(std::wstring(tiny.data()), L"sel");
    EXPECT_TRUE(tiny.sound());
}

}  // namespace
