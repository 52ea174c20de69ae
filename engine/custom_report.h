// The custom report a tool may carry instead of formulas and rules.
#pragma once

#include <cstdint>
#include <cwchar>

#include "tool_def.h"

// Empties report and verdict, runs the report of `kind` (1 to 11) or writes the
// placeholder for any other kind, and returns the level. Report capacity >= 13
// for the placeholder, verdict capacity >= 21. Never allocates.
// Defined once per program by the reports, which build on the engine; the
// engine calls it for a tool whose custom_report_kind is not 0.
int32_t build_custom_report(int32_t kind, const ToolDef& tool, const double* input_values,
                            wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                            int32_t verdict_capacity);

// The report of `kind` as cells, for a spreadsheet: CSV after RFC 4180 (fields
// holding a comma, a quote, CR or LF quoted, quotes doubled), rows closed by
// CR LF. Kind 1, the duty roster: a header row of day numbers, one row a nurse
// and one column a day, then the nurses on day and night shift of each day.
// Returns the units written, terminator excluded; 0, with an empty text when
// capacity >= 1, for a kind without a grid, for refused inputs and for a
// capacity the grid does not fit (never part of a grid). Never allocates.
int32_t build_custom_report_grid(int32_t kind, const ToolDef& tool, const double* input_values,
                                 wchar_t* csv, int32_t capacity);

// The numbers a report of `kind` looks up by, one a line, each with what it
// names: "1 头孢曲松\r\n2 葡萄糖酸钙\r\n…" (no CR LF after the last), made from
// the report's own table. Returns the units written, terminator not counted;
// 0, with `out` empty when capacity >= 1, for a kind without a lookup number
// or a list that does not fit. Defined by the reports beside
// build_custom_report; the window shows the list under the inputs.
int32_t build_custom_report_choices(int32_t kind, wchar_t* out, int32_t capacity);
