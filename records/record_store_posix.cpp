// The record store's file operations on systems other than Windows (host
// builds and tests). Paths arrive with "\" between levels and are handed to the
// system as UTF-8 with "/". A save holds the file with an exclusive flock():
// other copies of the program wait, readers are not hindered.
#include "record_store.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

#include "../engine/platform.h"
#include "../engine/wide_text.h"

namespace {

constexpr int32_t kNarrowPathCapacity = 4096;

bool narrow_path(const wchar_t* path, char* out) {
    wchar_t slashed[kRecordPathCapacity];
    wtext_copy(slashed, kRecordPathCapacity, path);
    for (int32_t i = 0; slashed[i] != 0; ++i) {
        if (slashed[i] == L'\\') slashed[i] = L'/';
    }
    return utf8_from_wide(slashed, out, kNarrowPathCapacity) > 0;
}

int descriptor_of(RecordFile file) {
    return static_cast<int>(file.handle);
}

RecordError last_error() {
    return static_cast<RecordError>(errno);
}

}  // namespace

RecordError query_record_base_folder(wchar_t* folder, int32_t capacity) {
    if (capacity < 1) return EINVAL;
    folder[0] = 0;
    const char* chosen = std::getenv("KINETORA_LOCAL_APPDATA");
    if (chosen == nullptr || chosen[0] == 0) chosen = std::getenv("XDG_DATA_HOME");
    char home_share[kNarrowPathCapacity];
    if (chosen == nullptr || chosen[0] == 0) {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == 0) return ENOENT;
        ctext_format(home_share, kNarrowPathCapacity, "%s/.local/share", home);
        chosen = home_share;
    }
    // Only ASCII is widened as it stands; other bytes become "?".
    ansi_to_wide(chosen, folder, capacity);
    return 0;
}

bool record_error_is_held(RecordError error) {
    return error == EWOULDBLOCK || error == EAGAIN;
}

void record_error_text(RecordError error, wchar_t* text, int32_t capacity) {
    system_error_text(static_cast<uint32_t>(error), text, capacity);
}

// A descriptor locked after the file was removed (a failed first save of
// another copy) belongs to no file any more: it is let go and the path opened
// again.
RecordError record_platform_open(void*, const wchar_t* path, RecordFile* file, bool* created) {
    char narrow[kNarrowPathCapacity];
    if (!narrow_path(path, narrow)) return ENAMETOOLONG;
    for (int32_t attempt = 0; attempt < 8; ++attempt) {
        bool made = false;
        int fd = ::open(narrow, O_RDWR | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(narrow, O_RDWR | O_CLOEXEC | O_CREAT | O_EXCL, 0666);
            if (fd < 0 && errno == EEXIST) continue;
            made = true;
        }
        if (fd < 0) return last_error();
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            RecordError error = last_error();
            ::close(fd);
            return error;
        }
        struct stat held;
        struct stat named;
        if (fstat(fd, &held) == 0 && stat(narrow, &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            file->handle = fd;
            *created = made;
            return 0;
        }
        ::close(fd);
    }
    return EWOULDBLOCK;
}

RecordError record_platform_size(void*, RecordFile file, int64_t* size) {
    struct stat held;
    if (fstat(descriptor_of(file), &held) != 0) return last_error();
    *size = static_cast<int64_t>(held.st_size);
    return 0;
}

RecordError record_platform_read(void*, RecordFile file, int64_t offset, void* bytes,
                                 int32_t count, int32_t* got) {
    *got = 0;
    while (*got < count) {
        ssize_t read = ::pread(descriptor_of(file), static_cast<char*>(bytes) + *got,
                               static_cast<size_t>(count - *got), static_cast<off_t>(offset + *got));
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return last_error();
        if (read == 0) return 0;
        *got += static_cast<int32_t>(read);
    }
    return 0;
}

RecordError record_platform_write(void*, RecordFile file, int64_t offset, const void* bytes,
                                  int32_t count) {
    int32_t done = 0;
    while (done < count) {
        ssize_t written =
            ::pwrite(descriptor_of(file), static_cast<const char*>(bytes) + done,
                     static_cast<size_t>(count - done), static_cast<off_t>(offset + done));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return last_error();
        if (written == 0) return EIO;
        done += static_cast<int32_t>(written);
    }
    return 0;
}

RecordError record_platform_flush(void*, RecordFile file) {
    return fsync(descriptor_of(file)) == 0 ? 0 : last_error();
}

RecordError record_platform_truncate(void*, RecordFile file, int64_t size) {
    return ftruncate(descriptor_of(file), static_cast<off_t>(size)) == 0 ? 0 : last_error();
}

RecordError record_platform_discard(void*, RecordFile, const wchar_t* path) {
    char narrow[kNarrowPathCapacity];
    if (!narrow_path(path, narrow)) return ENAMETOOLONG;
    return ::unlink(narrow) == 0 ? 0 : last_error();
}

RecordError record_platform_close(void*, RecordFile file) {
    return ::close(descriptor_of(file)) == 0 ? 0 : last_error();
}

bool record_platform_create_directory(void*, const wchar_t* path) {
    char narrow[kNarrowPathCapacity];
    return narrow_path(path, narrow) && ::mkdir(narrow, 0777) == 0;
}

void record_platform_sleep(void*, int32_t milliseconds) {
    struct timespec pause;
    pause.tv_sec = milliseconds / 1000;
    pause.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}
