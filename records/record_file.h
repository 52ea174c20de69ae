// The file operations under a save, as a record of function pointers so the
// tests can make any one of them fail. Paths use "\" between levels; the
// non-Windows implementation turns them into "/".
//
// One save holds the record file from open to close: other programs may read
// it meanwhile, but none may write it, so the header decision, the writes, the
// flush and any cut-back all see only this save's own bytes.
#pragma once

#include <cstdint>

// 0 for success, else the system's error code (GetLastError() on Windows, errno
// elsewhere).
using RecordError = uint32_t;

// An open record file: a HANDLE on Windows, a file descriptor elsewhere.
struct RecordFile {
    intptr_t handle;
};

struct RecordFileOps {
    void* context;  // handed unchanged to every operation
    // Opens the file for reading and writing, creating it when it is missing
    // (then *created is true), and holds it: others may read it, nobody else
    // may write it until close. An error for which record_error_is_held() is
    // true when another writer holds it (nothing is open then).
    RecordError (*open)(void* context, const wchar_t* path, RecordFile* file, bool* created);
    RecordError (*size)(void* context, RecordFile file, int64_t* size);
    // Reads up to `count` bytes at `offset` into `bytes`; *got is less than
    // `count` only at the end of the file.
    RecordError (*read)(void* context, RecordFile file, int64_t offset, void* bytes,
                        int32_t count, int32_t* got);
    // Writes all `count` bytes at `offset`; an error when fewer went out.
    RecordError (*write)(void* context, RecordFile file, int64_t offset, const void* bytes,
                         int32_t count);
    // Hands everything written to the storage device (FlushFileBuffers, fsync).
    RecordError (*flush)(void* context, RecordFile file);
    // Cuts the file back to `size` bytes.
    RecordError (*truncate)(void* context, RecordFile file, int64_t size);
    // Removes the file at `path`, which this save created and still holds; it
    // is gone once closed.
    RecordError (*discard)(void* context, RecordFile file, const wchar_t* path);
    // Lets go of the file in every case.
    RecordError (*close)(void* context, RecordFile file);
    // Creates one directory level; false also when it already exists (the
    // caller ignores the result).
    bool (*create_directory)(void* context, const wchar_t* path);
    // Waits before the next attempt to open a held file.
    void (*sleep)(void* context, int32_t milliseconds);
};
