#include "record_line.h"

#include "../engine/wide_text.h"

namespace {

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

// Units that the first `units` units of `text` take as a CSV field: quotes
// around it and every inner quote doubled when it needs quoting.
int32_t field_units(const wchar_t* text, int32_t units) {
    if (!needs_quotes(text, units)) return units;
    int32_t total = units + 2;
    for (int32_t i = 0; i < units; ++i) {
        if (text[i] == L'"') ++total;
    }
    return total;
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
                       const wchar_t* result_text, const LocalTime& now, wchar_t* line,
                       int32_t capacity) {
    if (capacity < 1) return;
    line[0] = 0;
    const int32_t inputs = clamped_input_count(tool);
    wchar_t stamp[32];
    wtext_format(stamp, 32, L"%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                 now.hour, now.minute, now.second);
    // Reserve after each field: one comma per later column, the whole report
    // field and the line end.
    int32_t report_units = wtext_length(result_text);
    if (report_units > kRecordReportUnits) report_units = kRecordReportUnits;
    int32_t report_field = field_units(result_text, report_units);
    // A line too short for the whole report keeps the time stamp and a comma
    // for every later column first: a line left empty by the stamp, or a field
    // without room for its comma, would lose columns.
    int32_t report_room = capacity - 1 - kLineEndUnits - wtext_length(stamp) - inputs - 2;
    if (report_room < 0) report_room = 0;
    if (report_field > report_room) report_field = report_room;
    int32_t reserve = kLineEndUnits + report_field + inputs + 1;
    append_csv_field(line, capacity, reserve + 1, stamp, -1);
    append_csv_field(line, capacity, reserve, tool.name, -1);
    for (int32_t i = 0; i < inputs; ++i) {
        --reserve;
        wchar_t value[kInputValueCapacity];
        format_input_value(input_values[i], L"", value, kInputValueCapacity);
        wchar_t field[kRecordFieldCapacity];
        wtext_format(field, kFieldTextUnits + 1, L"%ls=%ls", tool.inputs[i].label, value);
        append_csv_field(line, capacity, reserve, field, -1);
    }
    append_csv_field(line, capacity, kLineEndUnits, result_text, kRecordReportUnits);
    wtext_append(line, capacity, kLineEnd);
}

void build_record_result(const ToolResult& result, wchar_t* cell, int32_t capacity) {
    build_verdict_line(result, cell, capacity);
    wtext_append(cell, capacity, kLineEnd);
    wtext_append(cell, capacity, result.report);
}

void build_record_paths(const wchar_t* base_folder, int32_t tool_id, wchar_t* folder,
                        wchar_t* path) {
    wtext_format(folder, kRecordFolderCapacity, L"%ls\\ToviMedSuite\\records",
                 base_folder != nullptr ? base_folder : L"");
    wtext_format(path, kRecordPathCapacity, L"%ls\\T%03d.csv", folder, tool_id);
}
