#include "record_store.h"

#include "../engine/wide_text.h"

namespace {

// Program texts of the save command.
const wchar_t kCaptionHint[] = L"提示";
const wchar_t kCaptionSaved[] = L"已保存";
const wchar_t kCaptionFailed[] = L"保存失败";
const wchar_t kMessageNoResult[] = L"请先点击“计算”生成结果，再保存记录。";
const wchar_t kMessageSaved[] = L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";
const wchar_t kMessageNotWritten[] =
    L"记录未能写入：%ls\r\n文件可能正被其他程序（如 Excel）占用，请关闭后重试。";
const wchar_t kMessageTooLong[] =
    L"记录未能写入：%ls\r\n这条记录转为 UTF-8 后超过 4095 字节，无法保存。";
const wchar_t kStatusSaved[] = L"记录已保存：%ls";
const wchar_t kStatusFailed[] = L"保存失败：记录未写入";

const char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int32_t kByteOrderMarkBytes = 3;

const wchar_t kHeaderTail[] = L",结果\r\n";
constexpr int32_t kHeaderTailUnits = 5;
const wchar_t kLineEnd[] = L"\r\n";
constexpr int32_t kLineEndUnits = 2;

// Units of a field's own text: the 128-unit field scratch less its comma and terminator.
constexpr int32_t kFieldTextUnits = kRecordFieldCapacity - 2;

bool needs_quotes(const wchar_t* text, int32_t units) {
    for (int32_t i = 0; i < units; ++i) {
        wchar_t c = text[i];
        if (c == L',' || c == L'"' || c == L'\r' || c == L'\n') return true;
    }
    return false;
}

}  // namespace

bool append_csv_field(wchar_t* line, int32_t capacity, int32_t reserve, const wchar_t* text,
                      int32_t max_units) {
    if (capacity < 1) return false;
    int32_t length = wtext_length(line);
    // Units the field (with its comma) may take, leaving `reserve` units and the terminator.
    int32_t room = capacity - 1 - reserve - length;
    if (length > 0) {
        if (room < 1) return false;
        line[length++] = L',';
        line[length] = 0;
        --room;
    }
    int32_t units = wtext_length(text);
    if (max_units >= 0 && units > max_units) units = max_units;
    if (!needs_quotes(text, units)) {
        int32_t taken = units < room ? units : (room > 0 ? room : 0);
        wtext_append_n(line, capacity, text, taken);
        return taken == units;
    }
    // Quoted: the two quotes plus each unit, a quote counting twice.
    if (room < 2) return false;
    int32_t out = length;
    int32_t limit = length + room - 1;  // one place kept for the closing quote
    line[out++] = L'"';
    int32_t taken = 0;
    for (; taken < units; ++taken) {
        wchar_t c = text[taken];
        int32_t need = c == L'"' ? 2 : 1;
        if (out + need > limit) break;
        line[out++] = c;
        if (c == L'"') line[out++] = L'"';
    }
    line[out++] = L'"';
    line[out] = 0;
    return taken == units;
}

void build_record_header(const ToolDef& tool, wchar_t* line, int32_t capacity) {
    if (capacity < 1) return;
    line[0] = 0;
    int32_t inputs = tool.input_count < 0 ? 0 : tool.input_count;
    // Later columns keep at least their commas; the tail is always written.
    append_csv_field(line, capacity, kHeaderTailUnits + 1 + inputs, L"时间", -1);
    append_csv_field(line, capacity, kHeaderTailUnits + inputs, L"工具", -1);
    for (int32_t i = 0; i < inputs; ++i) {
        append_csv_field(line, capacity, kHeaderTailUnits + (inputs - 1 - i),
                         tool.inputs[i].label, kFieldTextUnits);
    }
    wtext_append(line, capacity, kHeaderTail);
}

