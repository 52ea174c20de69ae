// The headless self-test mode.
#pragma once

#include <cstdint>

#include "../engine/tool_def.h"

constexpr int32_t kSelftestTextCapacity = 16384;
constexpr int32_t kSelftestUtf8Capacity = 8192;  // at most 8191 bytes used

// Evaluates `tool` with every input at its default and builds the report file's
// text (TOOL, LEVEL, OUT..., VERDICT, DETAIL, ERRORS lines, CR LF) into `text`,
// cut at capacity - 1. Returns the exit code: kSelftestFormulaFailed when an
// output formula failed on its own, else kSelftestPassed.
int32_t build_selftest_text(const ToolDef& tool, wchar_t* text, int32_t capacity);

// Appends a report with its line breaks flattened for the DETAIL line: CR dropped,
// LF as a blank, every other unit unchanged, at most 8000 units taken (dropped
// CRs do not count). When more than line ends is left after those, a blank and
// kCutMarkerLine follow, so the reader knows the report goes on.
constexpr int32_t kSelftestDetailUnits = 8000;
void append_flattened_report(wchar_t* text, int32_t capacity, const wchar_t* report);

// The self-test's exit codes. A deployment script reads them, so a report that
// is not on disk whole must never look like success.
constexpr int32_t kSelftestPassed = 0;
constexpr int32_t kSelftestFormulaFailed = 2;  // an output formula failed on its own
constexpr int32_t kSelftestNotWritten = 3;     // the report file is missing or incomplete; wins over 2

// Builds the text for the tool of this build and writes it to `path`. Returns
// the exit code: kSelftestNotWritten when the file could not be written whole,
// else the code of build_selftest_text.
int32_t run_selftest(const wchar_t* path);

// Writes `text` as UTF-8 without byte-order mark, replacing the file. Returns
// true only when the whole text reached the file and it closed cleanly. Nothing
// is written when the file cannot be opened; the file stays empty when the
// UTF-8 form with its zero byte needs more than 8191 bytes.
bool write_utf8_file(const wchar_t* path, const wchar_t* text);
