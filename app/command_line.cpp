#include "command_line.h"

#include "../engine/wide_text.h"

namespace {

bool is_separator(wchar_t c) { return c == L' ' || c == L'\t'; }

wchar_t ascii_lower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// One argument of the command line: its text without quotes is [begin, end).
struct Argument {
    const wchar_t* begin;
    const wchar_t* end;
};

// Reads the argument at *cursor after skipping separators; false at the end of
// the line. Leaves *cursor after the argument (after its closing quote).
bool next_argument(const wchar_t** cursor, Argument* argument) {
    const wchar_t* p = *cursor;
    while (is_separator(*p)) ++p;
    if (*p == 0) {
        *cursor = p;
        return false;
    }
    if (*p == L'"') {
        argument->begin = p + 1;
        argument->end = argument->begin;
        while (*argument->end != 0 && *argument->end != L'"') ++argument->end;
        *cursor = *argument->end == L'"' ? argument->end + 1 : argument->end;
    } else {
        argument->begin = p;
        argument->end = p;
        while (*argument->end != 0 && !is_separator(*argument->end)) ++argument->end;
        *cursor = argument->end;
    }
    return true;
}

bool is_option(const Argument& argument) {
    return argument.begin < argument.end && (*argument.begin == L'-' || *argument.begin == L'/');
}

// "--selftest", "-selftest" or "/selftest", in any letter case.
bool is_selftest_option(const Argument& argument) {
    static const wchar_t kName[] = L"selftest";
    constexpr int64_t kNameLength = 8;
    const wchar_t* name = argument.begin;
    if (argument.end - argument.begin >= 2 && name[0] == L'-' && name[1] == L'-') {
        name += 2;
    } else if (name < argument.end && (*name == L'-' || *name == L'/')) {
        name += 1;
    } else {
        return false;
    }
    if (argument.end - name != kNameLength) return false;
    for (int32_t i = 0; i < kNameLength; ++i) {
        if (ascii_lower(name[i]) != kName[i]) return false;
    }
    return true;
}

}  // namespace

StartMode read_start_mode(const wchar_t* command_line, wchar_t* path, int32_t capacity) {
    if (capacity >= 1) path[0] = 0;
    if (command_line == nullptr) return StartMode::window;

    // The program's own path: passed over, even when it looks like an option.
    const wchar_t* cursor = command_line;
    Argument argument{};
    if (*cursor == L'"') {
        ++cursor;
        while (*cursor != 0 && *cursor != L'"') ++cursor;
        if (*cursor == L'"') ++cursor;
    } else {
        while (*cursor != 0 && !is_separator(*cursor)) ++cursor;
    }

    bool selftest = false;
    bool path_taken = false;
    const wchar_t* path_begin = nullptr;
    const wchar_t* path_end = nullptr;
    bool path_next = false;
    while (next_argument(&cursor, &argument)) {
        if (path_next) {
            // The report's path, whatever its first character: "/tmp/x.txt" is
            // a path under Wine, and "-x.txt" a file name.
            path_begin = argument.begin;
            path_end = argument.end;
            path_taken = true;
            path_next = false;
        } else if (is_option(argument)) {
            if (!is_selftest_option(argument)) return StartMode::unknown_option;
            if (!selftest) path_next = true;
            selftest = true;
        }
    }
    if (!selftest) return StartMode::window;
    if (capacity >= 1) {
        if (path_taken) {
            const int64_t taken = path_end - path_begin;
            wtext_append_n(path, capacity, path_begin,
                           taken > INT32_MAX ? INT32_MAX : static_cast<int32_t>(taken));
        }
        if (path[0] == 0) wtext_copy(path, capacity, L"selftest.txt");
    }
    return StartMode::selftest;
}
