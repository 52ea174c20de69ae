// Test harness of the custom reports: tools built from key/value pairs, and runs
// into guarded buffers that must come back sound.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "engine/compute_tool.h"
#include "engine/tool_def.h"
#include "engine/wide_text.h"
#include "reports/custom_reports.h"
#include "tests/support/guarded_buffer.h"

namespace report_test {

// One input of a test tool. A key that is null is left out of the tool, so the
// report sees it missing.
struct KeyValue {
    const char* key;
    double value;
};

constexpr int32_t kMaxTestInputs = 8;

// A tool definition with the given inputs (label and unit empty) and kind.
struct TestTool {
    ToolInput inputs[kMaxTestInputs];
    double values[kMaxTestInputs];
    ToolDef def;
};

inline void make_tool(TestTool* tool, std::initializer_list<KeyValue> pairs, int32_t kind = 0) {
    int32_t count = 0;
    for (const KeyValue& pair : pairs) {
        if (pair.key == nullptr || count == kMaxTestInputs) continue;
        tool->inputs[count] = ToolInput{pair.key, L"", L"", pair.value};
        tool->values[count] = pair.value;
        ++count;
    }
    tool->def = ToolDef{900, L"报告测试", L"", L"测试", L"", L"", count, tool->inputs, 0,
                        nullptr, 0, nullptr, kind};
}

struct ReportRun {
    std::wstring report;
    std::wstring verdict;
    int32_t level;
};

constexpr int32_t kSelftestReportCapacity = 8192;
constexpr int32_t kWindowReportCapacity = 4096;
// kVerdictCapacity: the engine's (engine/compute_tool.h).

// Runs the dispatcher for `kind` into guarded buffers and checks the guards.
inline ReportRun run_report(int32_t kind, const TestTool& tool,
                            int32_t report_capacity = kSelftestReportCapacity,
                            int32_t verdict_capacity = kVerdictCapacity) {
    GuardedBuffer report(report_capacity);
    GuardedBuffer verdict(verdict_capacity);
    int32_t level = build_custom_report(kind, tool.def, tool.values, report.data(),
                                        report_capacity, verdict.data(), verdict_capacity);
    EXPECT_TRUE(report.sound()) << "report of kind " << kind;
    EXPECT_TRUE(verdict.sound()) << "verdict of kind " << kind;
    return ReportRun{report.text(), verdict.text(), level};
}

// Joins lines, each closed by CR LF.
inline std::wstring lines(std::initializer_list<const wchar_t*> texts) {
    std::wstring out;
    for (const wchar_t* text : texts) {
        out += text;
        out += L"\r\n";
    }
    return out;
}

// The lines of a report, CR LF removed; a text after the last CR LF is a line too.
inline std::vector<std::wstring> split_lines(const std::wstring& report) {
    std::vector<std::wstring> out;
    size_t start = 0;
    for (;;) {
        size_t end = report.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            if (start < report.size()) out.push_back(report.substr(start));
            return out;
        }
        out.push_back(report.substr(start, end - start));
        start = end + 2;
    }
}

// UTF-8 form of a wide text, for messages and file contents.
inline std::string utf8(const std::wstring& text) {
    std::vector<char> bytes(text.size() * 4 + 1);
    int32_t count = utf8_from_wide(text.c_str(), bytes.data(), static_cast<int32_t>(bytes.size()));
    return count > 0 ? std::string(bytes.data(), static_cast<size_t>(count - 1)) : std::string();
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTwo31 = 2147483648.0;

// Values that a whole-number conversion or the date and time arithmetic must
// survive without undefined behaviour.
constexpr double kMaxDouble = std::numeric_limits<double>::max();
const double kHostileValues[] = {kNaN,       -kNaN,       kInf,      -kInf,      1e308,
                                 -1e308,     kMaxDouble,  -kMaxDouble, kTwo31,   -kTwo31,
                                 kTwo31 - 1, -kTwo31 - 1, 4.5e15,    -4.5e15,    9.3e18,
                                 -9.3e18,    2.2e20,      1e-320,    -0.0};

// ---- Limits: a value outside them is named, never replaced --------------------

// Inputs and the lines that refuse them; no lines: accepted (below level 2:
// a report may still flag an accepted value to check).
struct LimitRow {
    std::initializer_list<KeyValue> inputs;
    std::initializer_list<const wchar_t*> refused;
};

template <size_t N>
void expect_limits(int32_t kind, const LimitRow (&rows)[N],
                   const wchar_t* verdict = L"输入超出范围，请核对") {
    for (const LimitRow& row : rows) {
        TestTool tool;
        make_tool(&tool, row.inputs);
        ReportRun run = run_report(kind, tool);
        std::string name = row.refused.size() == 0 ? "accepted" : utf8(*row.refused.begin());
        if (row.refused.size() == 0) {
            EXPECT_LT(run.level, 2) << "kind " << kind << " " << utf8(run.report);
            EXPECT_NE(run.verdict, verdict) << "kind " << kind << " " << utf8(run.report);
        } else {
            EXPECT_EQ(run.report, lines(row.refused)) << "kind " << kind << " " << name;
            EXPECT_EQ(run.verdict, verdict) << name;
            EXPECT_EQ(run.level, 2) << name;
        }
    }
}

}  // namespace report_test
