// Evaluation of a tool into report, verdict and level.
#pragma once

#include <cstdint>
#include <cwchar>

#include "tool_def.h"

// Capacities of a calculation's texts (UTF-16 units, terminator included). Every
// built-in report fits kReportCapacity whole.
constexpr int32_t kReportCapacity = 8192;
constexpr int32_t kVerdictCapacity = 512;

// Fills report, verdict and detail (each a caller-owned wide buffer with its
// capacity, terminator included) and stores the level. Returns the level. A
// failed output's line keeps the value its formula returned; the window and
// the other surfaces read a ToolResult instead (tool_result.h), where it shows
// "--".
// Capacities are at least 1; the verdict capacity at least 13. Never allocates.
int32_t compute_tool(const ToolDef& tool, const double* input_values, wchar_t* report,
                     int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity,
                     int32_t* level, wchar_t* detail, int32_t detail_capacity);
