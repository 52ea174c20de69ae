// The operating system touch points of the portable code: the ANSI code page,
// the local clock, opening files by wide path and the system's error texts. Win32 on Windows, the C
// library elsewhere.
#pragma once

#include <cstdint>
#include <cstdio>

// Converts an ASCII/ANSI text through the system's ANSI code page into a wide
// buffer, cut at capacity - 1 units, always terminated.
void ansi_to_wide(const char* text, wchar_t* out, int32_t capacity);

struct LocalTime {
    int32_t year;
    int32_t month;   // 1-12
    int32_t day;     // 1-31
    int32_t hour;    // 0-23
    int32_t minute;
    int32_t second;
};

// The local date and time now.
LocalTime local_time_now();

// fopen by wide path (the path is handed to the system as UTF-16 on Windows and as
// UTF-8 elsewhere). Returns null when the file cannot be opened.
std::FILE* open_file_wide(const wchar_t* path, const char* mode);

// The system's text for an error code (GetLastError's on Windows, errno's
// elsewhere), without its closing line break, cut at capacity - 1 units and
// always terminated; empty where the system has none.
void system_error_text(uint32_t error, wchar_t* text, int32_t capacity);
