// The record store: saving the last result as one CSV record in the tool's
// record file under the user's local application-data folder.
//
// The window's save command calls save_record() and shows what it hands back:
//
//     SaveOutcome outcome;
//     save_record(*app_state.tool, app_state.input_values, app_state.detail_text, &outcome);
//     if (outcome.status != SaveStatus::no_result) show_status(outcome.status_text);
//     show_message(outcome.message, outcome.caption, outcome.icon);
//
// show_status() puts the text into the window's status line and repaints the
// footer; show_message() is a message box owned by the main window.
//
// Everything here but the platform file operations and the folder query is
// portable and reached by the host tests.
#pragma once

#include <cstdint>

#include "../engine/platform.h"
#include "../engine/tool_def.h"

// ---------------------------------------------------------------------------
// Capacities (UTF-16 units, terminator included, unless stated otherwise).

constexpr int32_t kRecordFolderCapacity = 260;     // "<base>\ToviMedSuite\records", cut at 259
constexpr int32_t kRecordPathCapacity = 520;       // "<folder>\T%03d.csv"
constexpr int32_t kRecordLineCapacity = 4096;      // one record, CR LF included
constexpr int32_t kRecordHeaderCapacity = 512;     // the header line, CR LF included
constexpr int32_t kRecordFieldCapacity = 128;      // one input field or header label with its comma
constexpr int32_t kRecordReportUnits = 254;        // units of the report taken into a record
constexpr int32_t kRecordUtf8Capacity = 4096;      // bytes of the UTF-8 line buffer
constexpr int32_t kRecordUtf8Limit = 4095;         // bytes of it that may be used
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

// Saves the last result of `tool`: `input_values` holds tool.input_count values,
// `detail_text` is the last report (empty: no result yet). Uses the user's local
// application-data folder (Windows) or, on other systems, the folder named by
// KINETORA_LOCAL_APPDATA, else XDG_DATA_HOME, else $HOME/.local/share; the local
// time; and the real file system. Always fills `outcome`.
void save_record(const ToolDef& tool, const double* input_values, const wchar_t* detail_text,
                 SaveOutcome* outcome);

// ---------------------------------------------------------------------------
// File operations under the save, as a record of function pointers so the tests
// can make any one of them fail. Paths use "\" between levels; the non-Windows
// implementation turns them into "/".
//
// One save holds the record file from open to close: other programs may read
// it meanwhile, but none may write it, so the header decision, the writes, the
// flush and any cut-back all see only this save's own bytes.

// 0 for success, else the system's error code (GetLastError() on Windows, errno
// elsewhere).
using RecordError = uint32_t;

// An open record file: a HANDLE on Windows, a file descriptor elsewhere.
struct RecordFile {
    intptr_t handle;
};

// Waiting for a record file that another writer holds: attempts this far apart
// until this long has been waited.
constexpr int32_t kRecordHoldRetryMs = 10;
constexpr int32_t kRecordHoldWaitMs = 2000;

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

// The real file system of the platform (context unused, null).
const RecordFileOps& default_record_file_ops();

// The base folder of the record folder: the local application-data folder on
// Windows; see save_record() for other systems. 0, or the error of a query that
// failed or gave no folder (then `folder` is empty).
RecordError query_record_base_folder(wchar_t* folder, int32_t capacity);

// The save with every outside input handed in: file operations, base folder
// (with the error of its query: nothing is saved anywhere without one) and
// local time. save_record() calls it with the real ones.
void save_record_with(const RecordFileOps& ops, const wchar_t* base_folder,
                      RecordError folder_error, const LocalTime& now, const ToolDef& tool,
                      const double* input_values, const wchar_t* detail_text,
                      SaveOutcome* outcome);

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

// ---------------------------------------------------------------------------
// Portable builders.

// "<base>\ToviMedSuite\records" into `folder` (kRecordFolderCapacity, cut at
// 259) and "<folder>\T%03d.csv" into `path` (kRecordPathCapacity).
void build_record_paths(const wchar_t* base_folder, int32_t tool_id, wchar_t* folder,
                        wchar_t* path);

// Creates `folder` level by level: from its fourth unit on, at every "\" the
// prefix before it, then the whole folder. Results are ignored.
void create_record_folder(const RecordFileOps& ops, const wchar_t* folder);

// Appends one CSV field to `line` (capacity in units): a comma first unless
// `line` is empty, then at most `max_units` units of `text` (negative: no
// limit), in double quotes with inner quotes doubled when the taken text holds a
// comma, a double quote, CR or LF. Takes only as many units as fit whole, quotes
// included, while `reserve` units stay free after the field; the comma alone
// when nothing fits. Returns false when the text was cut for room (not for
// `max_units`).
bool append_csv_field(wchar_t* line, int32_t capacity, int32_t reserve, const wchar_t* text,
                      int32_t max_units);

// The header line "时间,工具,<label>...,结果\r\n" into `line` (normally
// kRecordHeaderCapacity, at least 32). Labels are cut at 126 units, then quoted
// as needed, then cut further only if the line would overflow; the line always
// ends with ",结果\r\n" and keeps one column per input.
void build_record_header(const ToolDef& tool, wchar_t* line, int32_t capacity);

// One record into `line` (normally kRecordLineCapacity, at least 64):
// "YYYY-MM-DD hh:mm:ss,<name>", ",<label>=<%g value>" per input (field text cut at
// 126 units), ",<first 254 units of the report>", CR LF; each field quoted as
// needed after its cut. Fields that would overflow the line are cut further so
// that every column and the closing CR LF are always there.
void build_record_line(const ToolDef& tool, const double* input_values,
                       const wchar_t* detail_text, const LocalTime& now, wchar_t* line,
                       int32_t capacity);
