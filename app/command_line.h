// Reading the program's command line.
#pragma once

#include <cstdint>

constexpr int32_t kSelftestPathCapacity = 520;  // 519 units of path and the terminator

// Searches the whole command line for the first "--selftest" (case-sensitive,
// anywhere, even inside the program's own path). Returns false when absent.
// When present, writes the path that follows it into `path` (capacity
// kSelftestPathCapacity or any other >= 1): blanks (U+0020 only) skipped, then a
// quoted path up to the closing quote or the end, or an unquoted one up to the
// next blank; at most capacity - 1 units; "selftest.txt" when nothing was taken.
bool find_selftest_option(const wchar_t* command_line, wchar_t* path, int32_t capacity);
