// Built-in custom reports, selected by a tool definition's custom_report_kind.
#pragma once

#include <cstdint>
#include <cwchar>

#include "../engine/tool_def.h"

// Empties report and verdict, runs the report of `kind` (1 to 11) or writes the
// placeholder for any other kind, and returns the level. Report capacity >= 13
// for the placeholder, verdict capacity >= 21. Never allocates.
int32_t build_custom_report(int32_t kind, const ToolDef& tool, const double* input_values,
                            wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                            int32_t verdict_capacity);

// Formats one line (scratch of 512 units) and appends it with "\r\n" under the
// bounded append rule; a buffer with one free unit left ends in a lone CR.
void append_line(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...);

// Looks up the first input whose key equals `key`. Returns true and stores the
// value when found; returns false (and leaves *value untouched) when missing.
bool find_input_value(const ToolDef& tool, const double* input_values, const char* key,
                      double* value);

// Whole-number value of an input: truncation toward zero, saturating at the int32
// limits, NaN and a missing key giving 0.
int32_t find_whole_input(const ToolDef& tool, const double* input_values, const char* key);

// Generators with the common signature; each returns the level.
int32_t build_roster_report(const ToolDef& tool, const double* input_values, wchar_t* report,
                            int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity);
int32_t build_dosing_schedule_report(const ToolDef& tool, const double* input_values,
                                     wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                     int32_t verdict_capacity);
int32_t build_critical_values_report(const ToolDef& tool, const double* input_values,
                                     wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                     int32_t verdict_capacity);
int32_t build_compatibility_report(const ToolDef& tool, const double* input_values,
                                   wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                   int32_t verdict_capacity);
int32_t build_follow_up_report(const ToolDef& tool, const double* input_values, wchar_t* report,
                               int32_t report_capacity, wchar_t* verdict,
                               int32_t verdict_capacity);
int32_t build_infusion_card_report(const ToolDef& tool, const double* input_values,
                                   wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                   int32_t verdict_capacity);

// The follow-up plan with today's day number given (days from 1970-01-01), so
// the date arithmetic can be tested at any date. build_follow_up_report reads
// the local date once and calls this.
int32_t build_follow_up_report_for_day(const ToolDef& tool, const double* input_values,
                                       int64_t today, wchar_t* report, int32_t report_capacity,
                                       wchar_t* verdict, int32_t verdict_capacity);

// Drug names of the compatibility check, numbers 1 to 10 at index 0 to 9.
extern const wchar_t* const compat_drug_names[10];
