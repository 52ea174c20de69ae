#include "platform.h"

#include "wide_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstring>
#include <ctime>
#endif

void ansi_to_wide(const char* text, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    out[0] = 0;
    if (text == nullptr) return;
#ifdef _WIN32
    wchar_t scratch[512];
    int converted = MultiByteToWideChar(CP_ACP, 0, text, -1, scratch, 512);
    if (converted > 0) {
        wtext_copy(out, capacity, scratch);
        return;
    }
#endif
    // Byte by byte: the texts converted here are ASCII.
    int32_t i = 0;
    while (text[i] != 0 && i < capacity - 1) {
        unsigned char code = static_cast<unsigned char>(text[i]);
        out[i] = code < 0x80 ? static_cast<wchar_t>(code) : L'?';
        ++i;
    }
    out[i] = 0;
}

LocalTime local_time_now() {
#ifdef _WIN32
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
#else
    std::time_t seconds = std::time(nullptr);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                     parts.tm_hour,        parts.tm_min,     parts.tm_sec};
#endif
}

std::FILE* open_file_wide(const wchar_t* path, const char* mode) {
    if (path == nullptr || mode == nullptr) return nullptr;
#ifdef _WIN32
    wchar_t wide_mode[8];
    int32_t i = 0;
    for (; mode[i] != 0 && i < 7; ++i) wide_mode[i] = static_cast<wchar_t>(mode[i]);
    wide_mode[i] = 0;
    return _wfopen(path, wide_mode);
#else
    char narrow[4096];
    if (utf8_from_wide(path, narrow, sizeof narrow) == 0) return nullptr;
    return std::fopen(narrow, mode);
#endif
}

void system_error_text(uint32_t error, wchar_t* text, int32_t capacity) {
    if (capacity < 1) return;
    text[0] = 0;
#ifdef _WIN32
    // FormatMessageW writes nothing at all into a buffer too small for the
    // whole text: the text goes into room for any system message, then is cut.
    constexpr DWORD kWholeCapacity = 1024;
    wchar_t whole[kWholeCapacity];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, whole, kWholeCapacity, nullptr);
    if (length >= kWholeCapacity) length = kWholeCapacity - 1;
    while (length > 0 && (whole[length - 1] == L'\r' || whole[length - 1] == L'\n' ||
                          whole[length - 1] == L' ')) {
        --length;
    }
    whole[length] = 0;
    wtext_copy(text, capacity, whole);
#else
    ansi_to_wide(std::strerror(static_cast<int>(error)), text, capacity);
#endif
}
