// The headless self-test mode.
#pragma once

#include <cstdint>

#include "../engine/tool_def.h"

constexpr int32_t kSelftestTextCapacity = 16384;
constexpr int32_t kSelftestUtf8Capacity = 8192;  // at most 8191 bytes used

// Evaluates `tool` with every input at its default and builds the report file's
// text (TOOL, LEVEL, OUT..., VERDICT, DETAIL, ERRORS lines, CR LF) into `text`,
// cut at capacity - 1. Returns the exit code: 2 when an output formula failed
// on its own, else 0.
int32_t build_selftest_text(const ToolDef& tool, wchar_t* text, int32_t capacity);

// Appends a report with its line breaks flattened for the DETAIL line: CR dropped,
// LF as a blank, every other unit unchanged, at most 8000 units taken (dropped
// CRs do not count).
constexpr int32_t kSelftestDetailUnits = 8000;
void append_flattened_report(wchar_t* text, int32_t capacity, const wchar_t* report);

// Builds the text for the tool of this build and writes it to `path`. Returns
// the exit code; whether the file could be written does not change it.
int32_t run_selftest(const wchar_t* path);

// Writes `text` as UTF-8 without byte-order mark, replacing the file. Nothing is
// written when the file cannot be opened; the file stays empty when the UTF-8
// form with its zero byte needs more than 8191 bytes.
void write_utf8_file(const wchar_t* path, const wchar_t* text);
