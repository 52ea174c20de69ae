// Zero heap allocation: the engine, the reports, the self-test text and the
// record-line builders must work in fixed storage only. This binary replaces
// every global operator new and delete to count them, and also counts malloc,
// calloc, realloc and free: in the sanitizer build on the host through the
// allocator's hook interface, in the MinGW build by wrapping them at link time
// (tests/alloc/CMakeLists.txt), which reaches the C runtime's own printf.
// Counting is armed only around the calls under test, so the test framework's
// own allocations do not disturb it. The positive controls prove that a
// deliberate allocation is seen.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#if defined(_WIN32)
#include <malloc.h>  // _aligned_malloc, _aligned_free
#endif

#include "app/command_line.h"
#include "records/record_store.h"
#include "app/selftest.h"
#include "engine/calendar.h"
#include "engine/compute_tool.h"
#include "engine/format_value.h"
#include "engine/formula_language.h"
#include "engine/platform.h"
#include "engine/tool_def.h"
#include "engine/wide_text.h"
#include "reports/custom_reports.h"
#include "tests/support/largest_report_inputs.h"

// ---------------------------------------------------------------------------
// malloc-level counting: the sanitizer runtime calls a hook on every malloc,
// calloc, realloc (and on operator new, which allocates through it).

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KINETORA_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KINETORA_ASAN 1
#endif

#if defined(KINETORA_ASAN)
#if defined(__has_include)
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#define KINETORA_HAVE_ALLOCATOR_HEADER 1
#endif
#endif
#if !defined(KINETORA_HAVE_ALLOCATOR_HEADER)
// The compiler ships the runtime but not this header (g++): declare the hook
// installer as the runtime exports it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*malloc_hook)(const volatile void*, size_t), void (*free_hook)(const volatile void*));
#endif
#define KINETORA_MALLOC_HOOKS 1
#endif

namespace {

struct AllocCounts {
    int64_t news;     // operator new, every form
    int64_t deletes;  // operator delete of a non-null pointer, every form
    int64_t mallocs;  // malloc, calloc, realloc (and aligned forms in the sanitizer build)
    int64_t frees;
};

bool g_armed = false;
AllocCounts g_counts = {0, 0, 0, 0};

#if defined(KINETORA_MALLOC_HOOKS)
void on_malloc(const volatile void*, size_t) {
    if (g_armed) ++g_counts.mallocs;
}
void on_free(const volatile void* pointer) {
    if (g_armed && pointer != nullptr) ++g_counts.frees;
}
const bool g_hooks_installed =
    __sanitizer_install_malloc_and_free_hooks(on_malloc, on_free) != 0;
constexpr bool kCountsMalloc = true;
#elif defined(KINETORA_WRAPPED_MALLOC)
constexpr bool kCountsMalloc = true;
#else
constexpr bool kCountsMalloc = false;
#endif

void* counted_allocate(size_t size) {
    if (g_armed) ++g_counts.news;
    return std::malloc(size == 0 ? 1 : size);
}

void* counted_allocate_aligned(size_t size, std::align_val_t alignment) {
    if (g_armed) ++g_counts.news;
    size_t align = static_cast<size_t>(alignment);
    if (align < sizeof(void*)) align = sizeof(void*);
    size_t rounded = (size + align - 1) / align * align;
#if defined(_WIN32)
    return _aligned_malloc(rounded == 0 ? align : rounded, align);
#else
    void* pointer = nullptr;
    if (posix_memalign(&pointer, align, rounded == 0 ? align : rounded) != 0) return nullptr;
    return pointer;
#endif
}

void counted_release(void* pointer) {
    if (pointer == nullptr) return;
    if (g_armed) ++g_counts.deletes;
    std::free(pointer);
}

void counted_release_aligned(void* pointer) {
    if (pointer == nullptr) return;
    if (g_armed) ++g_counts.deletes;
#if defined(_WIN32)
    _aligned_free(pointer);
#else
    std::free(pointer);
#endif
}

// Counts the allocations made while `call` runs. The compiler knows malloc by
// name and may take it that the call leaves these globals alone; the fences
// make it store and reload them around the call.
template <typename Call>
AllocCounts count_allocations(Call&& call) {
    g_counts = AllocCounts{0, 0, 0, 0};
    g_armed = true;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    call();
    std::atomic_signal_fence(std::memory_order_seq_cst);
    g_armed = false;
    return g_counts;
}

// The follow-up plan reads the local date. On the host the C library loads the
// time-zone rules on its first local-time call in the process (a few mallocs
// inside glibc, once; Windows' GetLocalTime allocates nothing). Tests that
// reach the follow-up plan load them first, so only the program's own code is
// counted; LocalClock below checks that later reads allocate nothing.
void load_time_zone_rules() { (void)local_time_now(); }

int64_t total(const AllocCounts& c) { return c.news + c.deletes + c.mallocs + c.frees; }

::testing::AssertionResult no_allocation(const AllocCounts& c) {
    if (total(c) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "new " << c.news << ", delete " << c.deletes << ", malloc " << c.mallocs
           << ", free " << c.frees;
}

}  // namespace

#if defined(KINETORA_WRAPPED_MALLOC)
// The linker sends every call of malloc, calloc, realloc and free in the
// program's objects and the static C runtime pieces (printf among them) here.
extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* pointer, size_t size);
void __real_free(void* pointer);

