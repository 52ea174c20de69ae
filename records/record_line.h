// The CSV text of a record: field quoting, the header line, one record line,
// and the paths of the record folder and file. Text only: no file is touched.
#pragma once

#include <cstdint>

#include "../engine/platform.h"
#include "../engine/tool_def.h"
#include "../engine/tool_result.h"

// Capacities (UTF-16 units, terminator included).
constexpr int32_t kRecordFolderCapacity = 260;     // "<base>\ToviMedSuite\records", cut at 259
constexpr int32_t kRecordPathCapacity = 520;       // "<folder>\T%03d.csv"
constexpr int32_t kRecordHeaderCapacity = 512;     // the header line, CR LF included
constexpr int32_t kRecordFieldCapacity = 128;      // one input field or header label with its comma
// The result cell of a record: the verdict line as the page shows it, CR LF,
// then the whole report (each at its capacity less the terminator). A CSV
// field has no length limit of its own.
constexpr int32_t kRecordReportUnits = (kVerdictLineCapacity - 1) + 2 + (kReportCapacity - 1);
// Time, tool name and input fields with their commas: 16 quoted input fields
// of 126 units take at most 16 x 255; the name gets what is left.
constexpr int32_t kRecordLeadUnits = 4096;
// One record, CR LF included: the lead, then the report field quoted with every
// unit a doubled quote (2 x 8191 + 2 quotes + its comma), CR LF, terminator.
constexpr int32_t kRecordLineCapacity = kRecordLeadUnits + 2 * kRecordReportUnits + 2 + 1 + 2 + 1;

// "<base>\ToviMedSuite\records" into `folder` (kRecordFolderCapacity, cut at
// 259) and "<folder>\T%03d.csv" into `path` (kRecordPathCapacity).
void build_record_paths(const wchar_t* base_folder, int32_t tool_id, wchar_t* folder,
                        wchar_t* path);

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
// "YYYY-MM-DD hh:mm:ss,<name>", ",<label>=<value>" per input (the value as
// typed, format_input_value; an input left empty has no value; field text cut
// at 126 units), ",<result cell, at most its first kRecordReportUnits units>", CR LF;
// each field quoted as needed after its cut. The report field comes first: the
// fields before it, but for the time, are cut further when the line would not
// hold them and the report, so that in kRecordLineCapacity the report up to
// kRecordReportUnits is always whole. The time, every column and the closing
// CR LF are always there.
void build_record_line(const ToolDef& tool, const double* input_values,
                       const wchar_t* result_text, const LocalTime& now, wchar_t* line,
                       int32_t capacity);

// The result cell of a record into `cell` (kRecordReportUnits + 1 units): the
// verdict line ("【警示】半衰期须大于 0：结果无效，请检查输入"), CR LF, the report.
void build_record_result(const ToolResult& result, wchar_t* cell, int32_t capacity);
