// Every custom report kind with random input keys, values and capacities, the
// follow-up plan at random days, and the line appender. Every buffer has guard
// units on both sides. Properties: guards untouched, texts terminated within
// capacity, the level is 0 to 3 (as each kind allows), a verdict is always
// written, and each report is a prefix of the same report in a larger buffer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "reports/custom_reports.h"
#include "fuzz_support.h"

namespace {

// The keys the reports read, a near miss and a duplicate.
const char* const kKeys[] = {"nurses", "days",  "start", "interval", "times", "kind",
                             "drugA",  "drugB", "gap",   "beds",     "bed",   "dose",
                             "volume", "gtt",   "panel", "Kind",     "times"};
constexpr int32_t kKeyCount = static_cast<int32_t>(sizeof kKeys / sizeof kKeys[0]);

int32_t take_kind(FuzzBytes* in) {
    uint8_t selector = take_u8(in);
    if (selector < 240) return static_cast<int32_t>(selector % 14) - 1;  // -1 to 12
    return static_cast<int32_t>(take_u32(in));                            // anything
}

int32_t take_report_capacity(FuzzBytes* in) {
    uint8_t selector = take_u8(in);
    if (selector < 32) return 1 + selector;
    if (selector < 64) return 8192;
    if (selector < 96) return 4096;
    return 1 + static_cast<int32_t>(take_u32(in) % 9000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    const int32_t kind = take_kind(&in);

    ToolInput inputs[kMaxToolInputs];
    double values[kMaxToolInputs] = {};
    const int32_t input_count = take_u8(&in) % (kMaxToolInputs + 1);
    for (int32_t i = 0; i < input_count; ++i) {
        inputs[i] = ToolInput{kKeys[take_u8(&in) % kKeyCount], L"", L"", 0.0};
        values[i] = take_value(&in);
    }
    const ToolDef tool = {900, L"报告", L"", L"", L"", L"", input_count, inputs, 0, nullptr,
                          0, nullptr, kind};

    // Kinds outside 1 to 11 copy a placeholder of 12 units whole.
    int32_t capacity = take_report_capacity(&in);
    if ((kind < 1 || kind > 11) && capacity < 13) capacity = 13;
    GuardedBuffer report(capacity);
    GuardedBuffer verdict(21 + take_u8(&in) % 40);
    // Any day number at all: the plan keeps it within the calendar's range.
    const int64_t today = static_cast<int64_t>(take_u64(&in));
    const bool fixed_day = take_u8(&in) < 128;

    // The roster grows with nurses x days, to 6390 units, and takes a hundred
    // times as long as any other report; its code is the same at any size. So
    // seven inputs in eight fold counts within the limits to 1 to 6; the rest
    // (a byte below 32 here, or none) keep them, the largest included.
    if (kind == 1 && take_u8(&in) >= 32) {
        for (int32_t i = 0; i < input_count; ++i) {
            const bool count = std::strcmp(inputs[i].key, "nurses") == 0 ||
                               std::strcmp(inputs[i].key, "days") == 0;
            if (count && values[i] > 6.0 && values[i] <= 40.0) {
                values[i] = std::fmod(values[i], 6.0) + 1.0;
            }
        }
    }

    // The generators receive empty buffers from the dispatcher; called
    // directly, they get them empty here.
    report.data()[0] = 0;
    verdict.data()[0] = 0;
    int32_t level;
    if (kind == 7 && fixed_day) {
        level = build_follow_up_report_for_day(tool, values, today, report.data(), report.capacity,
                                               verdict.data(), verdict.capacity);
    } else {
        level = build_custom_report(kind, tool, values, report.data(), report.capacity,
                                    verdict.data(), verdict.capacity);
    }
    FUZZ_CHECK(report.sound());
    FUZZ_CHECK(verdict.sound());
    FUZZ_CHECK(level >= 0 && level <= 3);
    // Only the compatibility check judges; the others give level 0, a number
    // that names no row or a card's value to check level 1, and a value outside
    // its limits (a fraction in a whole-number field included) level 2.
    if (kind == 3 || kind == 4 || kind == 5 || kind == 10 || kind == 11) {
        FUZZ_CHECK(level == 0 || level == 1 || level == 2);
    } else if (kind == 1 || kind == 2 || kind == 7 || kind == 9) {
        FUZZ_CHECK(level == 0 || level == 2);
    } else if (kind != 6) {
        FUZZ_CHECK(level == 0);
    }
    FUZZ_CHECK(verdict.data()[0] != 0);

    // Cut reports are prefixes of the whole report (the follow-up plan only at
    // a fixed day: the local date may change between two calls).
    if (kind != 7 || fixed_day) {
        GuardedBuffer whole(16384);
        GuardedBuffer whole_verdict(64);
        whole.data()[0] = 0;
        whole_verdict.data()[0] = 0;
        int32_t whole_level =
            kind == 7 ? build_follow_up_report_for_day(tool, values, today, whole.data(),
                                                       whole.capacity, whole_verdict.data(),
                                                       whole_verdict.capacity)
                      : build_custom_report(kind, tool, values, whole.data(), whole.capacity,
                                            whole_verdict.data(), whole_verdict.capacity);
        FUZZ_CHECK(whole.sound());
        FUZZ_CHECK(whole_level == level);
        const int32_t length = report.length();
        FUZZ_CHECK(length <= whole.length());
        FUZZ_CHECK(std::wmemcmp(report.data(), whole.data(), static_cast<size_t>(length)) == 0);
        // A verdict buffer too small for the verdict keeps its beginning.
        FUZZ_CHECK(std::wcsncmp(verdict.data(), whole_verdict.data(),
                                static_cast<size_t>(verdict.capacity - 1)) == 0);
        FUZZ_CHECK(verdict.length() == std::min(whole_verdict.length(), verdict.capacity - 1));
    }

    // append_line onto what is there, with a text argument of random length.
    wchar_t argument[600];
    const int32_t argument_length = take_u8(&in) * 2 + take_u8(&in) % 2;
    for (int32_t i = 0; i < argument_length && i < 599; ++i) argument[i] = L'字';
    argument[argument_length < 599 ? argument_length : 599] = 0;
    const int32_t before = report.length();
    append_line(report.data(), report.capacity, L"%ls|%d", argument, kind);
    FUZZ_CHECK(report.sound());
    FUZZ_CHECK(report.length() >= before);
    return 0;
}
