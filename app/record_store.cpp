#include "record_store.h"

#include "../engine/wide_text.h"

namespace {

// Program texts of the save command.
const wchar_t kCaptionHint[] = L"提示";
const wchar_t kCaptionSaved[] = L"已保存";
const wchar_t kCaptionFailed[] = L"保存失败";
const wchar_t kMessageNoResult[] = L"请先点击“计算”生成结果，再保存记录。";
const wchar_t kMessageSaved[] = L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";
const wchar_t kMessageHeld[] =
    L"记录未能写入：%ls\r\n文件可能正被其他程序（如 Excel）占用，请关闭后重试。";
const wchar_t kMessageSystem[] = L"记录未能写入：%ls\r\n%ls（错误代码 %ls）";
const wchar_t kMessageNoFolder[] =
    L"记录未能写入：找不到本地应用数据文件夹，记录没有保存。\r\n%ls（错误代码 %ls）";
const wchar_t kMessageTooLong[] =
    L"记录未能写入：%ls\r\n这条记录转为 UTF-8 后超过 4095 字节，无法保存。";
const wchar_t kUnknownError[] = L"未知错误";
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
    const int32_t inputs = clamped_input_count(tool);
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
    const int32_t inputs = clamped_input_count(tool);
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

// Bytes of the byte-order mark and header: the mark and at most three bytes for
// each unit of the header line.
constexpr int32_t kHeaderBytesCapacity = 2048;
static_assert(kRecordHeaderCapacity * 3 + kByteOrderMarkBytes < kHeaderBytesCapacity,
              "header bytes");
// Bytes written by one save: what closes a torn end ('"', CR, LF), the header
// and the record.
constexpr int32_t kLeadInBytes = 3;
constexpr int32_t kSaveBytesCapacity = kLeadInBytes + kHeaderBytesCapacity + kRecordUtf8Capacity;
// Bytes read at a time when the file's end is examined.
constexpr int32_t kScanChunkBytes = 8192;
// The error for a held file that ends before its size: ERROR_HANDLE_EOF on
// Windows, EIO elsewhere.
#ifdef _WIN32
constexpr RecordError kRecordErrorShortRead = 38;
#else
constexpr RecordError kRecordErrorShortRead = 5;
#endif

// How an existing record file ends, as a CSV reader sees it.
struct RecordEnd {
    int64_t size;           // bytes in the file
    int32_t header_prefix;  // the file holds exactly the first this many bytes of the
                            // byte-order mark and header, else -1
    bool in_quotes;         // a quoted field is still open at the end
    char last;              // the last byte (0 for an empty file)
};

// Where a CSV reader stands after each byte.
enum class CsvState : int32_t {
    field_start,   // at the start of a field (also of a record)
    unquoted,      // inside an unquoted field: quotes are plain text here
    quoted,        // inside a quoted field
    quote_in_quoted,  // after a quote inside a quoted field: a second one is a
                      // quote of the text, anything else follows the closed field
};

CsvState csv_step(CsvState state, char c) {
    const bool separator = c == ',' || c == '\r' || c == '\n';
    switch (state) {
        case CsvState::field_start:
            if (c == '"') return CsvState::quoted;
            return separator ? CsvState::field_start : CsvState::unquoted;
        case CsvState::unquoted:
            return separator ? CsvState::field_start : CsvState::unquoted;
        case CsvState::quoted:
            return c == '"' ? CsvState::quote_in_quoted : CsvState::quoted;
        case CsvState::quote_in_quoted:
            if (c == '"') return CsvState::quoted;
            return separator ? CsvState::field_start : CsvState::unquoted;
    }
    return state;
}

// Reads the whole held file once and tells how it ends. A byte-order mark at
// the start is not part of the first field.
RecordError scan_record_end(const RecordFileOps& ops, RecordFile file, const char* header,
                            int32_t header_count, RecordEnd* end) {
    int64_t size = 0;
    if (RecordError error = ops.size(ops.context, file, &size)) return error;
    end->size = size;
    end->header_prefix = size <= header_count ? static_cast<int32_t>(size) : -1;
    end->last = 0;
    CsvState state = CsvState::field_start;
    int32_t mark_bytes = 0;  // bytes of a byte-order mark at the start, skipped
    char chunk[kScanChunkBytes];
    for (int64_t offset = 0; offset < size;) {
        int32_t got = 0;
        if (RecordError error =
                ops.read(ops.context, file, offset, chunk, kScanChunkBytes, &got)) {
            return error;
        }
        // The file is held: it cannot have shrunk unless the system is failing.
        if (got <= 0) return kRecordErrorShortRead;
        for (int32_t i = 0; i < got; ++i) {
            const int64_t at = offset + i;
            if (at < end->header_prefix && chunk[i] != header[at]) end->header_prefix = -1;
            if (at == mark_bytes && at < kByteOrderMarkBytes && chunk[i] == kByteOrderMark[at]) {
                ++mark_bytes;
                continue;
            }
            state = csv_step(state, chunk[i]);
        }
        end->last = chunk[got - 1];
        offset += got;
    }
    end->in_quotes = state == CsvState::quoted;
    return 0;
}

// The bytes that go before the record so that it becomes a row of its own;
// returns their count. The rest of the byte-order mark and header when the
// file holds only the start of them (all of them when it is empty);
// otherwise a quote when a quoted field is open, then CR LF, or only LF right
// after a bare CR, or nothing after a line end.
int32_t record_lead_in(const RecordEnd& end, const char* header, int32_t header_count,
                       char* out) {
    if (end.header_prefix >= 0) {
        const int32_t count = header_count - end.header_prefix;
        for (int32_t i = 0; i < count; ++i) out[i] = header[end.header_prefix + i];
        return count;
    }
    int32_t count = 0;
    if (end.in_quotes) out[count++] = '"';
    if (end.in_quotes || end.last != '\n') {
        if (end.in_quotes || end.last != '\r') out[count++] = '\r';
        out[count++] = '\n';
    }
    return count;
}

// Appends the record to the held file, after whatever closes its end, and
// hands it to the storage device. On a failure the file is cut back to the
// size it had (a file this save created is removed) while it is still held.
RecordError append_held(const RecordFileOps& ops, RecordFile file, const wchar_t* path,
                        bool created, const char* header, int32_t header_count,
                        const char* record, int32_t record_count) {
    RecordEnd end{};
    if (RecordError error = scan_record_end(ops, file, header, header_count, &end)) {
        if (created) ops.discard(ops.context, file, path);
        return error;
    }
    char bytes[kSaveBytesCapacity];
    int32_t count = record_lead_in(end, header, header_count, bytes);
    for (int32_t i = 0; i < record_count; ++i) bytes[count + i] = record[i];
    count += record_count;
    RecordError error = ops.write(ops.context, file, end.size, bytes, count);
    if (error == 0) error = ops.flush(ops.context, file);
    if (error != 0) {
        // A failed cut-back leaves part of this record; the next save closes it.
        ops.truncate(ops.context, file, end.size);
        if (created && end.size == 0) ops.discard(ops.context, file, path);
    }
    return error;
}

void set_failed(SaveOutcome* outcome) {
    outcome->status = SaveStatus::failed;
    wtext_copy(outcome->status_text, kSaveStatusTextCapacity, kStatusFailed);
    outcome->caption = kCaptionFailed;
    outcome->icon = kSaveIconWarning;
}

// The system's text for `error` and its code: decimal for the system's error
// numbers, hexadecimal for the larger result codes of the folder query.
void describe_error(RecordError error, wchar_t* text, int32_t text_capacity, wchar_t* code,
                    int32_t code_capacity) {
    text[0] = 0;
    if (error != 0) record_error_text(error, text, text_capacity);
    if (text[0] == 0) wtext_copy(text, text_capacity, kUnknownError);
    if (error <= 0xFFFFu) {
        wtext_format(code, code_capacity, L"%lld", static_cast<long long>(error));
        return;
    }
    wchar_t hex[] = L"0x00000000";
    for (int32_t i = 0; i < 8; ++i) {
        hex[2 + i] = L"0123456789ABCDEF"[(error >> (28 - 4 * i)) & 0xFu];
    }
    wtext_copy(code, code_capacity, hex);
}

// The failure of the file step that gave `error`: another writer's hold keeps
// the text that names Excel; anything else says what the system reported.
void set_file_failed(RecordError error, SaveOutcome* outcome) {
    set_failed(outcome);
    if (record_error_is_held(error)) {
        wtext_format(outcome->message, kSaveMessageCapacity, kMessageHeld, outcome->record_path);
        return;
    }
    wchar_t text[kSaveMessageCapacity / 2];
    wchar_t code[16];
    describe_error(error, text, kSaveMessageCapacity / 2, code, 16);
    wtext_format(outcome->message, kSaveMessageCapacity, kMessageSystem, outcome->record_path,
                 text, code);
}

// Opens and holds the record file; while another writer holds it, tries again
// until kRecordHoldWaitMs have been waited.
RecordError open_held(const RecordFileOps& ops, const wchar_t* path, RecordFile* file,
                      bool* created) {
    for (int32_t waited = 0;; waited += kRecordHoldRetryMs) {
        RecordError error = ops.open(ops.context, path, file, created);
        if (error == 0 || !record_error_is_held(error) || waited >= kRecordHoldWaitMs) {
            return error;
        }
        ops.sleep(ops.context, kRecordHoldRetryMs);
    }
}

}  // namespace