void* __wrap_malloc(size_t size) {
    if (g_armed) ++g_counts.mallocs;
    return __real_malloc(size);
}
void* __wrap_calloc(size_t count, size_t size) {
    if (g_armed) ++g_counts.mallocs;
    return __real_calloc(count, size);
}
void* __wrap_realloc(void* pointer, size_t size) {
    if (g_armed) ++g_counts.mallocs;
    return __real_realloc(pointer, size);
}
void __wrap_free(void* pointer) {
    if (g_armed && pointer != nullptr) ++g_counts.frees;
    __real_free(pointer);
}
}
#endif

// ---------------------------------------------------------------------------
// The replaced global allocation functions, every form.

void* operator new(size_t size) {
    void* pointer = counted_allocate(size);
    if (pointer == nullptr) throw std::bad_alloc();
    return pointer;
}
void* operator new[](size_t size) {
    void* pointer = counted_allocate(size);
    if (pointer == nullptr) throw std::bad_alloc();
    return pointer;
}
void* operator new(size_t size, const std::nothrow_t&) noexcept { return counted_allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return counted_allocate(size);
}
void* operator new(size_t size, std::align_val_t alignment) {
    void* pointer = counted_allocate_aligned(size, alignment);
    if (pointer == nullptr) throw std::bad_alloc();
    return pointer;
}
void* operator new[](size_t size, std::align_val_t alignment) {
    void* pointer = counted_allocate_aligned(size, alignment);
    if (pointer == nullptr) throw std::bad_alloc();
    return pointer;
}
void* operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return counted_allocate_aligned(size, alignment);
}
void* operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return counted_allocate_aligned(size, alignment);
}