void build_record_line(const ToolDef& tool, const double* input_values,
                       const wchar_t* detail_text, const LocalTime& now, wchar_t* line,
                       int32_t capacity) {
    if (capacity < 1) return;
    line[0] = 0;
    int32_t inputs = tool.input_count < 0 ? 0 : tool.input_count;
    wchar_t stamp[32];
    wtext_format(stamp, 32, L"%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                 now.hour, now.minute, now.second);
    // Reserve after each field: one comma per later column and the line end.
    int32_t reserve = kLineEndUnits + inputs + 1;
    append_csv_field(line, capacity, reserve + 1, stamp, -1);
    append_csv_field(line, capacity, reserve, tool.name, -1);
    for (int32_t i = 0; i < inputs; ++i) {
        --reserve;
        wchar_t field[kRecordFieldCapacity];
        wtext_format(field, kFieldTextUnits + 1, L"%ls=%g", tool.inputs[i].label, input_values[i]);
        append_csv_field(line, capacity, reserve, field, -1);
    }
    append_csv_field(line, capacity, kLineEndUnits, detail_text, kRecordReportUnits);
    wtext_append(line, capacity, kLineEnd);
}

void build_record_paths(const wchar_t* base_folder, int32_t tool_id, wchar_t* folder,
                        wchar_t* path) {
    wtext_format(folder, kRecordFolderCapacity, L"%ls\\ToviMedSuite\\records",
                 base_folder != nullptr ? base_folder : L"");
    wtext_format(path, kRecordPathCapacity, L"%ls\\T%03d.csv", folder, tool_id);
}

void create_record_folder(const RecordFileOps& ops, const wchar_t* folder) {
    wchar_t prefix[kRecordFolderCapacity];
    wtext_copy(prefix, kRecordFolderCapacity, folder);
    // The first three units (drive letter, colon, first backslash) are passed over.
    for (int32_t i = 3; prefix[i - 1] != 0 && prefix[i] != 0; ++i) {
        if (prefix[i] != L'\\') continue;
        prefix[i] = 0;
        ops.create_directory(ops.context, prefix);
        prefix[i] = L'\\';
    }
    ops.create_directory(ops.context, prefix);
}

namespace {

// What one save must put back when it fails.
struct AppendUndo {
    bool appended;         // the file was opened for appending during this save
    bool remove_file;      // it did not exist before: remove it
    int64_t size_before;   // otherwise: its size before the save
};

// Puts the (closed) file back as it was before the save.
void undo_append(const RecordFileOps& ops, const wchar_t* path, const AppendUndo& undo) {
    if (!undo.appended) return;
    if (undo.remove_file && ops.remove(ops.context, path)) return;
    // Not removed: cut it back. A file left empty gets its header from the next
    // save, which treats an empty file as new.
    ops.truncate(ops.context, path, undo.remove_file ? 0 : undo.size_before);
}

// Appends the byte-order mark and header (only when the file is empty at the
// moment it is opened) and the record, then flushes and closes. False at the
// first operation that fails; the stream is closed in every case.
bool append_record(const RecordFileOps& ops, const wchar_t* path, bool was_readable,
                   const char* header, int32_t header_count, const char* record,
                   int32_t record_count, AppendUndo* undo) {
    std::FILE* stream = ops.open(ops.context, path, "ab");
    if (stream == nullptr) return false;
    int64_t size = ops.size(ops.context, stream);
    if (size < 0) {
        // Without the size a failure could not be undone: write nothing. If the
        // file could not be read before, this open may have created it: remove
        // it when it is readable and empty now.
        ops.close(ops.context, stream);
        if (!was_readable) {
            if (std::FILE* probe = ops.open(ops.context, path, "rb")) {
                bool empty = ops.size(ops.context, probe) == 0;
                ops.close(ops.context, probe);
                if (empty) ops.remove(ops.context, path);
            }
        }
        return false;
    }
    undo->appended = true;
    undo->size_before = size;
    // Not readable before and empty now: this open created it.
    undo->remove_file = !was_readable && size == 0;
    bool ok = (size > 0 || ops.write(ops.context, stream, header,
                                     static_cast<size_t>(header_count))) &&
              ops.write(ops.context, stream, record, static_cast<size_t>(record_count)) &&
              ops.flush(ops.context, stream);
    bool closed = ops.close(ops.context, stream);
    return ok && closed;
}

void set_failed(const wchar_t* message_format, SaveOutcome* outcome) {
    outcome->status = SaveStatus::failed;
    wtext_copy(outcome->status_text, kSaveStatusTextCapacity, kStatusFailed);
    wtext_format(outcome->message, kSaveMessageCapacity, message_format, outcome->record_path);
    outcome->caption = kCaptionFailed;
    outcome->icon = kSaveIconWarning;
}

}  // namespace

void save_record_with(const RecordFileOps& ops, const wchar_t* base_folder, const LocalTime& now,
                      const ToolDef& tool, const double* input_values, const wchar_t* detail_text,
                      SaveOutcome* outcome) {
    outcome->record_path[0] = 0;
    outcome->status_text[0] = 0;
    if (detail_text == nullptr || detail_text[0] == 0) {
        outcome->status = SaveStatus::no_result;
        wtext_copy(outcome->message, kSaveMessageCapacity, kMessageNoResult);
        outcome->caption = kCaptionHint;
        outcome->icon = kSaveIconInformation;
        return;
    }

    wchar_t folder[kRecordFolderCapacity];
    build_record_paths(base_folder, tool.id, folder, outcome->record_path);
    create_record_folder(ops, folder);
    const wchar_t* path = outcome->record_path;

    // Existence test by opening for reading. Whether the header is written is
    // decided by the file's size once it is open for appending, so a file that
    // exists but cannot be read never gets a second byte-order mark and header.
    bool was_readable = false;
    if (std::FILE* probe = ops.open(ops.context, path, "rb")) {
        was_readable = true;
        ops.close(ops.context, probe);
    }

    // Both lines are built and converted before the file is touched, so a line
    // that cannot be written leaves no trace.
    static_assert(kRecordHeaderCapacity * 3 + kByteOrderMarkBytes < 2048, "header bytes");
    wchar_t header[kRecordHeaderCapacity];
    build_record_header(tool, header, kRecordHeaderCapacity);
    char header_bytes[2048];
    for (int32_t i = 0; i < kByteOrderMarkBytes; ++i) header_bytes[i] = kByteOrderMark[i];
    int32_t header_converted =
        utf8_from_wide(header, header_bytes + kByteOrderMarkBytes,
                       static_cast<int32_t>(sizeof header_bytes) - kByteOrderMarkBytes);
    wchar_t line[kRecordLineCapacity];
    build_record_line(tool, input_values, detail_text, now, line, kRecordLineCapacity);
    char line_bytes[kRecordUtf8Capacity];
    int32_t line_converted = utf8_from_wide(line, line_bytes, kRecordUtf8Limit);
    if (line_converted == 0 || header_converted == 0) {
        set_failed(kMessageTooLong, outcome);
        return;
    }

    AppendUndo undo{false, false, 0};
    if (!append_record(ops, path, was_readable, header_bytes,
                       kByteOrderMarkBytes + header_converted - 1, line_bytes,
                       line_converted - 1, &undo)) {
        undo_append(ops, path, undo);
        set_failed(kMessageNotWritten, outcome);
        return;
    }

    outcome->status = SaveStatus::saved;
    wtext_format(outcome->status_text, kSaveStatusTextCapacity, kStatusSaved, path);
    wtext_copy(outcome->message, kSaveMessageCapacity, kMessageSaved);
    outcome->caption = kCaptionSaved;
    outcome->icon = kSaveIconInformation;
}

void save_record(const ToolDef& tool, const double* input_values, const wchar_t* detail_text,
                 SaveOutcome* outcome) {
    wchar_t base[kRecordPathCapacity];
    base[0] = 0;
    if (detail_text != nullptr && detail_text[0] != 0) {
        query_record_base_folder(base, kRecordPathCapacity);
    }
    save_record_with(default_record_file_ops(), base, local_time_now(), tool, input_values,
                     detail_text, outcome);
}

// ---------------------------------------------------------------------------
// The stream operations common to every platform; open, size, truncate,
// remove and directory creation are in the platform files.

namespace {

bool stream_write(void*, std::FILE* file, const void* bytes, size_t count) {
    return std::fwrite(bytes, 1, count, file) == count;
}

bool stream_flush(void*, std::FILE* file) {
    return std::fflush(file) == 0;
}

bool stream_close(void*, std::FILE* file) {
    return std::fclose(file) == 0;
}

const RecordFileOps kPlatformFileOps = {
    nullptr,
    record_platform_open,
    stream_write,
    stream_flush,
    stream_close,
    record_platform_size,
    record_platform_truncate,
    record_platform_remove,
    record_platform_create_directory,
};

}  // namespace

const RecordFileOps& default_record_file_ops() {
    return kPlatformFileOps;
}