void save_record_with(const RecordFileOps& ops, const wchar_t* base_folder,
                      RecordError folder_error, const LocalTime& now, const ToolDef& tool,
                      const double* input_values, const wchar_t* detail_text,
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

    // Without the base folder the record would land in the drive's root,
    // shared by every user of the computer: nothing is written.
    if (folder_error != 0 || base_folder == nullptr || base_folder[0] == 0) {
        set_failed(outcome);
        wchar_t text[kSaveMessageCapacity / 2];
        wchar_t code[16];
        describe_error(folder_error, text, kSaveMessageCapacity / 2, code, 16);
        wtext_format(outcome->message, kSaveMessageCapacity, kMessageNoFolder, text, code);
        return;
    }

    wchar_t folder[kRecordFolderCapacity];
    build_record_paths(base_folder, tool.id, folder, outcome->record_path);
    create_record_folder(ops, folder);
    const wchar_t* path = outcome->record_path;

    // Both lines are built and converted before the file is touched, so a line
    // that cannot be written leaves no trace.
    wchar_t header[kRecordHeaderCapacity];
    build_record_header(tool, header, kRecordHeaderCapacity);
    char header_bytes[kHeaderBytesCapacity];
    for (int32_t i = 0; i < kByteOrderMarkBytes; ++i) header_bytes[i] = kByteOrderMark[i];
    int32_t header_converted =
        utf8_from_wide(header, header_bytes + kByteOrderMarkBytes,
                       kHeaderBytesCapacity - kByteOrderMarkBytes);
    wchar_t line[kRecordLineCapacity];
    build_record_line(tool, input_values, detail_text, now, line, kRecordLineCapacity);
    char line_bytes[kRecordUtf8Capacity];
    int32_t line_converted = utf8_from_wide(line, line_bytes, kRecordUtf8Limit);
    if (line_converted == 0 || header_converted == 0) {
        set_failed(outcome);
        wtext_format(outcome->message, kSaveMessageCapacity, kMessageTooLong, path);
        return;
    }

    RecordFile file{};
    bool created = false;
    RecordError error = open_held(ops, path, &file, &created);
    if (error == 0) {
        error = append_held(ops, file, path, created, header_bytes,
                            kByteOrderMarkBytes + header_converted - 1, line_bytes,
                            line_converted - 1);
        // Once flushed the record is on the device: a failing close changes
        // nothing, and could not be undone any more.
        ops.close(ops.context, file);
    }
    if (error != 0) {
        set_file_failed(error, outcome);
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
    RecordError folder_error = 0;
    if (detail_text != nullptr && detail_text[0] != 0) {
        folder_error = query_record_base_folder(base, kRecordPathCapacity);
    }
    save_record_with(default_record_file_ops(), base, folder_error, local_time_now(), tool,
                     input_values, detail_text, outcome);
}

namespace {

const RecordFileOps kPlatformFileOps = {
    nullptr,
    record_platform_open,
    record_platform_size,
    record_platform_read,
    record_platform_write,
    record_platform_flush,
    record_platform_truncate,
    record_platform_discard,
    record_platform_close,
    record_platform_create_directory,
    record_platform_sleep,
};

}  // namespace

const RecordFileOps& default_record_file_ops() {
    return kPlatformFileOps;
}
