// One set of inputs that every report kind reads, with the counts at (or past)
// their upper limits: the reports at their largest. Shared by the allocation
// test and the benchmarks.
#pragma once

#include <cstdint>

#include "engine/tool_def.h"

inline const ToolInput kLargestReportInputs[] = {
    // key         label  unit  default
    {"nurses",     L"",   L"",  40.0},
    {"days",       L"",   L"",  31.0},
    {"start",      L"",   L"",  2.0},   // within the roster's rotation start (0 to 2)
    {"interval",   L"",   L"",  6.0},
    {"times",      L"",   L"",  50.0},
    {"kind",       L"",   L"",  0.0},
    {"drugA",      L"",   L"",  2.0},
    {"drugB",      L"",   L"",  1.0},
    {"gap",        L"",   L"",  7.0},
    {"beds",       L"",   L"",  30.0},
    {"bed",        L"",   L"",  12.0},
    {"dose",       L"",   L"",  250.0},
    {"volume",     L"",   L"",  500.0},
    {"gtt",        L"",   L"",  40.0},
    {"panel",      L"",   L"",  0.0},
    {"drip",       L"",   L"",  20.0},
};
constexpr int32_t kLargestReportInputCount =
    static_cast<int32_t>(sizeof kLargestReportInputs / sizeof kLargestReportInputs[0]);
// Positions of the selector inputs within the set.
constexpr int32_t kLargestReportKindSlot = 5;
constexpr int32_t kLargestReportDrugASlot = 6;
constexpr int32_t kLargestReportDrugBSlot = 7;
constexpr int32_t kLargestReportPanelSlot = 14;
