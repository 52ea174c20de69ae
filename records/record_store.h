// The record store: saving the last result as one CSV record in the tool's
// record file under the user's local application-data folder.
//
// The window's save command calls save_record() and shows what it hands back:
//
//     SaveOutcome outcome;
//     save_record(*app_state.tool, app_state.result, &outcome);
//     if (outcome.status != SaveStatus::no_result) show_status(outcome.status_text);
//     show_message(outcome.message, outcome.caption, outcome.icon);
//
// show_status() puts the text into the window's status line and repaints the
// footer; show_message() is a message box owned by the main window.
//
// The record's text is built in record_line.h, the end of an existing file is
// read in record_end.h, and the file operations are declared in record_file.h.
// Everything here but the platform file operations and the folder query is
// portable and reached by the host tests.
#pragma once

#include <cstdint>

#include "../engine/platform.h"
#include "../engine/tool_def.h"
#include "record_file.h"
#include "record_line.h"

// ---------------------------------------------------------------------------
// Capacities (UTF-16 units, terminator included, unless stated otherwise); those
// of the record's text are in record_line.h.

// Bytes of the UTF-8 line buffer: four for each unit of the longest record
// line, which no line exceeds, whatever the width of wchar_t.
constexpr int32_t kRecordUtf8Capacity = 4 * kRecordLineCapacity;
constexpr int32_t kRecordUtf8Limit = kRecordUtf8Capacity - 1;  // bytes of it that may be used
constexpr int32_t kSaveStatusTextCapacity = 256;   // same as the window's status text
constexpr int32_t kSaveMessageCapacity = 1024;

// Message box icons handed back in SaveOutcome::icon (the values of Win32's
// MB_ICONINFORMATION and MB_ICONWARNING, so they can be or-ed into the style).
constexpr uint32_t kSaveIconInformation = 0x40u;
constexpr uint32_t kSaveIconWarning = 0x30u;

// ---------------------------------------------------------------------------
// The whole save command.

enum class SaveStatus : int32_t {
    no_result,  // nothing calculated yet: only the "提示" message; status text unchanged
    saved,      // the record (and on first use the byte-order mark and header) is in the
                // file and was handed to the storage device
    failed,     // nothing was added to the file; it is as it was before the save
};

struct SaveOutcome {
    SaveStatus status;
    wchar_t record_path[kRecordPathCapacity];         // the record file; empty for no_result
                                                      // and when there is no base folder
    wchar_t status_text[kSaveStatusTextCapacity];     // new status line; empty for no_result
    wchar_t message[kSaveMessageCapacity];            // message box text
    const wchar_t* caption;                           // message box caption (static text)
    uint32_t icon;                                    // kSaveIconInformation or kSaveIconWarning
};

// Saves `result`, the last result of `tool` (not current: no result yet): its
// inputs, and its verdict line and report as the result cell, always whole.
// When the report ends in the cut marker line (mark_cut_text), the "已保存"
// message says that it was cut. Uses the user's local
// application-data folder (Windows) or, on other systems, the folder named by
// KINETORA_LOCAL_APPDATA, else XDG_DATA_HOME, else $HOME/.local/share; the local
// time; and the real file system. Always fills `outcome`.
void save_record(const ToolDef& tool, const ToolResult& result, SaveOutcome* outcome);

// ---------------------------------------------------------------------------
// File operations under the save (RecordFileOps in record_file.h).

// Waiting for a record file that another writer holds: attempts this far apart
// until this long has been waited.
constexpr int32_t kRecordHoldRetryMs = 10;
constexpr int32_t kRecordHoldWaitMs = 2000;

// The real file system of the platform (context unused, null).
const RecordFileOps& default_record_file_ops();

// The base folder of the record folder: the local application-data folder on
// Windows; see save_record() for other systems. 0, or the error of a query that
// failed or gave no folder (then `folder` is empty).
RecordError query_record_base_folder(wchar_t* folder, int32_t capacity);

// The save with every outside input handed in: file operations, base folder
// (with the error of its query: nothing is saved anywhere without one) and
// local time. save_record() calls it with the real ones. One save at a time:
// the record's buffers (some 250 KB) are static storage, not the stack's.
void save_record_with(const RecordFileOps& ops, const wchar_t* base_folder,
                      RecordError folder_error, const LocalTime& now, const ToolDef& tool,
                      const ToolResult& result, SaveOutcome* outcome);

// Whether an error of open() means that another writer holds the file
// (ERROR_SHARING_VIOLATION or ERROR_LOCK_VIOLATION; EWOULDBLOCK elsewhere).
bool record_error_is_held(RecordError error);

// The system's own text for an error (FormatMessageW; strerror elsewhere),
// without a trailing line break; empty when the system has none.
void record_error_text(RecordError error, wchar_t* text, int32_t capacity);

// Platform parts of default_record_file_ops() (record_store_win32.cpp or
// record_store_posix.cpp); contracts as in RecordFileOps, context unused.
RecordError record_platform_open(void* context, const wchar_t* path, RecordFile* file,
                                 bool* created);
RecordError record_platform_size(void* context, RecordFile file, int64_t* size);
RecordError record_platform_read(void* context, RecordFile file, int64_t offset, void* bytes,
                                 int32_t count, int32_t* got);
RecordError record_platform_write(void* context, RecordFile file, int64_t offset,
                                  const void* bytes, int32_t count);
RecordError record_platform_flush(void* context, RecordFile file);
RecordError record_platform_truncate(void* context, RecordFile file, int64_t size);
RecordError record_platform_discard(void* context, RecordFile file, const wchar_t* path);
RecordError record_platform_close(void* context, RecordFile file);
bool record_platform_create_directory(void* context, const wchar_t* path);
void record_platform_sleep(void* context, int32_t milliseconds);

// Creates `folder` level by level: from its fourth unit on, at every "\" the
// prefix before it, then the whole folder. Results are ignored.
void create_record_folder(const RecordFileOps& ops, const wchar_t* folder);
