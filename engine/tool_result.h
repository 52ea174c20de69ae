// One calculation as a plain record: the inputs it was made from, each
// output's value and whether its formula failed, the level, the verdict and the
// report. evaluate_tool() fills it; the window's report box, verdict label,
// status line, copy, save and print, and the self-test, all read it.
#pragma once

#include <cstdint>
#include <cwchar>

#include "compute_tool.h"
#include "tool_def.h"

// Where the record stands. Told here and nowhere else: every surface asks
// result_is_current().
enum class ResultState : int32_t {
    none,     // nothing calculated yet, or the inputs were reset
    current,  // the result of the inputs the fields hold
    stale,    // a field changed since (an edit, or an input that could not be
              // read): it no longer belongs to the fields and is not offered
};

// The largest grid, the 40-nurse, 31-day roster's cells, fits whole (about
// 3,100 units).
constexpr int32_t kGridCapacity = 4096;

struct ToolResult {
    ResultState state;
    int32_t input_count;                      // the tool's, held to kMaxToolInputs
    double inputs[kMaxToolInputs];            // the values computed with, in input order
    int32_t output_count;                     // 0 for a custom report
    double output_values[kMaxToolOutputs];    // as each formula returned it
    bool output_failed[kMaxToolOutputs];      // the formula failed: its value means nothing
    int32_t level;
    wchar_t verdict[kVerdictCapacity];
    // Lines end in CR LF. A failed output's line shows "--" for its value. A
    // report that filled the buffer ends in the cut marker line (mark_cut_text).
    wchar_t report[kReportCapacity];
    // The report as cells for a spreadsheet (CSV, build_custom_report_grid):
    // empty for a report without a grid and for a formula tool.
    wchar_t grid[kGridCapacity];
};

// Evaluates `tool` with `input_values` (input_count of them) into `result`,
// which becomes current. Never allocates; `result` is large (some 17 KB on
// Windows): static storage, not a small stack.
void evaluate_tool(const ToolDef& tool, const double* input_values, ToolResult* result);

// True when the record holds the result of the inputs the fields hold: only
// then is there anything to show, copy, save or print.
bool result_is_current(const ToolResult& result);

// The level whose colour the verdict shows: the record's when current, else 0
// (the hint in the level-0 colour).
int32_t shown_level(const ToolResult& result);

// ---- Steps of the evaluation, shared with compute_tool ------------------------

// Evaluates every output in order into values[] and failed[] (kMaxToolOutputs
// each; those past the tool's outputs are 0 and false). A formula sees every
// input, the outputs before it and 0 for itself and the outputs after it.
void evaluate_outputs(const ToolDef& tool, const double* input_values, double* values,
                      bool* failed);

// How a failed output's line shows its value.
enum class FailedOutputText : int32_t {
    dashes,        // "--": a failed formula's value is no result (every surface)
    as_evaluated,  // the value its formula returned (compute_tool, the self-test file)
};

// The output lines "label：value unit" (CR LF after each), then the
// partial-failure line when a formula failed, into `report` (emptied first),
// each line bounded to what is left of `capacity`.
void write_output_report(const ToolDef& tool, const double* values, const bool* failed,
                         FailedOutputText failed_text, wchar_t* report, int32_t capacity);

// The first matching rule's text into `verdict` (emptied first; capacity at
// least 13), or the fallback verdict; returns the level.
int32_t decide_verdict(const ToolDef& tool, const double* input_values, const double* values,
                       wchar_t* verdict, int32_t capacity);

// The report as compute_tool writes it: a formula tool's output lines with a
// failed output's returned value (FailedOutputText::as_evaluated); a custom
// report as the record holds it. Cut at capacity - 1, then marked as cut.
void write_evaluated_report(const ToolDef& tool, const ToolResult& result, wchar_t* report,
                            int32_t capacity);

// ---- The result in words -----------------------------------------------------

// Level of a verdict in words: 1 "【注意】", 2 "【警示】", 3 "【危急】"; every
// other level "【正常】", as it has the normal colour on screen.
const wchar_t* level_words(int32_t level);

// The verdict line as the page shows it: the level in words, then the verdict
// ("【警示】半衰期须大于 0：结果无效，请检查输入"). Holds the longest verdict whole.
constexpr int32_t kVerdictLineCapacity = 4 + kVerdictCapacity;
void build_verdict_line(const ToolResult& result, wchar_t* out, int32_t capacity);

// The blank that stands for an optional input left empty (its value NaN) on
// the page and the clipboard, where a hand may fill it in.
constexpr const wchar_t* kEmptyInputBlank = L"＿＿＿＿";

// An input's value as it was computed with, for every surface: exactly as
// typed (format_exact_value, never rounded); NaN (an optional input left
// empty) as `empty`. Always terminated (capacity at least 1).
constexpr int32_t kInputValueCapacity = 64;
void format_input_value(double value, const wchar_t* empty, wchar_t* out, int32_t capacity);

// The inputs of a result as text, one entry per input: label, `separator`,
// value (format_input_value with kEmptyInputBlank), then a blank and the unit
// when it has one; entries joined by `joiner`. Empty for a tool without
// inputs. Cut at capacity - 1. The page: "：" and CR LF ("半衰期：30 h"); the
// clipboard: " " and "；" ("半衰期 30 h").
void build_inputs_text(const ToolDef& tool, const ToolResult& result, const wchar_t* separator,
                       const wchar_t* joiner, wchar_t* out, int32_t capacity);
