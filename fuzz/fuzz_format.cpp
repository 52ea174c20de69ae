// format_value on raw doubles, every format name (and random ones) and random
// capacities; the calendar routines on random day numbers and dates.
// Properties: guards untouched, texts terminated within capacity, "--" for
// non-finite values, plain ASCII for numbers, civil_from_days's count equal to
// the text written, and days_from_civil and civil_date_from_days inverse to
// each other on valid dates.
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "engine/calendar.h"
#include "engine/format_value.h"
#include "fuzz_support.h"

namespace {

const char* const kNames[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", nullptr, "", "f4"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    const uint8_t name_selector = take_u8(&in);
    std::vector<char> raw_name;
    const char* name;
    if (name_selector < 240) {
        name = kNames[name_selector % 10];
    } else {
        raw_name = take_text(&in, 8);
        name = raw_name.data();
    }
    const double value = take_value(&in);
    const int32_t capacity = take_u8(&in) < 128 ? 128 : take_in_range(&in, 1, 200);

    GuardedBuffer out(capacity);
    format_value(name, value, out.data(), out.capacity);
    FUZZ_CHECK(out.sound());
    const int32_t length = out.length();
    if (!std::isfinite(value)) {
        FUZZ_CHECK(std::wcsncmp(out.data(), L"--", static_cast<size_t>(length)) == 0);
        FUZZ_CHECK(length == (capacity - 1 < 2 ? capacity - 1 : 2));
    } else {
        for (int32_t i = 0; i < length; ++i) {
            FUZZ_CHECK(out.data()[i] > 0x20 && out.data()[i] < 0x7F);
        }
        if (capacity >= 128) FUZZ_CHECK(length > 0);
    }

    // civil_from_days on any day number and capacity.
    const int64_t day = static_cast<int64_t>(take_u64(&in));
    GuardedBuffer date(take_in_range(&in, 1, 40));
    const int32_t written = civil_from_days(day, date.data(), date.capacity);
    FUZZ_CHECK(date.sound());
    if (written >= 0) FUZZ_CHECK(written == date.length());
    else FUZZ_CHECK(date.length() == date.capacity - 1);

    // The two directions agree on every date in reach of the calendar.
    const CivilDate civil = civil_date_from_days(day % (INT64_C(1) << 40));
    FUZZ_CHECK(civil.month >= 1 && civil.month <= 12 && civil.day >= 1 && civil.day <= 31);
    if (civil.year >= INT32_MIN && civil.year <= INT32_MAX) {
        FUZZ_CHECK(days_from_civil(static_cast<int32_t>(civil.year),
                                   static_cast<int32_t>(civil.month),
                                   static_cast<int32_t>(civil.day)) == day % (INT64_C(1) << 40));
    }
    // days_from_civil is defined for every argument (no overflow).
    const int32_t year = static_cast<int32_t>(take_u32(&in));
    const int32_t month = static_cast<int32_t>(take_u32(&in));
    const int32_t mday = static_cast<int32_t>(take_u32(&in));
    volatile int64_t any = days_from_civil(year, month, mday);
    (void)any;
    return 0;
}
