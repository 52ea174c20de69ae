// Benchmarks of the engine: the one-pass formula evaluator against muparser
// (fresh parse and pre-compiled) and against the same formulas written in C++,
// plus compute_tool, format_value and every custom report at its largest.
// tools/bench-table.py turns the JSON output into the table of medians and
// ratios; benchmark names carry the row index, labels carry the text.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/compute_tool.h"
#include "engine/format_value.h"
#include "engine/formula_language.h"
#include "engine/tool_def.h"
#include "engine/wide_text.h"
#include "reports/custom_reports.h"
#include "tests/support/largest_report_inputs.h"

namespace {

// ---------------------------------------------------------------------------
// The formula table and its tool: 14 inputs, "t" and "x" near the end, so the
// evaluator's key lookup walks most of the list.

const ToolInput kBenchInputs[] = {
    // key       label        unit   default
    {"age",      L"年龄",     L"",   60.0},
    {"sex",      L"性别",     L"",   1.0},
    {"weight",   L"体重",     L"kg", 70.0},
    {"height",   L"身高",     L"cm", 175.0},
    {"scr",      L"肌酐",     L"",   1.1},
    {"dose",     L"剂量",     L"mg", 2.0},
    {"hr",       L"心率",     L"",   72.0},
    {"sbp",      L"收缩压",   L"",   120.0},
    {"dbp",      L"舒张压",   L"",   80.0},
    {"temp",     L"体温",     L"",   36.8},
    {"spo2",     L"血氧",     L"",   98.0},
    {"na",       L"血钠",     L"",   140.0},
    {"t",        L"半衰期",   L"h",  30.0},
    {"x",        L"偏差",     L"",   -8.0},
};
constexpr int32_t kBenchInputCount = 14;
constexpr int32_t kT = 12;
constexpr int32_t kX = 13;
constexpr int32_t kWeight = 2;
constexpr int32_t kHeight = 3;
constexpr int32_t kScr = 4;
constexpr int32_t kDose = 5;

const ToolDef kBenchTool = {
    900, L"bench", L"", L"", L"", L"",
    kBenchInputCount, kBenchInputs,
    0, nullptr,
    0, nullptr,
    0,
};

// The same inputs with "t" and "x" first: the difference to kBenchTool is the
// cost of the key lookup's linear scan.
const ToolInput kKeysFirstInputs[] = {
    // key       label        unit   default
    {"t",        L"半衰期",   L"h",  30.0},
    {"x",        L"偏差",     L"",   -8.0},
    {"age",      L"年龄",     L"",   60.0},
    {"sex",      L"性别",     L"",   1.0},
    {"weight",   L"体重",     L"kg", 70.0},
    {"height",   L"身高",     L"cm", 175.0},
    {"scr",      L"肌酐",     L"",   1.1},
    {"dose",     L"剂量",     L"mg", 2.0},
    {"hr",       L"心率",     L"",   72.0},
    {"sbp",      L"收缩压",   L"",   120.0},
    {"dbp",      L"舒张压",   L"",   80.0},
    {"temp",     L"体温",     L"",   36.8},
    {"spo2",     L"血氧",     L"",   98.0},
    {"na",       L"血钠",     L"",   140.0},
};

const ToolDef kKeysFirstTool = {
    901, L"bench", L"", L"", L"", L"",
    kBenchInputCount, kKeysFirstInputs,
    0, nullptr,
    0, nullptr,
    0,
};

// Values hidden from the optimiser: the floor loads them from here each time.
double g_values[kBenchInputCount];
double g_keys_first_values[kBenchInputCount];

double floor_0(const double* v) { return 0.693 / v[kT]; }
double floor_1(const double* v) { return 5 * v[kT]; }
double floor_2(const double* v) { return 3.32 * v[kT]; }
double floor_3(const double* v) { return v[kT] > 24 ? 1.0 : 0.0; }
double floor_4(const double* v) { return v[kT] > 24 ? 1 : v[kT] < 10 ? 2 : 3; }
// A literal the optimiser cannot see through: the empty asm may have changed the
// value in its register, so the literal is really loaded and the result really
// computed each time.
double opaque(double value) {
#if defined(__GNUC__) && defined(__x86_64__)
    asm volatile("" : "+x"(value));
#else
    volatile double copy = value;
    value = copy;
#endif
    return value;
}

double floor_5(const double*) { return std::sqrt(opaque(16)) + std::pow(opaque(2), opaque(10)); }
double floor_6(const double* v) {
    double m = v[kT] < v[kX] ? v[kT] : v[kX];
    return m * std::pow(opaque(2), std::pow(opaque(3), opaque(2)));
}
double floor_7(const double* v) {
    double h = v[kHeight] / 100;
    return v[kWeight] / (h * h) + std::fabs(v[kT] - v[kX]) / 2 - 0.5 * v[kDose] * v[kScr];
}

struct FormulaRow {
    const char* text;
    double (*floor)(const double*);
    bool one_operator;  // the "within 10x of muparser pre-compiled" goal applies
};

const FormulaRow kFormulas[] = {
    // text                                                          floor     one operator
    {"0.693/t",                                                      floor_0,  true},
    {"5*t",                                                          floor_1,  true},
    {"3.32*t",                                                       floor_2,  true},
    {"t>24",                                                         floor_3,  true},
    {"t>24 ? 1 : t<10 ? 2 : 3",                                      floor_4,  false},
    {"sqrt(16)+pow(2,10)",                                           floor_5,  false},
    {"min(t,x)*2^3^2",                                               floor_6,  false},
    {"weight/(height/100)^2 + abs(t-x)/2 - 0.5*dose*scr",           floor_7,  false},
};
constexpr int32_t kFormulaCount = static_cast<int32_t>(sizeof kFormulas / sizeof kFormulas[0]);

void bm_evaluate_formula(benchmark::State& state) {
    const FormulaRow& row = kFormulas[state.range(0)];
    int32_t flag = 0;
    double outputs[kMaxToolOutputs] = {};
    for (auto _ : state) {
        double value = evaluate_formula(kBenchTool, row.text, g_values, outputs, &flag);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(flag);
    }
    if (flag != 0) state.SkipWithError("formula failed");
    state.SetLabel(row.text);
}

void bm_evaluate_keys_first(benchmark::State& state) {
    const FormulaRow& row = kFormulas[state.range(0)];
    int32_t flag = 0;
    double outputs[kMaxToolOutputs] = {};
    for (auto _ : state) {
        double value =
            evaluate_formula(kKeysFirstTool, row.text, g_keys_first_values, outputs, &flag);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(flag);
    }
    if (flag != 0) state.SkipWithError("formula failed");
    state.SetLabel(row.text);
}

double mu_pow(double a, double b) { return std::pow(a, b); }

// A muparser parser with every input defined once, bound to g_values.
void define_muparser_inputs(mu::Parser& parser) {
    for (int32_t i = 0; i < kBenchInputCount; ++i) {
        parser.DefineVar(kBenchInputs[i].key, &g_values[i]);
    }
    parser.DefineFun("pow", mu_pow);
}

void bm_muparser_fresh(benchmark::State& state) {
    const FormulaRow& row = kFormulas[state.range(0)];
    const std::string text = row.text;
    try {
        mu::Parser parser;
        define_muparser_inputs(parser);
        for (auto _ : state) {
            parser.SetExpr(text);
            double value = parser.Eval();
            benchmark::DoNotOptimize(value);
        }
    } catch (const mu::Parser::exception_type& e) {
        state.SkipWithError(e.GetMsg().c_str());
    }
    state.SetLabel(row.text);
}

void bm_muparser_compiled(benchmark::State& state) {
    const FormulaRow& row = kFormulas[state.range(0)];
    try {
        mu::Parser parser;
        define_muparser_inputs(parser);
        parser.SetExpr(row.text);
        parser.Eval();  // the first Eval parses and builds the byte code
        for (auto _ : state) {
            double value = parser.Eval();
            benchmark::DoNotOptimize(value);
        }
    } catch (const mu::Parser::exception_type& e) {
        state.SkipWithError(e.GetMsg().c_str());
    }
    state.SetLabel(row.text);
}

void bm_cpp_floor(benchmark::State& state) {
    const FormulaRow& row = kFormulas[state.range(0)];
    for (auto _ : state) {
        const double* values = g_values;
        benchmark::DoNotOptimize(values);  // the compiler may not assume the inputs
        double value = row.floor(values);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(row.text);
}

// ---------------------------------------------------------------------------
// compute_tool, format_value and the reports.

void bm_compute_tool(benchmark::State& state) {
    const ToolDef& tool = get_tool_definition();
    double inputs[kMaxToolInputs] = {};
    for (int32_t i = 0; i < tool.input_count; ++i) inputs[i] = tool.inputs[i].default_value;
    static wchar_t report[4096];
    static wchar_t verdict[512];
    static wchar_t detail[8192];
    int32_t level = 0;
    for (auto _ : state) {
        int32_t result = compute_tool(tool, inputs, report, 4096, verdict, 512, &level, detail,
                                      8192);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetLabel("built-in tool, default inputs, window capacities");
}

struct FormatRow {
    const char* name;
    double value;
};

const FormatRow kFormats[] = {
    // format   value
    {"f0",      12.3456},
    {"f1",      12.3456},
    {"f2",      12.3456},
    {"f3",      12.3456},
    {"int",     12.3456},
    {"pct",     12.3456},
    {"date",    19723.0},
    {nullptr,   12.3456},
    {"f2",      1e308},
};
constexpr int32_t kFormatCount = static_cast<int32_t>(sizeof kFormats / sizeof kFormats[0]);

void bm_format_value(benchmark::State& state) {
    const FormatRow& row = kFormats[state.range(0)];
    wchar_t out[128];
    for (auto _ : state) {
        double value = row.value;
        benchmark::DoNotOptimize(value);
        format_value(row.name, value, out, 128);
        benchmark::ClobberMemory();
    }
    char label[64];
    std::snprintf(label, sizeof label, "%s %g", row.name ? row.name : "(absent)", row.value);
    state.SetLabel(label);
}

// One input tool per report kind. A report is measured at its largest: the
// count inputs at their upper limits and, for the selector inputs, the value
// that gives the longest report (largest_report_values).
const ToolDef& kReportTool = kLargestReportTool;

// The self-test's report buffer and the verdict: the engine's capacities.
constexpr int32_t kSelfTestReportCapacity = kReportCapacity;

void bm_custom_report(benchmark::State& state) {
    const int32_t kind = static_cast<int32_t>(state.range(0));
    double values[kMaxToolInputs] = {};
    largest_report_values(kind, values);
    static wchar_t report[kSelfTestReportCapacity];
    static wchar_t verdict[kVerdictCapacity];
    for (auto _ : state) {
        int32_t level = build_custom_report(kind, kReportTool, values, report,
                                            kSelfTestReportCapacity, verdict, kVerdictCapacity);
        benchmark::DoNotOptimize(level);
        benchmark::ClobberMemory();
    }
    char label[64];
    std::snprintf(label, sizeof label, "%d units", wtext_length(report));
    state.SetLabel(label);
}

// Every hand-written row must compute what the evaluator computes from the same
// inputs (within rounding), or its ratio compares against a wrong reference.
// Says which rows differ; false when any does.
bool cpp_floors_agree_with_evaluator() {
    bool agree = true;
    double outputs[kMaxToolOutputs] = {};
    for (const FormulaRow& row : kFormulas) {
        int32_t flag = 0;
        double expected = evaluate_formula(kBenchTool, row.text, g_values, outputs, &flag);
        double native = row.floor(g_values);
        if (flag != 0 || !(std::fabs(native - expected) <= 1e-12 * std::fabs(expected))) {
            std::fprintf(stderr, "C++ row \"%s\" gives %.17g, the evaluator %.17g (flag %d)\n",
                         row.text, native, expected, flag);
            agree = false;
        }
    }
    return agree;
}

void register_all() {
    for (int32_t i = 0; i < kFormulaCount; ++i) {
        benchmark::RegisterBenchmark("evaluate_formula", bm_evaluate_formula)->Arg(i);
        benchmark::RegisterBenchmark("evaluate_keys_first", bm_evaluate_keys_first)->Arg(i);
        benchmark::RegisterBenchmark("muparser_fresh", bm_muparser_fresh)->Arg(i);
        benchmark::RegisterBenchmark("muparser_compiled", bm_muparser_compiled)->Arg(i);
        benchmark::RegisterBenchmark("cpp_floor", bm_cpp_floor)->Arg(i);
    }
    benchmark::RegisterBenchmark("compute_tool", bm_compute_tool);
    for (int32_t i = 0; i < kFormatCount; ++i) {
        benchmark::RegisterBenchmark("format_value", bm_format_value)->Arg(i);
    }
    for (int32_t kind = 1; kind <= 11; ++kind) {
        benchmark::RegisterBenchmark("build_custom_report", bm_custom_report)->Arg(kind);
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (int32_t i = 0; i < kBenchInputCount; ++i) {
        g_values[i] = kBenchInputs[i].default_value;
        g_keys_first_values[i] = kKeysFirstInputs[i].default_value;
    }
    if (!cpp_floors_agree_with_evaluator()) return 1;
    register_all();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
