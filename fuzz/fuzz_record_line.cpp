// The record store's CSV builders on random tools (labels with commas, quotes
// and line breaks), values, report texts, times and capacities. Properties:
// guards untouched, texts terminated within capacity, every line ends in CR LF
// and parses as CSV into exactly one column per field (time, tool, each input,
// report; the header: time, tool, each label, result).
#include <cstdint>
#include <cwchar>
#include <vector>

#include "records/record_store.h"
#include "engine/platform.h"
#include "fuzz_support.h"

namespace {

const wchar_t kPieces[] = {L'a', L',', L'"', L'\r', L'\n', L' ', L'报', L'=', L'|', L'\t'};

// A wide text of random pieces, up to `limit` units.
std::vector<wchar_t> take_wide(FuzzBytes* in, int32_t limit) {
    std::vector<wchar_t> text;
    const int32_t length = take_u8(in) % 2 == 0 ? take_u8(in) % 24 : take_in_range(in, 0, limit);
    for (int32_t i = 0; i < length; ++i) {
        uint8_t selector = take_u8(in);
        text.push_back(selector < 200 ? kPieces[selector % 10] : static_cast<wchar_t>(0x4E00 + selector));
    }
    text.push_back(0);
    return text;
}

// Number of CSV fields in `line` before its final CR LF; -1 when the quoting
// is malformed or the CR LF is missing.
int32_t csv_columns(const wchar_t* line) {
    int32_t length = static_cast<int32_t>(std::wcslen(line));
    if (length < 2 || line[length - 2] != L'\r' || line[length - 1] != L'\n') return -1;
    length -= 2;
    int32_t columns = 1;
    int32_t i = 0;
    bool field_start = true;
    while (i < length) {
        if (field_start && line[i] == L'"') {
            ++i;
            for (;;) {
                if (i >= length) return -1;  // unterminated quote
                if (line[i] == L'"') {
                    if (i + 1 < length && line[i + 1] == L'"') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            if (i < length && line[i] != L',') return -1;  // text after the closing quote
            field_start = false;
            continue;
        }
        if (line[i] == L'"') return -1;  // a quote inside an unquoted field
        if (line[i] == L'\r' || line[i] == L'\n') return -1;  // a bare line break
        if (line[i] == L',') {
            ++columns;
            field_start = true;
        } else {
            field_start = false;
        }
        ++i;
    }
    return columns;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    const int32_t input_count = take_u8(&in) % (kMaxToolInputs + 1);
    std::vector<std::vector<wchar_t>> labels;
    labels.reserve(kMaxToolInputs + 2);
    ToolInput inputs[kMaxToolInputs];
    double values[kMaxToolInputs] = {};
    for (int32_t i = 0; i < input_count; ++i) {
        labels.push_back(take_wide(&in, 300));
        inputs[i] = ToolInput{"k", labels.back().data(), L"", 0.0};
        values[i] = take_value(&in);
    }
    labels.push_back(take_wide(&in, 300));
    const ToolDef tool = {static_cast<int32_t>(take_u32(&in)), labels.back().data(), L"", L"",
                          L"", L"", input_count, inputs, 0, nullptr, 0, nullptr, 0};
    std::vector<wchar_t> detail = take_wide(&in, 1200);
    LocalTime now;
    now.year = take_u8(&in) < 200 ? 2026 : static_cast<int32_t>(take_u32(&in));
    now.month = take_in_range(&in, 0, 13);
    now.day = take_in_range(&in, 0, 32);
    now.hour = take_in_range(&in, 0, 24);
    now.minute = take_in_range(&in, 0, 60);
    now.second = take_in_range(&in, 0, 61);

    GuardedBuffer line(take_u8(&in) < 64 ? kRecordLineCapacity : take_in_range(&in, 64, 4096));
    build_record_line(tool, values, detail.data(), now, line.data(), line.capacity);
    FUZZ_CHECK(line.sound());
    FUZZ_CHECK(csv_columns(line.data()) == 3 + input_count);

    GuardedBuffer header(take_u8(&in) < 64 ? kRecordHeaderCapacity
                                           : take_in_range(&in, 32, 1024));
    build_record_header(tool, header.data(), header.capacity);
    FUZZ_CHECK(header.sound());
    FUZZ_CHECK(csv_columns(header.data()) == 3 + input_count);
    const int32_t header_length = header.length();
    FUZZ_CHECK(header_length >= 5 &&
               std::wcscmp(header.data() + header_length - 5, L",结果\r\n") == 0);

    // One field onto an empty line with a reserve: the room it leaves is kept.
    GuardedBuffer field(take_in_range(&in, 1, 600));
    field.data()[0] = 0;
    const int32_t reserve = take_in_range(&in, 0, 8);
    const int32_t max_units = static_cast<int32_t>(take_u8(&in)) - 20;
    append_csv_field(field.data(), field.capacity, reserve, detail.data(), max_units);
    FUZZ_CHECK(field.sound());
    if (field.capacity - 1 >= reserve) {
        FUZZ_CHECK(field.length() <= field.capacity - 1 - reserve);
    }
    return 0;
}
