// The record store's file operations on systems other than Windows (host
// builds and tests). Paths arrive with "\" between levels and are handed to the
// system as UTF-8 with "/".
#include "record_store.h"

#include <sys/stat.h>
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

}  // namespace

void query_record_base_folder(wchar_t* folder, int32_t capacity) {
    if (capacity < 1) return;
    folder[0] = 0;
    const char* chosen = std::getenv("KINETORA_LOCAL_APPDATA");
    if (chosen == nullptr || chosen[0] == 0) chosen = std::getenv("XDG_DATA_HOME");
    char home_share[kNarrowPathCapacity];
    if (chosen == nullptr || chosen[0] == 0) {
        const char* home = std::getenv("HOME");
        if (home == nullptr) return;
        ctext_format(home_share, kNarrowPathCapacity, "%s/.local/share", home);
        chosen = home_share;
    }
    // Only ASCII is widened as it stands; other bytes become "?".
    ansi_to_wide(chosen, folder, capacity);
}

std::FILE* record_platform_open(void*, const wchar_t* path, const char* mode) {
    char narrow[kNarrowPathCapacity];
    if (!narrow_path(path, narrow)) return nullptr;
    return std::fopen(narrow, mode);
}

int64_t record_platform_size(void*, std::FILE* file) {
    if (fseeko(file, 0, SEEK_END) != 0) return -1;
    return static_cast<int64_t>(ftello(file));
}

bool record_platform_truncate(void*, const wchar_t* path, int64_t size) {
    char narrow[kNarrowPathCapacity];
    return narrow_path(path, narrow) && ::truncate(narrow, static_cast<off_t>(size)) == 0;
}

bool record_platform_remove(void*, const wchar_t* path) {
    char narrow[kNarrowPathCapacity];
    return narrow_path(path, narrow) && ::unlink(narrow) == 0;
}

bool record_platform_create_directory(void*, const wchar_t* path) {
    char narrow[kNarrowPathCapacity];
    return narrow_path(path, narrow) && ::mkdir(narrow, 0777) == 0;
}