void operator delete(void* pointer) noexcept { counted_release(pointer); }
void operator delete[](void* pointer) noexcept { counted_release(pointer); }
void operator delete(void* pointer, size_t) noexcept { counted_release(pointer); }
void operator delete[](void* pointer, size_t) noexcept { counted_release(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { counted_release(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    counted_release(pointer);
}
void operator delete(void* pointer, std::align_val_t) noexcept {
    counted_release_aligned(pointer);
}
void operator delete[](void* pointer, std::align_val_t) noexcept {
    counted_release_aligned(pointer);
}
void operator delete(void* pointer, size_t, std::align_val_t) noexcept {
    counted_release_aligned(pointer);
}
void operator delete[](void* pointer, size_t, std::align_val_t) noexcept {
    counted_release_aligned(pointer);
}
void operator delete(void* pointer, std::align_val_t, const std::nothrow_t&) noexcept {
    counted_release_aligned(pointer);
}
void operator delete[](void* pointer, std::align_val_t, const std::nothrow_t&) noexcept {
    counted_release_aligned(pointer);
}

namespace {

// ---------------------------------------------------------------------------
// Positive controls: the counting sees what it must see.

struct alignas(64) OverAligned {
    char bytes[64];
};

TEST(AllocationCounting, CountsOneOperatorNewAsOne) {
    int* volatile kept = nullptr;
    AllocCounts c = count_allocations([&] { kept = new int(7); });
    EXPECT_EQ(c.news, 1);
    EXPECT_EQ(c.deletes, 0);
    if (kCountsMalloc) EXPECT_EQ(c.mallocs, 1);  // operator new allocates through malloc
    c = count_allocations([&] { delete kept; });
    EXPECT_EQ(c.deletes, 1);
    EXPECT_EQ(c.news, 0);
}

TEST(AllocationCounting, CountsArrayAlignedAndNothrowForms) {
    char* volatile array = nullptr;
    OverAligned* volatile aligned = nullptr;
    int* volatile nothrow = nullptr;
    AllocCounts c = count_allocations([&] {
        array = new char[33];
        aligned = new OverAligned;
        nothrow = new (std::nothrow) int(1);
    });
    EXPECT_EQ(c.news, 3);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(aligned) % 64, 0u);
    c = count_allocations([&] {
        delete[] array;
        delete aligned;
        delete nothrow;
    });
    EXPECT_EQ(c.deletes, 3);
}

TEST(AllocationCounting, CountsMallocCallocAndRealloc) {
    if (!kCountsMalloc) {
        GTEST_SKIP() << "malloc is counted in the sanitizer build and the MinGW build";
    }
#if defined(KINETORA_MALLOC_HOOKS)
    ASSERT_TRUE(g_hooks_installed);
#endif
    void* volatile block = nullptr;
    AllocCounts c = count_allocations([&] { block = std::malloc(24); });
    EXPECT_EQ(c.mallocs, 1);
    EXPECT_EQ(c.news, 0);
    c = count_allocations([&] { block = std::realloc(block, 4096); });
    EXPECT_GE(c.mallocs, 1);
    c = count_allocations([&] {
        std::free(block);
        block = std::calloc(3, 8);
    });
    EXPECT_EQ(c.mallocs, 1);
    EXPECT_EQ(c.frees, 1);
    std::free(block);
}

// The reason malloc is counted at all: the C runtime's printf allocates for
// very wide numbers, and the count must see it.
TEST(AllocationCounting, CountsWhatTheCRuntimesPrintfAllocates) {
    if (!kCountsMalloc) {
        GTEST_SKIP() << "malloc is counted in the sanitizer build and the MinGW build";
    }
    static char text[8192];
    AllocCounts c = count_allocations([&] { std::snprintf(text, sizeof text, "%.100000f", 0.1); });
    EXPECT_GE(c.mallocs, 1);
    EXPECT_EQ(c.news, 0);
}

TEST(AllocationCounting, DisarmedCountingIgnoresAllocations) {
    g_counts = AllocCounts{0, 0, 0, 0};
    int* volatile kept = new int(3);
    delete kept;
    EXPECT_EQ(total(g_counts), 0);
}

// ---------------------------------------------------------------------------
// The formula language.

const ToolInput kFormulaInputs[] = {
    // key   label  unit  default
    {"t",    L"",   L"",  30.0},
    {"x",    L"",   L"",  -8.0},
};
const ToolOutput kFormulaOutputs[] = {
    // key       label  unit  formula  format
    {"ke",       L"",   L"",  "0",     "f3"},
    {"steady",   L"",   L"",  "0",     "f1"},
};
const ToolDef kFormulaTool = {1, L"", L"", L"", L"", L"", 2, kFormulaInputs, 2, kFormulaOutputs,
                              0, nullptr, 0};

const char* const kFormulas[] = {
    // valid, failing, every operator and function, the bench set
    "0.693/t", "5 * t", "3.32*t", "t>24", "t>=30", "t<30", "t==30", "t!=30", "1 < t < 40",
    "t = 30", "t>24 && ke<0.1", "t<24 || steady>100", "!t", "!0", "t>24 ? 1 : 2",
    "t>24 ? 1 : t<10 ? 2 : 3", "t>24 ? 1 2", "t>24 ? 1 : 1/0", "2^3^2", "-2^2", "2^-1",
    "2 ** 3", "-x", "+-+x", "--x", "10 % 3", "mod(10, 3)", "mod(-7, 3)", "mod(7, 0)", "7 % 0",
    "10/0 + 1", "2 * 3/0 * 5", "sqrt(x)", "cbrt(x)", "abs(x)", "sign(x)", "sign(0)",
    "round(2.5)", "floor(-1.5)", "ceil(-1.5)", "log(0)", "log10(1000)", "exp(1000)",
    "exp(1000) > 0", "min(t, x)", "max(t, x)", "pow(2, 10)", "min(t)", "sqrt(4, 9)",
    "min(1, 2, 3)", "sqrt (16)", "( t )", "T", "pi", "t + foo", "2t", "1.5.3", ".", "1e3",
    ".5", "0x1A", "1e400", "123456789012345678901234567890", "", "   ", "\t\n\r t \v",
    "sqrt(16)+pow(2,10)", "min(t,x)*2^3^2",
    "weight/(height/100)^2 + abs(t-x)/2 - 0.5*dose*scr",
    "a_name_of_sixty_four_characters_which_is_longer_than_any_key_012",
    "\x80t", "(((((t)))))", "t >",
};

TEST(NoAllocation, EvaluateFormula) {
    double inputs[2] = {30.0, -8.0};
    double outputs[kMaxToolOutputs] = {0.0231, 150.0};
    for (const char* formula : kFormulas) {
        int32_t flag = -1;
        double value = 0;
        AllocCounts c = count_allocations([&] {
            value = evaluate_formula(kFormulaTool, formula, inputs, outputs, &flag);
        });
        EXPECT_TRUE(no_allocation(c)) << "formula \"" << formula << "\"";
        EXPECT_TRUE(flag == 0 || flag == 1) << formula;
        (void)value;
    }
    int32_t flag = -1;
    AllocCounts c = count_allocations(
        [&] { evaluate_formula(kFormulaTool, nullptr, inputs, outputs, &flag); });
    EXPECT_TRUE(no_allocation(c)) << "absent formula";
}

TEST(NoAllocation, EvaluateFormulaWithNonFiniteInputs) {
    const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), 1e308, -1e308, 0.0};
    double outputs[kMaxToolOutputs] = {};
    for (double t : specials) {
        for (double x : specials) {
            double inputs[2] = {t, x};
            AllocCounts c = count_allocations([&] {
                for (const char* formula : kFormulas) {
                    int32_t flag = 0;
                    evaluate_formula(kFormulaTool, formula, inputs, outputs, &flag);
                }
            });
            EXPECT_TRUE(no_allocation(c)) << "t=" << t << " x=" << x;
        }
    }
}

TEST(NoAllocation, EvaluateFormulaNestedBeyondTheLimit) {
    static char deep[100001];
    std::memset(deep, '(', 100000);
    deep[100000] = 0;
    static char unary[100001];
    std::memset(unary, '-', 99999);
    unary[99999] = '1';
    unary[100000] = 0;
    double inputs[2] = {30.0, -8.0};
    double outputs[kMaxToolOutputs] = {};
    for (const char* formula : {static_cast<const char*>(deep), static_cast<const char*>(unary)}) {
        int32_t flag = 0;
        AllocCounts c = count_allocations(
            [&] { evaluate_formula(kFormulaTool, formula, inputs, outputs, &flag); });
        EXPECT_TRUE(no_allocation(c));
        EXPECT_EQ(flag, 1);
    }
}

// ---------------------------------------------------------------------------
// compute_tool: the built-in tool and custom-kind tools.

TEST(NoAllocation, ComputeToolBuiltIn) {
    const ToolDef& tool = get_tool_definition();
    const double half_lives[] = {8.0, 30.0, 24.0, 0.0, -1.0, 1e308, -1e308,
                                 std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity()};
    struct Capacities {
        int32_t report, verdict, detail;
    };
    const Capacities capacities[] = {
        // report  verdict  detail
        {8192,     512,     8192},  // self-test
        {4096,     512,     8192},  // window
        {1,        13,      1},     // smallest allowed
        {40,       20,      17},    // cut inside a line
    };
    static wchar_t report[8192], verdict[512], detail[8192];
    for (double t : half_lives) {
        double inputs[kMaxToolInputs] = {t};
        for (const Capacities& cap : capacities) {
            int32_t level = -1;
            AllocCounts c = count_allocations([&] {
                compute_tool(tool, inputs, report, cap.report, verdict, cap.verdict, &level,
                             detail, cap.detail);
            });
            EXPECT_TRUE(no_allocation(c)) << "t=" << t << " report capacity " << cap.report;
        }
    }
}

const ToolInput* const kReportInputs = kLargestReportInputs;
constexpr int32_t kReportInputCount = kLargestReportInputCount;
constexpr int32_t kKindSlot = kLargestReportKindSlot;
constexpr int32_t kDrugASlot = kLargestReportDrugASlot;
constexpr int32_t kDrugBSlot = kLargestReportDrugBSlot;
constexpr int32_t kPanelSlot = kLargestReportPanelSlot;

ToolDef report_tool(int32_t kind) {
    ToolDef tool = {902, L"报告", L"", L"", L"", L"", kReportInputCount, kReportInputs,
                    0,   nullptr, 0,   nullptr, kind};
    return tool;
}

TEST(NoAllocation, LocalClockAfterItsFirstRead) {
    load_time_zone_rules();
    LocalTime now = {};
    AllocCounts c = count_allocations([&] { now = local_time_now(); });
    EXPECT_TRUE(no_allocation(c));
    EXPECT_GE(now.month, 1);
}

TEST(NoAllocation, ComputeToolCustomKinds) {
    load_time_zone_rules();
    static wchar_t report[8192], verdict[512], detail[8192];
    double values[kMaxToolInputs] = {};
    for (int32_t kind = -1; kind <= 12; ++kind) {
        largest_report_values(kind, values);
        ToolDef tool = report_tool(kind);
        int32_t level = -1;
        AllocCounts c = count_allocations([&] {
            compute_tool(tool, values, report, 8192, verdict, 512, &level, detail, 8192);
            compute_tool(tool, values, report, 4096, verdict, 512, &level, detail, 8192);
        });
        EXPECT_TRUE(no_allocation(c)) << "kind " << kind;
    }
}

// ---------------------------------------------------------------------------
// format_value and the calendar.

TEST(NoAllocation, FormatValueEveryNameAndExtremeValues) {
    const char* const names[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", nullptr, "", "F2",
                                 "bogus"};
    const double values[] = {12.3456, 0.0, -0.0, -0.9, 0.9, 19723.0, 1e75, -1e75, 1e308, -1e308,
                             std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min(), 9.3e18, -9.3e18,
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    const int32_t capacities[] = {128, 80, 3, 1};
    wchar_t out[128];
    for (const char* name : names) {
        for (double value : values) {
            for (int32_t capacity : capacities) {
                AllocCounts c =
                    count_allocations([&] { format_value(name, value, out, capacity); });
                EXPECT_TRUE(no_allocation(c)) << (name ? name : "(absent)") << " " << value
                                              << " capacity " << capacity;
            }
        }
    }
}

TEST(NoAllocation, WideTextNumbersAtTheirWidest) {
    const double reals[] = {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                            1e308, std::numeric_limits<double>::denorm_min(), 0.1,
                            std::numeric_limits<double>::quiet_NaN()};
    static wchar_t out[2048];
    for (double value : reals) {
        AllocCounts c = count_allocations([&] {
            wtext_format(out, 2048, L"%.9f|%f|%.9g|%g", value, value, value, value);
            wtext_format(out, 8, L"%.9f", value);
            wtext_format(out, 2048, L"%.4000f", value);  // refused, never computed
        });
        EXPECT_TRUE(no_allocation(c)) << value;
    }
    AllocCounts c = count_allocations([&] {
        wtext_format(out, 2048, L"%01200d|%lld|%c|%ls", INT32_MIN, INT64_MIN, 0x4E2D, L"中");
    });
    EXPECT_TRUE(no_allocation(c));
}

TEST(NoAllocation, CalendarRoutines) {
    wchar_t out[64];
    int64_t sum = 0;
    AllocCounts c = count_allocations([&] {
        for (int32_t year = -2000; year <= 3000; year += 7) {
            for (int32_t month = 1; month <= 12; ++month) {
                sum += days_from_civil(year, month, 28);
            }
        }
        for (int64_t day = -1000000; day <= 1000000; day += 997) {
            civil_from_days(day, out, 64);
            sum += civil_date_from_days(day).year;
        }
        const int64_t extremes[] = {std::numeric_limits<int64_t>::min(),
                                    std::numeric_limits<int64_t>::max(), kMaxCalendarDays,
                                    -kMaxCalendarDays, 0, -1, 19723};
        for (int64_t day : extremes) {
            civil_from_days(day, out, 64);
            civil_from_days(day, out, 5);
            sum += civil_date_from_days(day).day;
        }
        sum += days_from_civil(std::numeric_limits<int32_t>::max(), 12, 31);
        sum += days_from_civil(std::numeric_limits<int32_t>::min(), 1, 1);
    });
    EXPECT_TRUE(no_allocation(c));
    EXPECT_NE(sum, 0);
}

// ---------------------------------------------------------------------------
// Every report kind, at its largest, with every selector value.

TEST(NoAllocation, EveryReportKindAtItsLargest) {
    static wchar_t report[8192];
    wchar_t verdict[512];
    double values[kMaxToolInputs] = {};
    const ToolDef tool = report_tool(0);
    load_time_zone_rules();
    for (int32_t kind = -1; kind <= 12; ++kind) {
        largest_report_values(kind, values);
        for (int32_t selector = 0; selector <= 8; ++selector) {
            values[kKindSlot] = selector;
            values[kPanelSlot] = selector;
            AllocCounts c = count_allocations([&] {
                build_custom_report(kind, tool, values, report, 8192, verdict, 512);
                build_custom_report(kind, tool, values, report, 4096, verdict, 512);
                build_custom_report(kind, tool, values, report, 13, verdict, 21);
            });
            EXPECT_TRUE(no_allocation(c)) << "kind " << kind << " selector " << selector;
        }
    }
    largest_report_values(6, values);
    for (int32_t a = -1; a <= 11; ++a) {
        for (int32_t b = -1; b <= 11; ++b) {
            values[kDrugASlot] = a;
            values[kDrugBSlot] = b;
            AllocCounts c = count_allocations(
                [&] { build_custom_report(6, tool, values, report, 8192, verdict, 512); });
            EXPECT_TRUE(no_allocation(c)) << "drugs " << a << " and " << b;
        }
    }
}

// The largest inputs give each kind's report, not the lines refusing a value
// outside its limits (level 2) or a number that names no row (level 1): the
// measurements above and the benchmarks are of the real reports. The drug
// compatibility check judges its pair, so there the pair must name two drugs.
TEST(LargestReportInputs, GiveEachKindsReportNotARefusal) {
    static wchar_t report[8192];
    wchar_t verdict[512];
    wchar_t unknown_pair_verdict[512];
    double values[kMaxToolInputs] = {};
    const ToolDef tool = report_tool(0);
    load_time_zone_rules();
    largest_report_values(6, values);
    values[kDrugASlot] = -1;
    build_custom_report(6, tool, values, report, 8192, unknown_pair_verdict, 512);
    for (int32_t kind = 1; kind <= 11; ++kind) {
        largest_report_values(kind, values);
        const int32_t level = build_custom_report(kind, tool, values, report, 8192, verdict, 512);
        if (kind == 6) {
            EXPECT_STRNE(verdict, unknown_pair_verdict);
        } else {
            EXPECT_EQ(level, 0) << "kind " << kind << ": " << verdict;
        }
    }
}

// ---------------------------------------------------------------------------
// The self-test's text and the command-line reader.

const ToolOutput kFailingOutputs[] = {
    // key   label     unit   formula        format
    {"a",    L"甲",    L"",   "1/0",         "f2"},
    {"b",    L"乙",    L"ml", "a + 1",       nullptr},
    {"c",    L"丙",    nullptr, "exp(1000)", "pct"},
};
const ToolRule kFailingRules[] = {
    // condition  level  text
    {"a > 0",     2,     L"甲大于零"},
    {"",          0,     L""},
};
const ToolInput kFailingInputs[] = {
    // key  label  unit  default
    {"t",   L"t",  L"h", 1e308},
};
const ToolDef kFailingTool = {7, L"失败", L"", L"", L"", L"", 1, kFailingInputs, 3,
                              kFailingOutputs, 2, kFailingRules, 0};

TEST(NoAllocation, SelftestText) {
    load_time_zone_rules();
    static wchar_t text[kSelftestTextCapacity];
    const ToolDef custom = report_tool(7);
    const ToolDef* const tools[] = {&get_tool_definition(), &kFailingTool, &custom};
    for (const ToolDef* tool : tools) {
        for (int32_t capacity : {kSelftestTextCapacity, 100, 1}) {
            AllocCounts c =
                count_allocations([&] { build_selftest_text(*tool, text, capacity); });
            EXPECT_TRUE(no_allocation(c)) << "tool " << tool->id << " capacity " << capacity;
        }
    }
}

TEST(NoAllocation, CommandLineReader) {
    const wchar_t* const lines[] = {
        L"Kinetora.exe", L"Kinetora.exe --selftest", L"Kinetora.exe --selftest \"a b.txt\"",
        L"Kinetora.exe --selftest=x.txt", L"C:\\--selftest\\K.exe out.txt", L"--selftest \"",
    };
    wchar_t path[kSelftestPathCapacity];
    for (const wchar_t* line : lines) {
        AllocCounts c = count_allocations([&] {
            read_start_mode(line, path, kSelftestPathCapacity);
            read_start_mode(line, path, 4);
        });
        EXPECT_TRUE(no_allocation(c));
    }
}

// ---------------------------------------------------------------------------
// The record store's portable builders.

TEST(NoAllocation, RecordLineBuilders) {
    const LocalTime now = {2026, 12, 7, 9, 5, 3};
    static wchar_t line[kRecordLineCapacity];
    static wchar_t folder[kRecordFolderCapacity];
    static wchar_t path[kRecordPathCapacity];
    static wchar_t long_detail[8192];
    for (int32_t i = 0; i < 8191; ++i) long_detail[i] = (i % 7 == 0) ? L'"' : L'报';
    long_detail[8191] = 0;
    const ToolDef& builtin = get_tool_definition();
    double builtin_values[kMaxToolInputs] = {8.0};
    double report_values[kMaxToolInputs] = {};
    default_report_values(report_values);
    const ToolDef reports = report_tool(0);
    const wchar_t* const details[] = {L"", L"消除速率常数：0.087 1/h\r\n", long_detail};
    for (const wchar_t* detail : details) {
        AllocCounts c = count_allocations([&] {
            build_record_paths(L"C:\\Users\\医生\\AppData\\Local", builtin.id, folder, path);
            build_record_header(builtin, line, kRecordHeaderCapacity);
            build_record_header(reports, line, 32);
            build_record_line(builtin, builtin_values, detail, now, line, kRecordLineCapacity);
            build_record_line(reports, report_values, detail, now, line, kRecordLineCapacity);
            build_record_line(reports, report_values, detail, now, line, 64);
            line[0] = 0;
            append_csv_field(line, kRecordLineCapacity, 2, L"a,\"b\"\r\n", -1);
            append_csv_field(line, kRecordLineCapacity, 2, detail, 254);
        });
        EXPECT_TRUE(no_allocation(c)) << "detail of " << wtext_length(detail) << " units";
    }
}

}  // namespace
