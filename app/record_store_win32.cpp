// Windows parts of the record store: the local application-data folder and the
// file operations that the C library does not offer by wide path.
#include "record_store.h"

#include <windows.h>
#include <shlobj.h>

#include "../engine/wide_text.h"

void query_record_base_folder(wchar_t* folder, int32_t capacity) {
    if (capacity < 1) return;
    folder[0] = 0;
    wchar_t found[MAX_PATH];
    found[0] = 0;
    // The result is not checked: on failure the buffer stays empty.
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, found);
    wtext_copy(folder, capacity, found);
}

std::FILE* record_platform_open(void*, const wchar_t* path, const char* mode) {
    return open_file_wide(path, mode);
}

int64_t record_platform_size(void*, std::FILE* file) {
    if (_fseeki64(file, 0, SEEK_END) != 0) return -1;
    return _ftelli64(file);
}

bool record_platform_truncate(void*, const wchar_t* path, int64_t size) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER offset;
    offset.QuadPart = size;
    bool ok = SetFilePointerEx(file, offset, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

bool record_platform_remove(void*, const wchar_t* path) {
    return DeleteFileW(path) != 0;
}

bool record_platform_create_directory(void*, const wchar_t* path) {
    return CreateDirectoryW(path, nullptr) != 0;
}
