// Windows parts of the record store: the local application-data folder, the
// held record file and the system's error texts.
#include "record_store.h"

#include <windows.h>
#include <shlobj.h>

#include "../engine/platform.h"
#include "../engine/wide_text.h"

namespace {

HANDLE handle_of(RecordFile file) {
    return reinterpret_cast<HANDLE>(file.handle);
}

// The position `offset` for ReadFile and WriteFile on a synchronous handle.
OVERLAPPED at_offset(int64_t offset) {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset) & 0xFFFFFFFFu);
    overlapped.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
    return overlapped;
}

}  // namespace

RecordError query_record_base_folder(wchar_t* folder, int32_t capacity) {
    if (capacity < 1) return ERROR_INVALID_PARAMETER;
    folder[0] = 0;
    wchar_t found[MAX_PATH];
    found[0] = 0;
    HRESULT result = SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, found);
    if (FAILED(result)) {
        // A system error wrapped in a result code is reported as that error.
        if (HRESULT_FACILITY(result) == FACILITY_WIN32) return HRESULT_CODE(result);
        return static_cast<RecordError>(result);
    }
    // S_FALSE: the folder does not exist.
    if (result != S_OK || found[0] == 0) return ERROR_PATH_NOT_FOUND;
    wtext_copy(folder, capacity, found);
    return 0;
}

bool record_error_is_held(RecordError error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

void record_error_text(RecordError error, wchar_t* text, int32_t capacity) {
    system_error_text(static_cast<uint32_t>(error), text, capacity);
}

// Others may read (FILE_SHARE_READ) but not write, and no writer of ours can
// open it meanwhile. A missing file is created with CREATE_NEW and DELETE
// access, so that a failed first save can remove it while still holding it; a
// file that appears between the two attempts is opened again.
RecordError record_platform_open(void*, const wchar_t* path, RecordFile* file, bool* created) {
    for (int32_t attempt = 0; attempt < 8; ++attempt) {
        HANDLE handle = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file->handle = reinterpret_cast<intptr_t>(handle);
            *created = false;
            return 0;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return error;
        handle = CreateFileW(path, GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file->handle = reinterpret_cast<intptr_t>(handle);
            *created = true;
            return 0;
        }
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS) return error;
    }
    return ERROR_SHARING_VIOLATION;
}

RecordError record_platform_size(void*, RecordFile file, int64_t* size) {
    LARGE_INTEGER bytes;
    if (!GetFileSizeEx(handle_of(file), &bytes)) return GetLastError();
    *size = bytes.QuadPart;
    return 0;
}

RecordError record_platform_read(void*, RecordFile file, int64_t offset, void* bytes,
                                 int32_t count, int32_t* got) {
    *got = 0;
    while (*got < count) {
        OVERLAPPED overlapped = at_offset(offset + *got);
        DWORD read = 0;
        if (!ReadFile(handle_of(file), static_cast<char*>(bytes) + *got,
                      static_cast<DWORD>(count - *got), &read, &overlapped)) {
            DWORD error = GetLastError();
            return error == ERROR_HANDLE_EOF ? 0 : error;
        }
        if (read == 0) return 0;
        *got += static_cast<int32_t>(read);
    }
    return 0;
}

RecordError record_platform_write(void*, RecordFile file, int64_t offset, const void* bytes,
                                  int32_t count) {
    int32_t done = 0;
    while (done < count) {
        OVERLAPPED overlapped = at_offset(offset + done);
        DWORD written = 0;
        if (!WriteFile(handle_of(file), static_cast<const char*>(bytes) + done,
                       static_cast<DWORD>(count - done), &written, &overlapped)) {
            return GetLastError();
        }
        if (written == 0) return ERROR_WRITE_FAULT;
        done += static_cast<int32_t>(written);
    }
    return 0;
}

RecordError record_platform_flush(void*, RecordFile file) {
    return FlushFileBuffers(handle_of(file)) ? 0 : GetLastError();
}

RecordError record_platform_truncate(void*, RecordFile file, int64_t size) {
    LARGE_INTEGER offset;
    offset.QuadPart = size;
    if (!SetFilePointerEx(handle_of(file), offset, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(handle_of(file))) {
        return GetLastError();
    }
    return 0;
}

// Marks the held file for deletion: it goes when the handle is closed.
RecordError record_platform_discard(void*, RecordFile file, const wchar_t*) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(handle_of(file), FileDispositionInfo, &disposition,
                                      sizeof disposition)
               ? 0
               : GetLastError();
}

RecordError record_platform_close(void*, RecordFile file) {
    return CloseHandle(handle_of(file)) ? 0 : GetLastError();
}

bool record_platform_create_directory(void*, const wchar_t* path) {
    return CreateDirectoryW(path, nullptr) != 0;
}

void record_platform_sleep(void*, int32_t milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}
