// compute_tool and the self-test text on small random tool definitions with
// random capacities. Every buffer has guard units on both sides. Properties:
// guards untouched, every text terminated within its capacity, the returned
// level equals the stored one, the detail is the report cut to the detail
// capacity, a formula tool always ends with a non-empty verdict, and the
// self-test text keeps its capacity.
//
// Input layout: counts and kind, then per input/output/rule a few selector
// bytes, formulas either from a table of fragments or as raw text, then the
// values and the capacities.
#include <cstdint>
#include <cwchar>
#include <vector>

#include "app/selftest.h"
#include "engine/compute_tool.h"
#include "engine/tool_def.h"
#include "fuzz_support.h"

namespace {

const char* const kKeys[] = {"t", "x", "ke", "steady", "a", "_b", "T", "pi", ""};
const char* const kFormulas[] = {
    "0.693/t", "5*t", "3.32*t", "t>24", "t>24 ? 1 : t<10 ? 2 : 3", "sqrt(16)+pow(2,10)",
    "min(t,x)*2^3^2", "ke*1000", "steady/ke", "1/0", "exp(1000)", "log(x)", "", "   ",
    "t+", "(((t", "mod(t, x)", "ke + steady + a", "-t", "1e308*10", "0/0", "x%0",
};
const char* const kFormats[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", nullptr, "", "F1"};
const wchar_t* const kLabels[] = {L"消除速率常数", L"", L"a|b", L"%ls%d%%",
                                  L"很长的标签很长的标签很长的标签很长的标签很长的标签很长的标签"
                                  L"很长的标签很长的标签很长的标签很长的标签很长的标签很长的标签",
                                  L"\r\n"};
const wchar_t* const kUnits[] = {L"h", L"", nullptr, L"1/h", L"%s", L"毫克/千克"};
const wchar_t* const kVerdicts[] = {L"药代参数估算完成", L"", L"半衰期较长，蓄积风险高，注意 loading 与监测",
                                    L"%d"};

template <typename T, size_t N>
T pick(FuzzBytes* in, T const (&table)[N]) {
    return table[take_u8(in) % N];
}

// Formulas live as long as one run: from the table, or raw bytes.
const char* take_formula(FuzzBytes* in, std::vector<std::vector<char>>* owned) {
    uint8_t selector = take_u8(in);
    if (selector < 200) return kFormulas[selector % (sizeof kFormulas / sizeof kFormulas[0])];
    owned->push_back(take_text(in, take_u8(in) % 48));
    return owned->back().data();
}

int32_t take_capacity(FuzzBytes* in, int32_t minimum) {
    uint8_t selector = take_u8(in);
    if (selector < 16) return minimum + selector;                      // at the smallest
    if (selector < 32) return 8192;                                    // the self-test's
    if (selector < 48) return 4096;                                    // the window's
    return minimum + static_cast<int32_t>(take_u8(in)) * 4 + (selector & 3);  // anywhere up to ~1k
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    std::vector<std::vector<char>> owned;
    owned.reserve(64);  // pointers into it stay valid

    const int32_t input_count = take_u8(&in) % 5;
    const int32_t output_count = take_u8(&in) % 5;
    const int32_t rule_count = take_u8(&in) % 4;
    const uint8_t kind_selector = take_u8(&in);
    const int32_t kind = kind_selector < 192 ? 0 : static_cast<int32_t>(kind_selector % 15) - 1;

    ToolInput inputs[4];
    for (int32_t i = 0; i < input_count; ++i) {
        inputs[i] = ToolInput{pick(&in, kKeys), pick(&in, kLabels), pick(&in, kUnits), 0.0};
        inputs[i].default_value = take_value(&in);
    }
    ToolOutput outputs[4];
    for (int32_t i = 0; i < output_count; ++i) {
        const char* key = pick(&in, kKeys);
        const wchar_t* label = pick(&in, kLabels);
        const wchar_t* unit = pick(&in, kUnits);
        const char* formula = take_formula(&in, &owned);
        outputs[i] = ToolOutput{key, label, unit, formula, pick(&in, kFormats)};
    }
    ToolRule rules[3];
    for (int32_t i = 0; i < rule_count; ++i) {
        const char* condition = take_formula(&in, &owned);
        int32_t level = static_cast<int32_t>(take_u8(&in) % 5) - 1;
        rules[i] = ToolRule{condition, level, pick(&in, kVerdicts)};
    }
    const ToolDef tool = {static_cast<int32_t>(take_u8(&in)) - 5, L"模糊", L"", L"类别", L"",
                          L"", input_count, inputs, output_count, outputs, rule_count, rules,
                          kind};

    double values[kMaxToolInputs] = {};
    for (int32_t i = 0; i < input_count; ++i) values[i] = take_value(&in);

    // The custom reports need room for their placeholder (13) and verdicts (21).
    GuardedBuffer report(take_capacity(&in, kind != 0 ? 13 : 1));
    GuardedBuffer verdict(take_capacity(&in, kind != 0 ? 21 : 13));
    GuardedBuffer detail(take_capacity(&in, 1));
    int32_t level = -99;
    int32_t returned = compute_tool(tool, values, report.data(), report.capacity, verdict.data(),
                                    verdict.capacity, &level, detail.data(), detail.capacity);
    FUZZ_CHECK(report.sound());
    FUZZ_CHECK(verdict.sound());
    FUZZ_CHECK(detail.sound());
    FUZZ_CHECK(returned == level);
    if (kind == 0) FUZZ_CHECK(verdict.data()[0] != 0);

    // The detail is the report cut to the detail capacity.
    const int32_t report_length = report.length();
    const int32_t detail_length = detail.length();
    const int32_t expected_detail =
        report_length < detail.capacity - 1 ? report_length : detail.capacity - 1;
    FUZZ_CHECK(detail_length == expected_detail);
    FUZZ_CHECK(std::wmemcmp(report.data(), detail.data(), static_cast<size_t>(detail_length)) == 0);

    // The self-test's file text of the same tool, at a random capacity.
    GuardedBuffer text(take_u8(&in) < 64 ? kSelftestTextCapacity : take_capacity(&in, 1));
    int32_t code = build_selftest_text(tool, text.data(), text.capacity);
    FUZZ_CHECK(text.sound());
    FUZZ_CHECK(code == 0 || code == 2);
    if (kind != 0 || output_count == 0) FUZZ_CHECK(code == 0);
    return 0;
}
