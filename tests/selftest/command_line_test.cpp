#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "tests/support/guarded_buffer.h"

namespace {

TEST(CommandLine, StartModeAndSelftestPath) {
    const std::wstring long_path(600, L'p');
    const StartMode window = StartMode::window;
    const StartMode selftest = StartMode::selftest;
    const StartMode unknown = StartMode::unknown_option;
    struct Row {
        std::wstring command_line;
        StartMode mode;
        std::wstring path;  // for selftest
    };
    const Row rows[] = {
        // no option: the window
        {L"Kinetora.exe", window, L""},
        {L"Kinetora.exe notes.txt", window, L""},
        // the self-test option in its three spellings, any letter case
        {L"Kinetora.exe --selftest", selftest, L"selftest.txt"},
        {L"Kinetora.exe --SELFTEST x.txt", selftest, L"x.txt"},
        {L"Kinetora.exe -selftest x.txt", selftest, L"x.txt"},
        {L"Kinetora.exe /selftest x.txt", selftest, L"x.txt"},
        {L"Kinetora.exe /SelfTest x.txt", selftest, L"x.txt"},
        {L"Kinetora.exe \"--selftest\" x.txt", selftest, L"x.txt"},
        // the path after it
        {L"Kinetora.exe --selftest   ", selftest, L"selftest.txt"},
        {L"Kinetora.exe --selftest \"\"", selftest, L"selftest.txt"},
        {L"Kinetora.exe --selftest   out.txt more", selftest, L"out.txt"},
        {L"Kinetora.exe --selftest \"C:\\my dir\\out.txt\" ignored", selftest, L"C:\\my dir\\out.txt"},
        {L"Kinetora.exe --selftest \"C:\\no close quote", selftest, L"C:\\no close quote"},
        {L"Kinetora.exe --selftest C:\\my dir\\out.txt", selftest, L"C:\\my"},
        {L"Kinetora.exe --selftest\tx.txt", selftest, L"x.txt"},
        {L"Kinetora.exe notes.txt --selftest x.txt", selftest, L"x.txt"},
        {L"Kinetora.exe --selftest a.txt -selftest b.txt", selftest, L"a.txt"},
        {L"Kinetora.exe --selftest " + long_path, selftest, long_path.substr(0, 519)},
        {L"Kinetora.exe --selftest \"" + long_path + L"\"", selftest, long_path.substr(0, 519)},
        // the program's own path is never an option
        {L"\"C:\\--selftest\\Kinetora.exe\" --selftest a.txt", selftest, L"a.txt"},
        {L"\"C:\\--selftest\\Kinetora.exe\"", window, L""},
        {L"C:\\--selftest\\Kinetora.exe", window, L""},
        {L"/selftest", window, L""},
        // any other option: no window, exit code 4
        {L"Kinetora.exe --selftest=x.txt", unknown, L""},
        {L"Kinetora.exe --selftestx.txt", unknown, L""},
        {L"Kinetora.exe ---selftest", unknown, L""},
        {L"Kinetora.exe --self-test", unknown, L""},
        {L"Kinetora.exe -s", unknown, L""},
        {L"Kinetora.exe /?", unknown, L""},
        {L"Kinetora.exe -", unknown, L""},
        {L"Kinetora.exe --selftest x.txt --quiet", unknown, L""},
        // the argument after the option is its path, whatever its first character
        {L"Kinetora.exe --selftest /abs/path.txt", selftest, L"/abs/path.txt"},
        {L"Kinetora.exe --selftest -x.txt", selftest, L"-x.txt"},
        {L"Kinetora.exe /selftest /abs/path.txt", selftest, L"/abs/path.txt"},
        {L"Kinetora.exe --selftest \"/path with blank.txt\"", selftest, L"/path with blank.txt"},
        {L"Kinetora.exe --selftest /abs/path.txt --quiet", unknown, L""},
        {L"Kinetora.exe \"-quoted\"", unknown, L""},
    };
    for (const Row& row : rows) {
        GuardedBuffer path(kSelftestPathCapacity);
        const StartMode mode = read_start_mode(row.command_line.c_str(), path.data(), path.capacity);
        const std::string line(row.command_line.begin(), row.command_line.end());
        EXPECT_EQ(mode, row.mode) << line;
        EXPECT_EQ(std::wstring(path.data()), row.path) << line;
        EXPECT_TRUE(path.sound());
    }
}

TEST(CommandLine, PathCutAroundCapacity) {
    // 519 units fit; 518 and 520 show the cut on either side of the limit.
    for (int32_t length : {518, 519, 520}) {
        std::wstring command_line = L"k.exe --selftest " + std::wstring(static_cast<size_t>(length), L'q');
        GuardedBuffer path(kSelftestPathCapacity);
        ASSERT_EQ(read_start_mode(command_line.c_str(), path.data(), path.capacity),
                  StartMode::selftest);
        EXPECT_EQ(std::wstring(path.data()).size(), static_cast<size_t>(length < 519 ? length : 519));
        EXPECT_TRUE(path.sound());
    }
    // A tiny buffer still ends terminated.
    GuardedBuffer tiny(4);
    ASSERT_EQ(read_start_mode(L"k.exe --selftest", tiny.data(), 4), StartMode::selftest);
    EXPECT_EQ(std::wstring(tiny.data()), L"sel");
    EXPECT_TRUE(tiny.sound());
}

}  // namespace
