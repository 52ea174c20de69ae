// Reading the program's command line.
#pragma once

#include <cstdint>

constexpr int32_t kSelftestPathCapacity = 520;  // 519 units of path and the terminator

// Exit code of a start with an option the program does not know: no window,
// nothing written. A deployment script that mistyped its option fails at once
// instead of waiting for a window nobody closes.
constexpr int32_t kUnknownOptionExitCode = 4;

enum class StartMode : int32_t {
    window,          // no option: the main window
    selftest,        // the self-test option: the self-test, with the path it names
    unknown_option,  // another argument starting with "-" or "/": exit code 4
};

// Reads the whole command line as the C runtime splits it: the program's own
// path first (quoted up to its closing quote, or up to the first blank or
// tab), which is passed over whatever it holds; then arguments separated by
// blanks and tabs, each quoted up to its closing quote (or the end), without
// the quotes, or unquoted up to the next blank or tab.
//
// An argument that starts with "-" or "/" is an option. "--selftest",
// "-selftest" and "/selftest", in any letter case, are the self-test option;
// the argument right after the first of them is the report's path, whatever its
// first character ("/abs/path.txt", "-x.txt"). Any other option makes the
// result unknown_option, wherever it stands. Arguments that are no option and no
// path are ignored.
//
// For selftest the path goes into `path` (capacity kSelftestPathCapacity or any
// other >= 1), at most capacity - 1 units, "selftest.txt" when no path or an
// empty one ("") was given; for the other results `path` is empty.
StartMode read_start_mode(const wchar_t* command_line, wchar_t* path, int32_t capacity);
