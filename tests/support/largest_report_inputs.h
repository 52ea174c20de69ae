// One set of inputs that every report kind reads, with the counts at their
// upper limits: the reports at their largest. Shared by the allocation test and
// the benchmarks; the allocation test checks that each kind's largest inputs
// give its report, not a refusal, so a lowered limit cannot quietly leave them
// measuring the refusal's few lines.
#pragma once

#include <cstdint>

#include "engine/compute_tool.h"
#include "engine/custom_report.h"
#include "engine/tool_def.h"
#include "engine/wide_text.h"

inline const ToolInput kLargestReportInputs[] = {
    // key         label  unit  default
    {"nurses",     L"",   L"",  40.0},   // roster: 3 to 40
    {"days",       L"",   L"",  31.0},   // roster: 1 to 31
    // Read by three reports: the roster's rotation start (0 to 2), the dosing
    // timetable's first dose (hour of the day) and the follow-up plan's first
    // visit (days from today). 0 is valid for each.
    {"start",      L"",   L"",  0.0},
    {"interval",   L"",   L"",  6.0},
    // The dosing timetable takes 1 to 30 doses, the follow-up plan 1 to 20
    // visits: 20 here, 30 for the timetable (largest_report_values).
    {"times",      L"",   L"",  20.0},
    {"kind",       L"",   L"",  0.0},
    {"drugA",      L"",   L"",  2.0},
    {"drugB",      L"",   L"",  1.0},
    {"gap",        L"",   L"",  7.0},
    {"beds",       L"",   L"",  30.0},   // handover: 1 to 30
    {"bed",        L"",   L"",  12.0},
    {"dose",       L"",   L"",  250.0},
    {"volume",     L"",   L"",  500.0},
    {"gtt",        L"",   L"",  40.0},
    {"panel",      L"",   L"",  0.0},
    {"drip",       L"",   L"",  20.0},
};
constexpr int32_t kLargestReportInputCount =
    static_cast<int32_t>(sizeof kLargestReportInputs / sizeof kLargestReportInputs[0]);
// Positions of the selector and shared count inputs within the set.
constexpr int32_t kLargestReportTimesSlot = 4;
constexpr int32_t kLargestReportKindSlot = 5;
constexpr int32_t kLargestReportDrugASlot = 6;
constexpr int32_t kLargestReportDrugBSlot = 7;
constexpr int32_t kLargestReportPanelSlot = 14;
constexpr int32_t kLargestDoseCount = 30;

inline const ToolDef kLargestReportTool = {
    901, L"reports", L"", L"", L"", L"", kLargestReportInputCount, kLargestReportInputs,
    0,   nullptr,    0,  nullptr, 0};

// The defaults of the set.
inline void default_report_values(double* values) {
    for (int32_t i = 0; i < kLargestReportInputCount; ++i) {
        values[i] = kLargestReportInputs[i].default_value;
    }
}

// The input values giving the longest report of `kind` that is not a refusal:
// the defaults, the timetable's own dose count, and the selector values (the
// drug pair, from 1 to 10, for the compatibility check) whose level-0 report
// (any level of the compatibility check, which judges) is longest, found by
// trying each. A selector naming no row gives a longer list of the valid ones
// for some kinds, but that is the refusal.
inline void largest_report_values(int32_t kind, double* values) {
    default_report_values(values);
    if (kind == 2) values[kLargestReportTimesSlot] = kLargestDoseCount;
    static wchar_t report[kReportCapacity];
    wchar_t verdict[kVerdictCapacity];
    int32_t best = -1;
    double best_a = values[kLargestReportDrugASlot], best_b = values[kLargestReportDrugBSlot];
    double best_selector = 0;
    for (int32_t a = 0; a <= 10; ++a) {
        for (int32_t b = 0; b <= 10; ++b) {
            if (kind == 6 ? a == 0 || b == 0 : a > 0 || b > 0) continue;
            for (int32_t selector = 0; selector <= 8; ++selector) {
                if (kind == 6) {
                    values[kLargestReportDrugASlot] = a;
                    values[kLargestReportDrugBSlot] = b;
                }
                values[kLargestReportKindSlot] = selector;
                values[kLargestReportPanelSlot] = selector;
                report[0] = 0;
                verdict[0] = 0;
                const int32_t level = build_custom_report(kind, kLargestReportTool, values, report,
                                                          kReportCapacity, verdict,
                                                          kVerdictCapacity);
                const int32_t length = wtext_length(report);
                if ((level == 0 || kind == 6) && length > best) {
                    best = length;
                    best_a = a;
                    best_b = b;
                    best_selector = selector;
                }
            }
        }
    }
    if (kind == 6) {
        values[kLargestReportDrugASlot] = best_a;
        values[kLargestReportDrugBSlot] = best_b;
    }
    values[kLargestReportKindSlot] = best_selector;
    values[kLargestReportPanelSlot] = best_selector;
}
