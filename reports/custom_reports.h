// Built-in custom reports, selected by a tool definition's custom_report_kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cwchar>

#include "../engine/custom_report.h"
#include "../engine/tool_def.h"

// build_custom_report (declared in engine/custom_report.h) is the dispatcher,
// defined in dispatch.cpp. It calls the generators below; they build on the
// shared lines (report_lines.cpp) and input lookup (report_inputs.cpp), which
// call nothing back.

// ---- Report lines (report_lines.cpp) ----------------------------------------

// Formats one line (scratch of 512 units) and appends it with "\r\n" under the
// bounded append rule; a buffer with one free unit left ends in a lone CR.
// A formatted line longer than 511 units is cut there and still closed by CR LF.
void append_line(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...);

// A fixed line without arguments: appended unchanged (a percent sign is an
// ordinary character here), through the same 512-unit scratch and bounded
// append as append_line, then "\r\n".
void append_text_line(wchar_t* buffer, int32_t capacity, const wchar_t* line);

// ---- Input lookup (report_inputs.cpp) ---------------------------------------

// Looks up the first input whose key equals `key`. Returns true and stores the
// value when found; returns false (and leaves *value untouched) when missing.
bool find_input_value(const ToolDef& tool, const double* input_values, const char* key,
                      double* value);

// Whole-number value of an input: truncation toward zero, saturating at the int32
// limits, NaN and a missing key giving 0.
int32_t find_whole_input(const ToolDef& tool, const double* input_values, const char* key);

// ---- Limits of counts and values (report_inputs.cpp) -------------------------

// Every number a report reads has a range, and a value outside it is refused:
// the report then names the value instead of working with a value it was not
// given. Nothing is cut, rounded or replaced. The lines:
//   a whole-number field holding a fraction:  "<label> 须为整数（当前为 2.5）"
//   a value outside its range:                "<label> <value> 超出范围（<range>）"
// with the value as entered (format_grouped_value; NaN and infinities "--").
// A missing key reads as 0. A null label stands for the label of the tool's
// own input with that key (its key when the label is empty).

// A whole-number input and its limits, both included. `below`, when not null,
// is the line for a value under `low` in place of the range line.
struct WholeLimit {
    const char* key;
    const wchar_t* label;
    int32_t low;
    int32_t high;
    const wchar_t* below = nullptr;
};

// Reads a whole-number input within its limits. Returns true and stores the
// value; otherwise appends the line that refuses it and returns false.
bool read_whole_within(const ToolDef& tool, const double* input_values, const WholeLimit& limit,
                       int32_t* value, wchar_t* report, int32_t capacity);

// A number input and its limits: low < value (above_low) or low <= value, and
// value <= high. The range reads "大于 <low>，至多 <high>" or "<low>–<high>".
struct NumberLimit {
    const char* key;
    const wchar_t* label;
    double low;
    double high;
    bool above_low;
};

// Reads a number input within its limits, as read_whole_within does.
bool read_number_within(const ToolDef& tool, const double* input_values, const NumberLimit& limit,
                        double* value, wchar_t* report, int32_t capacity);

// A lookup number (a row of a sheet's table): only a fraction is refused here,
// with the tool's own label; any whole value, saturated to int32 like
// find_whole_input, goes on to the table, which names a number it lacks.
bool read_lookup_number(const ToolDef& tool, const double* input_values, const char* key,
                        int32_t* value, wchar_t* report, int32_t capacity);

// True when the tool marks the input with this key optional and its value is
// NaN: the field was left empty, "not given".
bool is_not_given(const ToolDef& tool, const double* input_values, const char* key);

// The level and verdict of a report refused because a value lies outside its
// limits: the lines naming the values are the whole report.
constexpr int32_t kOutOfRangeLevel = 2;
extern const wchar_t kOutOfRangeVerdict[];

// Sets that verdict and returns that level: `return refuse_input(verdict, capacity);`.
int32_t refuse_input(wchar_t* verdict, int32_t verdict_capacity);

// ---- Generators -------------------------------------------------------------

// The signature of every generator: the tool and its input values in, the report
// and the verdict written into the caller's buffers (capacities in units,
// terminator included); returns the level.
using ReportGenerator = int32_t(const ToolDef& tool, const double* input_values, wchar_t* report,
                                int32_t report_capacity, wchar_t* verdict,
                                int32_t verdict_capacity);

// scheduling_reports.cpp
ReportGenerator build_roster_report;
ReportGenerator build_dosing_schedule_report;
ReportGenerator build_follow_up_report;
ReportGenerator build_infusion_card_report;
// lookup_reports.cpp
ReportGenerator build_critical_values_report;
ReportGenerator build_compatibility_report;
// reference_sheets.cpp
ReportGenerator build_blood_draw_order_report;
ReportGenerator build_high_alert_drugs_report;
ReportGenerator build_safety_checklist_report;
ReportGenerator build_handover_report;
ReportGenerator build_lab_panels_report;

// The roster as cells (kind 1's grid for the clipboard): CSV after RFC 4180,
// rows closed by CR LF. A header row "日期,1,2,...", one row a nurse
// ("护士01,D,N,..."), then the rows "白班人数" and "夜班人数" counting the
// nurses of each day. Written whole or not at all: returns the units written,
// 0 (and an empty text) for refused inputs or a capacity it does not fit.
int32_t build_roster_grid_csv(const ToolDef& tool, const double* input_values, wchar_t* csv,
                              int32_t capacity);

// The follow-up plan with today's day number given (days from 1970-01-01), so
// the date arithmetic can be tested at any date. build_follow_up_report reads
// the local date once and calls this.
int32_t build_follow_up_report_for_day(const ToolDef& tool, const double* input_values,
                                       int64_t today, wchar_t* report, int32_t report_capacity,
                                       wchar_t* verdict, int32_t verdict_capacity);

// Number of rows of a constant table.
template <typename T, size_t N>
constexpr int32_t count_of(const T (&)[N]) {
    return static_cast<int32_t>(N);
}

// ---- Choices of fixed lines (report_lines.cpp) ------------------------------

// A choice of fixed lines by a whole-number input: each row answers the value in
// its `value` column. Unused line slots are null.
constexpr int32_t kMaxChoiceLines = 3;
struct ChoiceRow {
    int32_t value;
    const wchar_t* lines[kMaxChoiceLines];
};

// A table of choices and the line that names its valid numbers, shown when the
// number asked for is not in the table.
struct ChoiceTable {
    const ChoiceRow* rows;
    int32_t row_count;
    const wchar_t* subject;        // begins the line of a number not in the table
    const wchar_t* valid_numbers;  // the line that follows it
};

// The level and verdict of a number that names no row: the report is not
// judged, and no row stands in for the one asked for.
constexpr int32_t kInvalidNumberLevel = 1;
extern const wchar_t kInvalidNumberVerdict[];

// Appends the lines of the row for `value`, in order, up to the first null, and
// returns true. When no row has the value, appends
// "<subject><value> 号（无此编号）" and the table's line of valid numbers instead
// and returns false.
bool append_choice(wchar_t* buffer, int32_t capacity, const ChoiceTable& table, int32_t value);

// The choice table whose rows an input of `kind` names (reference_sheets.cpp:
// kinds 3, 5 and 11; lookup_reports.cpp: kind 4), or null for any other kind.
const ChoiceTable* reference_choice_table(int32_t kind);
const ChoiceTable* lookup_choice_table(int32_t kind);
