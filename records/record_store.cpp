#include "record_store.h"

#include "../engine/format_value.h"
#include "../engine/wide_text.h"
#include "record_end.h"

namespace {

// Program texts of the save command.
const wchar_t kCaptionHint[] = L"提示";
const wchar_t kCaptionSaved[] = L"已保存";
const wchar_t kCaptionFailed[] = L"保存失败";
const wchar_t kMessageNoResult[] = L"请先点击“计算”生成结果，再保存记录。";
const wchar_t kMessageSaved[] = L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";
const wchar_t kMessageSavedCut[] =
    L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。\r\n"
    L"报告过长，记录中的报告末尾已截断（以“……（内容过长，已截断）”结尾）。";
const wchar_t kMessageHeld[] =
    L"记录未能写入：%ls\r\n文件可能正被其他程序（如 Excel）占用，请关闭后重试。";
const wchar_t kMessageSystem[] = L"记录未能写入：%ls\r\n%ls（错误代码 %ls）";
const wchar_t kMessageNoFolder[] =
    L"记录未能写入：找不到本地应用数据文件夹，记录没有保存。\r\n%ls（错误代码 %ls）";
const wchar_t kMessageTooLong[] =
    L"记录未能写入：%ls\r\n这条记录转为 UTF-8 后超过 %d 字节，无法保存。";
const wchar_t kUnknownError[] = L"未知错误";
const wchar_t kStatusSaved[] = L"记录已保存：%ls";
const wchar_t kStatusFailed[] = L"保存失败：记录未写入";

}  // namespace

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
static_assert(kRecordHeaderCapacity * 3 + kRecordByteOrderMarkBytes < kHeaderBytesCapacity,
              "header bytes");
// Bytes written by one save: what closes a torn end ('"', CR, LF), the header
// and the record.
constexpr int32_t kLeadInBytes = 3;
constexpr int32_t kSaveBytesCapacity = kLeadInBytes + kHeaderBytesCapacity + kRecordUtf8Capacity;

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
    static char bytes[kSaveBytesCapacity];  // about 80 KB: off the stack
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
    format_error_code(error, code, code_capacity);
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
                      const ToolResult& result, SaveOutcome* outcome) {
    outcome->record_path[0] = 0;
    outcome->status_text[0] = 0;
    if (!result_is_current(result)) {
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
    for (int32_t i = 0; i < kRecordByteOrderMarkBytes; ++i) header_bytes[i] = kRecordByteOrderMark[i];
    int32_t header_converted =
        utf8_from_wide(header, header_bytes + kRecordByteOrderMarkBytes,
                       kHeaderBytesCapacity - kRecordByteOrderMarkBytes);
    // The verdict line and the report: the cell holds both whole.
    static wchar_t cell[kRecordReportUnits + 1];
    build_record_result(result, cell, kRecordReportUnits + 1);
    static wchar_t line[kRecordLineCapacity];
    build_record_line(tool, result.inputs, cell, now, line, kRecordLineCapacity);
    static char line_bytes[kRecordUtf8Capacity];
    int32_t line_converted = utf8_from_wide(line, line_bytes, kRecordUtf8Limit);
    if (line_converted == 0 || header_converted == 0) {
        set_failed(outcome);
        wtext_format(outcome->message, kSaveMessageCapacity, kMessageTooLong, path,
                     line_converted == 0 ? kRecordUtf8Limit : kHeaderBytesCapacity - 1);
        return;
    }

    RecordFile file{};
    bool created = false;
    RecordError error = open_held(ops, path, &file, &created);
    if (error == 0) {
        error = append_held(ops, file, path, created, header_bytes,
                            kRecordByteOrderMarkBytes + header_converted - 1, line_bytes,
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
    wtext_copy(outcome->message, kSaveMessageCapacity,
               has_cut_marker(result.report) ? kMessageSavedCut : kMessageSaved);
    outcome->caption = kCaptionSaved;
    outcome->icon = kSaveIconInformation;
}

void save_record(const ToolDef& tool, const ToolResult& result, SaveOutcome* outcome) {
    wchar_t base[kRecordPathCapacity];
    base[0] = 0;
    RecordError folder_error = 0;
    if (result_is_current(result)) {
        folder_error = query_record_base_folder(base, kRecordPathCapacity);
    }
    save_record_with(default_record_file_ops(), base, folder_error, local_time_now(), tool,
                     result, outcome);
}

namespace {

const RecordFileOps kPlatformFileOps = {
    /* context */ nullptr,
    /* open */ record_platform_open,
    /* size */ record_platform_size,
    /* read */ record_platform_read,
    /* write */ record_platform_write,
    /* flush */ record_platform_flush,
    /* truncate */ record_platform_truncate,
    /* discard */ record_platform_discard,
    /* close */ record_platform_close,
    /* create_directory */ record_platform_create_directory,
    /* sleep */ record_platform_sleep,
};

}  // namespace

const RecordFileOps& default_record_file_ops() {
    return kPlatformFileOps;
}
