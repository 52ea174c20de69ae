// Record store: CSV builders, folder and file names, and the save itself against
// the real file system, with each file operation failing in turn, with torn
// file ends and with another writer holding the file.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "window/command_text.h"
#include "records/record_store.h"
#include "engine/platform.h"
#include "engine/wide_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace {

const LocalTime kSaveTime{2026, 12, 7, 9, 5, 3};
const wchar_t kReport[] =
    L"消除速率常数：0.087 1/h\r\n达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n";

// The built-in tool's file after one save of kReport at kSaveTime with t = 8.
const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeaderBytes = u8"时间,工具,半衰期,结果\r\n";
const std::string kRecordBytes =
    u8"2026-12-07 09:05:03,Kinetora,半衰期=8,\"【正常】药代参数估算完成\r\n"
    u8"消除速率常数：0.087 1/h\r\n达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n\"\r\n";

// A result of `values` with `report` (cut and marked as the engine does) and
// `verdict`; an empty report: no result yet; a null one: kReport's result gone
// stale (a field edited since).
const ToolResult& result_of(const double* values, int32_t count, const wchar_t* report,
                            const wchar_t* verdict = L"药代参数估算完成", int32_t level = 0) {
    static ToolResult result;
    result = ToolResult{};
    result.state = report == nullptr ? ResultState::stale
                   : report[0] != 0  ? ResultState::current
                                     : ResultState::none;
    if (report == nullptr) report = kReport;
    result.input_count = count;
    for (int32_t i = 0; i < count; ++i) result.inputs[i] = values[i];
    result.level = level;
    wtext_copy(result.verdict, kVerdictCapacity, verdict);
    wtext_copy(result.report, kReportCapacity, report);
    mark_cut_text(result.report, kReportCapacity);
    return result;
}

ToolDef make_tool(int32_t id, const wchar_t* name, const ToolInput* inputs, int32_t count) {
    ToolDef tool{};
    tool.id = id;
    tool.name = name;
    tool.input_count = count;
    tool.inputs = inputs;
    return tool;
}

// Splits one CSV record (RFC 4180, line end removed) into its fields.
std::vector<std::wstring> parse_csv(const std::wstring& line) {
    std::vector<std::wstring> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        wchar_t c = line[i];
        if (quoted) {
            if (c == L'"' && i + 1 < line.size() && line[i + 1] == L'"') {
                fields.back() += L'"';
                ++i;
            } else if (c == L'"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == L'"') {
            quoted = true;
        } else if (c == L',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    EXPECT_FALSE(quoted) << "unbalanced quotes";
    return fields;
}

bool starts_with(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// ---------------------------------------------------------------------------
// Builders

TEST(RecordHeader, LabelsQuotedOnlyWhenNeeded) {
    const ToolInput plain[] = {{"t", L"半衰期", L"h", 8.0}};
    const ToolInput special[] = {
        {"a", L"a,b", nullptr, 0}, {"b", L"say \"hi\"", nullptr, 0},
        {"c", L"x\r\ny", nullptr, 0}, {"d", L"plain", nullptr, 0}};
    struct Row {
        const ToolInput* inputs;
        int32_t count;
        const wchar_t* expected;
    };
    const Row rows[] = {
        {plain,   1, L"时间,工具,半衰期,结果\r\n"},
        {special, 4, L"时间,工具,\"a,b\",\"say \"\"hi\"\"\",\"x\r\ny\",plain,结果\r\n"},
        {plain,   0, L"时间,工具,结果\r\n"},
    };
    for (const Row& row : rows) {
        ToolDef tool = make_tool(1, L"T", row.inputs, row.count);
        wchar_t line[kRecordHeaderCapacity];
        build_record_header(tool, line, kRecordHeaderCapacity);
        EXPECT_STREQ(row.expected, line);
    }
}

// Beyond kRecordReportUnits (longer than any report of the window) the report
// field is cut; the save marks such a cut (SaveTest.ReportCutSaysSo).
TEST(RecordLine, FieldsValuesQuotingAndReportCut) {
    const size_t most = static_cast<size_t>(kRecordReportUnits);
    const std::wstring x_most(most, L'x');
    const std::wstring cut_in_line_break = std::wstring(most - 1, L'x') + L"\r\nyyy";
    const std::wstring quote_past_cut = x_most + L"\"tail";
    const std::wstring long_label(130, L'L');
    struct Row {
        const wchar_t* name;
        const wchar_t* label;
        double value;
        std::wstring report;
        std::wstring expected_tail;  // after "2026-12-07 09:05:03,"
    };
    const Row rows[] = {
        {L"N",       L"t",         8.0,       L"r",              L"N,t=8,r\r\n"},
        {L"N",       L"t",         12.5,      L"r",              L"N,t=12.5,r\r\n"},
        // The value as typed, never rounded; an optional input left empty has none.
        {L"N",       L"t",         1234567.0, L"r",              L"N,t=1234567,r\r\n"},
        {L"N",       L"t",         0.0001,    L"r",              L"N,t=0.0001,r\r\n"},
        {L"N",       L"t",         1e-5,      L"r",              L"N,t=0.00001,r\r\n"},
        {L"N",       L"t",         0.1 + 0.2, L"r",              L"N,t=0.30000000000000004,r\r\n"},
        {L"N",       L"t",         std::nan(""), L"r",           L"N,t=,r\r\n"},
        {L"A,B",     L"t",         8.0,       L"r",              L"\"A,B\",t=8,r\r\n"},
        {L"N",       L"he\"ight",  8.0,       L"r",              L"N,\"he\"\"ight=8\",r\r\n"},
        {L"N",       L"t",         8.0,       L"a\r\nb\r\n",     L"N,t=8,\"a\r\nb\r\n\"\r\n"},
        {L"N",       L"t",         8.0,       x_most + L"zz",    L"N,t=8," + x_most + L"\r\n"},
        {L"N",       L"t",         8.0,       cut_in_line_break,
         L"N,t=8,\"" + std::wstring(most - 1, L'x') + L"\r\"\r\n"},
        {L"N",       L"t",         8.0,       quote_past_cut,    L"N,t=8," + x_most + L"\r\n"},
        {L"N",       long_label.c_str(), 8.0, L"r",
         L"N," + std::wstring(126, L'L') + L",r\r\n"},
    };
    for (const Row& row : rows) {
        const ToolInput input = {"t", row.label, nullptr, 0};
        ToolDef tool = make_tool(1, row.name, &input, 1);
        static wchar_t line[kRecordLineCapacity];
        build_record_line(tool, &row.value, row.report.c_str(), kSaveTime, line,
                          kRecordLineCapacity);
        EXPECT_EQ(L"2026-12-07 09:05:03," + row.expected_tail, std::wstring(line))
            << "value " << row.value;
    }
}

// The result cell: the verdict line as on paper, then the report, whatever the level.
TEST(RecordLine, ResultCellBeginsWithTheVerdictLine) {
    struct Row {
        int32_t level;
        const wchar_t* verdict;
        const wchar_t* report;
        const wchar_t* cell;
    };
    const Row rows[] = {
        {2, L"半衰期须大于 0：结果无效，请检查输入", L"消除速率常数：-- 1/h\r\n",
         L"【警示】半衰期须大于 0：结果无效，请检查输入\r\n消除速率常数：-- 1/h\r\n"},
        {0, L"药代参数估算完成", L"r\r\n", L"【正常】药代参数估算完成\r\nr\r\n"},
        {3, L"", L"r", L"【危急】\r\nr"},
    };
    for (const Row& row : rows) {
        const double value = 8;
        static wchar_t cell[kRecordReportUnits + 1];
        build_record_result(result_of(&value, 1, row.report, row.verdict, row.level), cell,
                            kRecordReportUnits + 1);
        EXPECT_EQ(std::wstring(row.cell), std::wstring(cell));
    }
}

// The report field holds the whole report the window shows, up to its capacity,
// next to the longest fields before it: CJK text with commas and line breaks,
// and quotes (each doubled in the file).
TEST(RecordLine, WholeReportBesideTheLongestFields) {
    std::wstring text_report;
    for (int i = 0; text_report.size() < 8000; ++i) {
        text_report += L"第 " + std::to_wstring(i) + L" 行，护士排班：1日D 2日N 3日R\r\n";
    }
    const std::wstring most_text = text_report.substr(0, static_cast<size_t>(kRecordReportUnits));
    const std::wstring most_quotes(static_cast<size_t>(kRecordReportUnits), L'"');
    std::wstring label;
    while (label.size() < 200) label += L"\",";
    ToolInput inputs[kMaxToolInputs];
    double values[kMaxToolInputs];
    for (int32_t i = 0; i < kMaxToolInputs; ++i) {
        inputs[i] = ToolInput{"k", label.c_str(), nullptr, 0};
        values[i] = 1234567.0;
    }
    const ToolDef tool = make_tool(7, L"护理交班", inputs, kMaxToolInputs);
    for (const std::wstring& report : {text_report, most_text, most_quotes}) {
        static wchar_t line[kRecordLineCapacity];
        build_record_line(tool, values, report.c_str(), kSaveTime, line, kRecordLineCapacity);
        const std::wstring text(line);
        ASSERT_EQ(L"\r\n", text.substr(text.size() - 2));
        const std::vector<std::wstring> fields = parse_csv(text.substr(0, text.size() - 2));
        ASSERT_EQ(static_cast<size_t>(2 + kMaxToolInputs + 1), fields.size());
        EXPECT_EQ(L"护理交班", fields[1]);
        EXPECT_TRUE(fields.back() == report) << report.size() << " units";
    }
}

// Sixteen inputs whose quoted labels would not fit: every column is still there,
// each a start of its own text, and the line still ends properly.
TEST(RecordLine, OverlongFieldsKeepEveryColumn) {
    std::wstring label;
    while (label.size() < 200) label += L"\",";
    ToolInput inputs[kMaxToolInputs];
    double values[kMaxToolInputs];
    for (int32_t i = 0; i < kMaxToolInputs; ++i) {
        inputs[i] = ToolInput{"k", label.c_str(), nullptr, 0};
        values[i] = 1234567.0;
    }
    const std::wstring name(300, L'"');
    const std::wstring report = std::wstring(300, L'"');
    ToolDef tool = make_tool(7, name.c_str(), inputs, kMaxToolInputs);

    static wchar_t line[kRecordLineCapacity];
    build_record_line(tool, values, report.c_str(), kSaveTime, line, kRecordLineCapacity);
    std::wstring text(line);
    ASSERT_LT(text.size(), static_cast<size_t>(kRecordLineCapacity));
    ASSERT_EQ(L"\r\n", text.substr(text.size() - 2));
    std::vector<std::wstring> fields = parse_csv(text.substr(0, text.size() - 2));
    ASSERT_EQ(static_cast<size_t>(2 + kMaxToolInputs + 1), fields.size());
    EXPECT_EQ(L"2026-12-07 09:05:03", fields[0]);
    EXPECT_TRUE(starts_with(name, fields[1]));
    for (int32_t i = 0; i < kMaxToolInputs; ++i) {
        EXPECT_TRUE(starts_with(label, fields[2 + i])) << i;
    }
    EXPECT_TRUE(starts_with(report.substr(0, kRecordReportUnits), fields.back()));

    wchar_t header[kRecordHeaderCapacity];
    build_record_header(tool, header, kRecordHeaderCapacity);
    std::wstring head(header);
    ASSERT_EQ(L",结果\r\n", head.substr(head.size() - 5));
    fields = parse_csv(head.substr(0, head.size() - 2));
    ASSERT_EQ(static_cast<size_t>(2 + kMaxToolInputs + 1), fields.size());
    for (int32_t i = 0; i < kMaxToolInputs; ++i) {
        EXPECT_TRUE(starts_with(label, fields[2 + i])) << i;
    }
    EXPECT_EQ(L"结果", fields.back());
}

TEST(RecordLine, SmallLinesKeepEveryColumnAndTheTime) {
    // A line smaller than the report needs: the report is cut, but the time
    // stays whole and every column keeps its comma.
    struct Row {
        int32_t capacity;
        int32_t inputs;
        size_t report_units;
        LocalTime time;
        const wchar_t* stamp;
    };
    const LocalTime far_year{2147483647, 12, 7, 9, 5, 3};
    const Row rows[] = {
        {64, 0, 60, kSaveTime, L"2026-12-07 09:05:03"},
        {64, 1, 200, kSaveTime, L"2026-12-07 09:05:03"},
        {64, kMaxToolInputs, 300, kSaveTime, L"2026-12-07 09:05:03"},
        {64, kMaxToolInputs, 300, far_year, L"2147483647-12-07 09:05:03"},
        {100, 3, 200, kSaveTime, L"2026-12-07 09:05:03"},
        {300, 2, 1000, kSaveTime, L"2026-12-07 09:05:03"},
    };
    ToolInput inputs[kMaxToolInputs];
    double values[kMaxToolInputs];
    for (int32_t i = 0; i < kMaxToolInputs; ++i) {
        inputs[i] = ToolInput{"k", L"剂量", nullptr, 0};
        values[i] = 2.5;
    }
    for (const Row& row : rows) {
        const std::wstring report(row.report_units, L'报');
        ToolDef tool = make_tool(7, L"工具名", inputs, row.inputs);
        std::vector<wchar_t> line(static_cast<size_t>(row.capacity), L'#');
        build_record_line(tool, values, report.c_str(), row.time, line.data(), row.capacity);
        const std::wstring text(line.data());
        ASSERT_LT(text.size(), static_cast<size_t>(row.capacity)) << row.capacity;
        ASSERT_EQ(L"\r\n", text.substr(text.size() - 2)) << row.capacity;
        const std::vector<std::wstring> fields = parse_csv(text.substr(0, text.size() - 2));
        ASSERT_EQ(static_cast<size_t>(3 + row.inputs), fields.size())
            << row.capacity << " " << row.inputs;
        EXPECT_EQ(row.stamp, fields[0]) << row.capacity << " " << row.inputs;
        EXPECT_TRUE(starts_with(report, fields.back())) << row.capacity << " " << row.inputs;
    }
}

TEST(RecordPaths, FolderAndFileNames) {
    const std::wstring long_base(250, L'a');
    struct Row {
        std::wstring base;
        int32_t id;
        std::wstring folder;
        std::wstring path;
    };
    const Row rows[] = {
        {L"C:\\Users\\a\\AppData\\Local", 30, L"C:\\Users\\a\\AppData\\Local\\ToviMedSuite\\records",
         L"C:\\Users\\a\\AppData\\Local\\ToviMedSuite\\records\\T030.csv"},
        {L"C:\\L", 5,    L"C:\\L\\ToviMedSuite\\records", L"C:\\L\\ToviMedSuite\\records\\T005.csv"},
        {L"C:\\L", 1000, L"C:\\L\\ToviMedSuite\\records", L"C:\\L\\ToviMedSuite\\records\\T1000.csv"},
        {L"",      30,   L"\\ToviMedSuite\\records",      L"\\ToviMedSuite\\records\\T030.csv"},
        {long_base, 30, (long_base + L"\\ToviMedSuite\\records").substr(0, 259),
         (long_base + L"\\ToviMedSuite\\records").substr(0, 259) + L"\\T030.csv"},
    };
    for (const Row& row : rows) {
        wchar_t folder[kRecordFolderCapacity];
        wchar_t path[kRecordPathCapacity];
        build_record_paths(row.base.c_str(), row.id, folder, path);
        EXPECT_EQ(row.folder, std::wstring(folder));
        EXPECT_EQ(row.path, std::wstring(path));
    }
}

std::vector<std::wstring> g_created;
bool record_create_directory(void*, const wchar_t* path) {
    g_created.push_back(path);
    return false;
}

TEST(RecordFolder, CreatedLevelByLevelFromTheFourthUnit) {
    struct Row {
        const wchar_t* folder;
        std::vector<std::wstring> created;
    };
    const Row rows[] = {
        {L"C:\\Users\\a\\ToviMedSuite\\records",
         {L"C:\\Users", L"C:\\Users\\a", L"C:\\Users\\a\\ToviMedSuite",
          L"C:\\Users\\a\\ToviMedSuite\\records"}},
        {L"C:\\ToviMedSuite\\records", {L"C:\\ToviMedSuite", L"C:\\ToviMedSuite\\records"}},
        {L"\\\\srv\\share\\r", {L"\\\\srv", L"\\\\srv\\share", L"\\\\srv\\share\\r"}},
        {L"ab", {L"ab"}},
    };
    RecordFileOps ops = default_record_file_ops();
    ops.create_directory = record_create_directory;
    for (const Row& row : rows) {
        g_created.clear();
        create_record_folder(ops, row.folder);
        EXPECT_EQ(row.created, g_created);
    }
}

// ---------------------------------------------------------------------------
// Saving through the file system, with faults injected

#ifdef _WIN32
const RecordError kHeld = ERROR_SHARING_VIOLATION;
const RecordError kDiskFull = ERROR_DISK_FULL;
const RecordError kDenied = ERROR_ACCESS_DENIED;
const RecordError kIoError = ERROR_IO_DEVICE;
#else
const RecordError kHeld = EWOULDBLOCK;
const RecordError kDiskFull = ENOSPC;
const RecordError kDenied = EACCES;
const RecordError kIoError = EIO;
#endif

enum class Op { open, size, read, write, flush, truncate, discard, close, mkdir, count };

// Makes calls of one operation fail with `error`: the `fail_at`-th (1-based),
// or with `repeat` every one from it on. A failing write first writes half its
// bytes and a failing flush or close first does its work, so the save must
// really take the bytes back out. Waits are counted, not slept.
struct Faults {
    Op kind;
    int fail_at;
    RecordError error;
    bool repeat;
    int seen[static_cast<int>(Op::count)];
    int slept_ms;
    Op also_kind;  // a second operation that fails at its first call (Op::count: none)
};

const RecordFileOps& real() {
    return default_record_file_ops();
}

RecordError fault(void* context, Op op) {
    Faults* f = static_cast<Faults*>(context);
    int nth = ++f->seen[static_cast<int>(op)];
    if (f->also_kind == op && nth == 1) return kIoError;
    if (f->kind != op) return 0;
    return nth == f->fail_at || (f->repeat && nth > f->fail_at) ? f->error : 0;
}

RecordError faulty_open(void* c, const wchar_t* path, RecordFile* file, bool* created) {
    if (RecordError error = fault(c, Op::open)) return error;
    return real().open(nullptr, path, file, created);
}
RecordError faulty_size(void* c, RecordFile file, int64_t* size) {
    if (RecordError error = fault(c, Op::size)) return error;
    return real().size(nullptr, file, size);
}
RecordError faulty_read(void* c, RecordFile file, int64_t offset, void* bytes, int32_t count,
                        int32_t* got) {
    if (RecordError error = fault(c, Op::read)) return error;
    return real().read(nullptr, file, offset, bytes, count, got);
}
RecordError faulty_write(void* c, RecordFile file, int64_t offset, const void* bytes,
                         int32_t count) {
    RecordError error = fault(c, Op::write);
    if (error == 0) return real().write(nullptr, file, offset, bytes, count);
    real().write(nullptr, file, offset, bytes, count / 2);
    return error;
}
RecordError faulty_flush(void* c, RecordFile file) {
    RecordError error = real().flush(nullptr, file);
    return error != 0 ? error : fault(c, Op::flush);
}
RecordError faulty_truncate(void* c, RecordFile file, int64_t size) {
    if (RecordError error = fault(c, Op::truncate)) return error;
    return real().truncate(nullptr, file, size);
}
RecordError faulty_discard(void* c, RecordFile file, const wchar_t* path) {
    if (RecordError error = fault(c, Op::discard)) return error;
    return real().discard(nullptr, file, path);
}
RecordError faulty_close(void* c, RecordFile file) {
    RecordError error = real().close(nullptr, file);
    return error != 0 ? error : fault(c, Op::close);
}
bool counted_create_directory(void* c, const wchar_t* path) {
    fault(c, Op::mkdir);
    return real().create_directory(nullptr, path);
}
void counted_sleep(void* c, int32_t milliseconds) {
    static_cast<Faults*>(c)->slept_ms += milliseconds;
}

RecordFileOps faulty_ops(Faults* faults) {
    return RecordFileOps{faults,          faulty_open,    faulty_size,    faulty_read,
                         faulty_write,    faulty_flush,   faulty_truncate, faulty_discard,
                         faulty_close,    counted_create_directory,        counted_sleep};
}

Faults no_faults() {
    return Faults{Op::count, 0, 0, false, {}, 0, Op::count};
}

// The record folder's files by their "\\"-separated paths, outside the store.
#ifdef _WIN32
std::FILE* open_path(const std::wstring& path, const char* mode) {
    return open_file_wide(path.c_str(), mode);
}
void remove_path(const std::wstring& path) {
    DeleteFileW(path.c_str());
}
#else
std::string narrow(const std::wstring& path) {
    std::string out;
    for (wchar_t c : path) out += c == L'\\' ? '/' : static_cast<char>(c);
    return out;
}
std::FILE* open_path(const std::wstring& path, const char* mode) {
    return std::fopen(narrow(path).c_str(), mode);
}
void remove_path(const std::wstring& path) {
    unlink(narrow(path).c_str());
}
#endif

// A fresh folder of its own for each test, removed afterwards.
class SaveTest : public testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        for (int i = 0;; ++i) {
            base_ = std::wstring(temp) + L"krs" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                    std::to_wstring(i);
            if (CreateDirectoryW(base_.c_str(), nullptr)) break;
            ASSERT_LT(i, 1000);
        }
#else
        char name[] = "/tmp/krs_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(name));
        for (const char* p = name; *p != 0; ++p) base_ += static_cast<wchar_t>(*p);
#endif
        wchar_t folder[kRecordFolderCapacity];
        wchar_t path[kRecordPathCapacity];
        build_record_paths(base_.c_str(), tool().id, folder, path);
        folder_ = folder;
        path_ = path;
    }

    void TearDown() override {
        remove_path(path_);
        for (std::wstring dir : {folder_, folder_.substr(0, folder_.rfind(L'\\')), base_}) {
#ifdef _WIN32
            RemoveDirectoryW(dir.c_str());
#else
            rmdir(narrow(dir).c_str());
#endif
        }
    }

    static const ToolDef& tool() { return get_tool_definition(); }

    SaveOutcome save(const RecordFileOps& ops, const wchar_t* report = kReport,
                     const ToolDef* other = nullptr) {
        const double values[1] = {8.0};
        SaveOutcome outcome;
        save_record_with(ops, base_.c_str(), 0, kSaveTime, other ? *other : tool(),
                         result_of(values, 1, report), &outcome);
        return outcome;
    }

    std::optional<std::string> contents() const {
        std::FILE* file = open_path(path_, "rb");
        if (file == nullptr) return std::nullopt;
        std::string bytes;
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, n);
        std::fclose(file);
        return bytes;
    }

    void write_file(const std::string& bytes) const {
        create_record_folder(real(), folder_.c_str());
        std::FILE* file = open_path(path_, "wb");
        ASSERT_NE(nullptr, file);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    std::wstring base_, folder_, path_;
};

void expect_failed(const SaveOutcome& outcome, const std::wstring& path) {
    EXPECT_EQ(SaveStatus::failed, outcome.status);
    EXPECT_STREQ(L"保存失败", outcome.caption);
    EXPECT_EQ(kSaveIconWarning, outcome.icon);
    EXPECT_STREQ(L"保存失败：记录未写入", outcome.status_text);
    EXPECT_EQ(path, std::wstring(outcome.record_path));
    EXPECT_NE(nullptr, std::wcsstr(outcome.message, path.c_str()));
}

// The message of a failure by its cause: another writer's hold names Excel,
// anything else gives the system's own text and the error code.
std::wstring failure_message(const std::wstring& path, RecordError error) {
    if (error == kHeld) {
        return L"记录未能写入：" + path + L"\r\n文件可能正被其他程序（如 Excel）占用，请关闭后重试。";
    }
    wchar_t text[512];
    record_error_text(error, text, 512);
    return L"记录未能写入：" + path + L"\r\n" + text + L"（错误代码 " + std::to_wstring(error) +
           L"）";
}

TEST(RecordErrorText, SystemTextWithoutLineBreak) {
    for (RecordError error : {kDiskFull, kDenied}) {
        wchar_t text[512];
        record_error_text(error, text, 512);
        std::wstring got(text);
        ASSERT_FALSE(got.empty()) << error;
        EXPECT_EQ(std::wstring::npos, got.find_first_of(L"\r\n")) << error;
    }
}

TEST_F(SaveTest, FirstSaveWritesMarkAndHeaderSecondOnlyTheRecord) {
    SaveOutcome first = save(real());
    EXPECT_EQ(SaveStatus::saved, first.status);
    EXPECT_EQ(std::wstring(L"记录已保存：") + path_, std::wstring(first.status_text));
    EXPECT_STREQ(L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。", first.message);
    EXPECT_STREQ(L"已保存", first.caption);
    EXPECT_EQ(kSaveIconInformation, first.icon);
    EXPECT_EQ(kBom + kHeaderBytes + kRecordBytes, contents());

    EXPECT_EQ(SaveStatus::saved, save(real()).status);
    EXPECT_EQ(kBom + kHeaderBytes + kRecordBytes + kRecordBytes, contents());
}

TEST_F(SaveTest, NoResultTouchesNothing) {
    for (const wchar_t* report : {L"", static_cast<const wchar_t*>(nullptr)}) {
        Faults faults = no_faults();
        SaveOutcome outcome = save(faulty_ops(&faults), report);
        EXPECT_EQ(SaveStatus::no_result, outcome.status);
        EXPECT_STREQ(L"请先点击“计算”生成结果，再保存记录。", outcome.message);
        EXPECT_STREQ(L"提示", outcome.caption);
        EXPECT_EQ(kSaveIconInformation, outcome.icon);
        EXPECT_STREQ(L"", outcome.status_text);
        for (int seen : faults.seen) EXPECT_EQ(0, seen);
        EXPECT_EQ(std::nullopt, contents());
    }
}

// Each operation failing in turn, into a new file and into one that already has
// a record. Calls in order: open (again after each wait while another writer
// holds the file), size, read (only a file with bytes in it), write, flush,
// and on a failure truncate (and discard for a new file), then close.
TEST_F(SaveTest, EachFailingOperationLeavesTheFileAsItWas) {
    struct Row {
        Op op;
        int nth;
        RecordError error;
        bool repeat;
        bool saves_new;       // the save still succeeds into a new file
        bool saves_existing;  // ... into the existing file
        int slept_ms;         // waited for another writer
    };
    const Row rows[] = {
        {Op::open,  1, kDenied,   false, false, false, 0},
        {Op::open,  1, kHeld,     false, true,  true,  kRecordHoldRetryMs},
        {Op::open,  1, kHeld,     true,  false, false, kRecordHoldWaitMs},  // the wait runs out
        {Op::size,  1, kIoError,  false, false, false, 0},
        {Op::read,  1, kIoError,  false, true,  false, 0},   // nothing to read in a new file
        {Op::write, 1, kDiskFull, false, false, false, 0},
        {Op::flush, 1, kDiskFull, false, false, false, 0},
        {Op::close, 1, kIoError,  false, true,  true,  0},   // everything is flushed by then
    };
    const std::string existing = kBom + kHeaderBytes + kRecordBytes;
    for (bool file_exists : {false, true}) {
        for (const Row& row : rows) {
            remove_path(path_);
            if (file_exists) {
                ASSERT_EQ(SaveStatus::saved, save(real()).status);
            }
            std::optional<std::string> before = contents();
            Faults faults{row.op, row.nth, row.error, row.repeat, {}, 0, Op::count};
            SaveOutcome outcome = save(faulty_ops(&faults));
            bool saves = file_exists ? row.saves_existing : row.saves_new;
            SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(row.op) << " #"
                                            << row.nth << " error " << row.error
                                            << (file_exists ? " existing" : " new"));
            EXPECT_EQ(row.slept_ms, faults.slept_ms);
            if (saves) {
                EXPECT_EQ(SaveStatus::saved, outcome.status);
                EXPECT_EQ(file_exists ? existing + kRecordBytes : existing, contents());
            } else {
                expect_failed(outcome, path_);
                EXPECT_EQ(failure_message(path_, row.error), std::wstring(outcome.message));
                EXPECT_EQ(before, contents());
            }
        }
    }
}

// A cut-back that fails leaves part of the record, a removal that fails an
// empty file: the next save mends either, and its record is a row of its own.
TEST_F(SaveTest, FailedCutBackIsMendedByTheNextSave) {
    const std::string existing = kBom + kHeaderBytes + kRecordBytes;
    const std::string half = kRecordBytes.substr(0, kRecordBytes.size() / 2);
    struct Row {
        bool file_exists;
        Op undo;             // the cut-back operation that fails as well
        std::string left;    // what the failed save leaves
        std::string mended;  // after the next save
    };
    const Row rows[] = {
        {true,  Op::truncate, existing + half, existing + half + "\"\r\n" + kRecordBytes},
        {false, Op::discard,  "",              kBom + kHeaderBytes + kRecordBytes},
    };
    for (const Row& row : rows) {
        remove_path(path_);
        if (row.file_exists) ASSERT_EQ(SaveStatus::saved, save(real()).status);
        Faults faults{Op::write, 1, kDiskFull, false, {}, 0, row.undo};
        expect_failed(save(faulty_ops(&faults)), path_);
        EXPECT_EQ(row.left, contents());
        EXPECT_EQ(SaveStatus::saved, save(real()).status);
        EXPECT_EQ(row.mended, contents());
    }
}

// Files whose end a crash or a failed cut-back tore: what the save writes
// before its record so that a CSV reader takes the record as a row of its own
// and only the torn record is lost.
TEST_F(SaveTest, TornEndIsClosedBeforeTheRecord) {
    const std::string full = kBom + kHeaderBytes + kRecordBytes;
    const std::string start = u8"2026-12-07 09:05:03,Kinetora,半衰期=8,";
    struct Row {
        std::string file;
        std::string lead_in;
    };
    const Row rows[] = {
        {full,                                   ""},
        {"",                                     kBom + kHeaderBytes},         // empty file
        {kBom + u8"时间,工",                     kHeaderBytes.substr(10)},     // torn header
        {full + u8"2026-12-07 09:05:03,Kinetora,半衰", "\r\n"},                // plain torn line
        {full + start + u8"\"消除速率常数",      "\"\r\n"},                    // open quote
        {full + start + u8"\"消除速率常数：0.087 1/h\r\n", "\"\r\n"},          // open, ends in CR LF
        {full + start + "\"a\"\"",               "\"\r\n"},                    // doubled quote inside
        {full + start + "\"a\"",                 "\r\n"},                      // closed quoted field
        {full + start + "ab\"c",                 "\r\n"},                      // quote as plain text
        {full + start + "x\r",                   "\n"},                        // between CR and LF
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file.substr(full.size() < row.file.size() ? full.size() : 0));
        write_file(row.file);
        EXPECT_EQ(SaveStatus::saved, save(real()).status);
        EXPECT_EQ(row.file + row.lead_in + kRecordBytes, contents());
    }
}

// Without a base folder nothing is written anywhere (above all not to the
// drive's root): the save fails with its own message and touches no file.
TEST_F(SaveTest, NoBaseFolderNoSave) {
#ifdef _WIN32
    const RecordError kQueryFailed = 0x80004005u;  // E_FAIL
    const std::wstring code = L"0x80004005";
#else
    const RecordError kQueryFailed = ENOENT;
    const std::wstring code = std::to_wstring(ENOENT);
#endif
    struct Row {
        const wchar_t* base;
        RecordError error;
        std::wstring code;
    };
    const Row rows[] = {
        {L"",           kQueryFailed, code},
        {base_.c_str(), kQueryFailed, code},  // a text left behind by a failed query
        {L"",           0,            L"0"},
        // a result code of the folder query: hexadecimal, as the system writes it
        {L"",           0x80070005u,  L"0x80070005"},
    };
    for (const Row& row : rows) {
        Faults faults = no_faults();
        const double value = 8.0;
        SaveOutcome outcome;
        save_record_with(faulty_ops(&faults), row.base, row.error, kSaveTime, tool(),
                         result_of(&value, 1, kReport), &outcome);
        EXPECT_EQ(SaveStatus::failed, outcome.status);
        EXPECT_STREQ(L"保存失败", outcome.caption);
        EXPECT_STREQ(L"保存失败：记录未写入", outcome.status_text);
        EXPECT_STREQ(L"", outcome.record_path);
        wchar_t text[512] = L"未知错误";
        if (row.error != 0) record_error_text(row.error, text, 512);
        if (text[0] == 0) wtext_copy(text, 512, L"未知错误");
        EXPECT_EQ(L"记录未能写入：找不到本地应用数据文件夹，记录没有保存。\r\n" + std::wstring(text) +
                      L"（错误代码 " + row.code + L"）",
                  std::wstring(outcome.message));
        for (int seen : faults.seen) EXPECT_EQ(0, seen);
    }
    EXPECT_EQ(std::nullopt, contents());
}

// Sixteen labels of 126 CJK units, the longest verdict and the longest report
// of CJK text: every record line fits its UTF-8 buffer, so such a record is
// saved whole.
TEST_F(SaveTest, LongestLineInUtf8IsWritten) {
    const std::wstring label(126, L'中');
    ToolInput inputs[kMaxToolInputs];
    for (ToolInput& input : inputs) input = ToolInput{"k", label.c_str(), nullptr, 0};
    ToolDef wide = make_tool(30, L"Kinetora", inputs, kMaxToolInputs);
    const double values[kMaxToolInputs] = {};
    std::wstring report;
    while (report.size() < static_cast<size_t>(kReportCapacity) - 3) report += L"报告，";
    report.resize(static_cast<size_t>(kReportCapacity) - 3);
    report += L"\r\n";
    const std::wstring verdict(static_cast<size_t>(kVerdictCapacity) - 1, L'结');
    for (bool file_exists : {false, true}) {
        remove_path(path_);
        if (file_exists) ASSERT_EQ(SaveStatus::saved, save(real()).status);
        const std::string before = contents().value_or(std::string());
        SaveOutcome outcome;
        save_record_with(real(), base_.c_str(), 0, kSaveTime, wide,
                         result_of(values, kMaxToolInputs, report.c_str(), verdict.c_str()),
                         &outcome);
        EXPECT_EQ(SaveStatus::saved, outcome.status);
        const std::string after = contents().value_or(std::string());
        ASSERT_GT(after.size(), before.size());
        EXPECT_GT(after.size() - before.size(), 3u * report.size());
    }
}

// What the "已保存" message says about the report in the record: a report cut
// where it was made (it ends in the marker line) says so; a whole one does not.
TEST_F(SaveTest, ReportCutSaysSo) {
    const std::wstring marker = std::wstring(L"\r\n") + kCutMarkerLine + L"\r\n";
    const std::wstring too_long(static_cast<size_t>(kReportCapacity) + 100, L'长');
    struct Row {
        std::wstring report;
        bool cut;
    };
    const Row rows[] = {
        {L"第一行\r\n第二行\r\n", false},
        {L"第一行" + marker, true},
        {too_long, true},
    };
    for (const Row& row : rows) {
        remove_path(path_);
        SaveOutcome outcome = save(real(), row.report.c_str());
        ASSERT_EQ(SaveStatus::saved, outcome.status);
        EXPECT_EQ(row.cut, std::wstring(outcome.message).find(L"已截断") != std::wstring::npos)
            << row.report.size();
        const std::string file = contents().value_or(std::string());
        EXPECT_EQ(row.cut, file.find(u8"……（内容过长，已截断）\r\n\"\r\n") != std::string::npos)
            << row.report.size();
    }
}

// A folder where the record file should be: the system's own reason, not the
// text about another program holding the file.
TEST_F(SaveTest, FolderInPlaceOfTheFile) {
    create_record_folder(real(), path_.c_str());
    SaveOutcome outcome = save(real());
    expect_failed(outcome, path_);
    EXPECT_EQ(nullptr, std::wcsstr(outcome.message, L"Excel"));
    EXPECT_NE(nullptr, std::wcsstr(outcome.message, L"（错误代码 "));
#ifdef _WIN32
    RemoveDirectoryW(path_.c_str());
#else
    rmdir(narrow(path_).c_str());
#endif
}

// Another writer holding the file: on Windows an open without sharing (as a
// spreadsheet program keeps it), elsewhere an exclusive lock.
struct OtherWriter {
#ifdef _WIN32
    HANDLE handle;
#else
    int fd;
#endif
};

bool hold(const std::wstring& path, OtherWriter* other) {
#ifdef _WIN32
    other->handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return other->handle != INVALID_HANDLE_VALUE;
#else
    other->fd = open(narrow(path).c_str(), O_RDWR);
    return other->fd >= 0 && flock(other->fd, LOCK_EX) == 0;
#endif
}

void let_go(OtherWriter* other) {
#ifdef _WIN32
    CloseHandle(other->handle);
#else
    close(other->fd);
#endif
}

// The save waits about two seconds for the other writer: one that lets go in
// time does not make it fail; one that keeps the file does, with the file
// unchanged.
TEST_F(SaveTest, AnotherWriterHoldingTheFile) {
    struct Row {
        int release_after_ms;  // -1: after the save
        SaveStatus status;
    };
    const Row rows[] = {{300, SaveStatus::saved}, {-1, SaveStatus::failed}};
    ASSERT_EQ(SaveStatus::saved, save(real()).status);
    for (const Row& row : rows) {
        std::optional<std::string> before = contents();
        OtherWriter other{};
        ASSERT_TRUE(hold(path_, &other));
        std::thread releaser;
        if (row.release_after_ms >= 0) {
            releaser = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(row.release_after_ms));
                let_go(&other);
            });
        }
        auto started = std::chrono::steady_clock::now();
        SaveOutcome outcome = save(real());
        auto waited = std::chrono::steady_clock::now() - started;
        if (releaser.joinable()) releaser.join();
        else let_go(&other);
        EXPECT_EQ(row.status, outcome.status);
        if (row.status == SaveStatus::saved) {
            EXPECT_EQ(*before + kRecordBytes, contents());
        } else {
            expect_failed(outcome, path_);
            EXPECT_EQ(failure_message(path_, kHeld), std::wstring(outcome.message));
            EXPECT_GE(waited, std::chrono::milliseconds(kRecordHoldWaitMs));
            EXPECT_EQ(before, contents());
        }
    }
}

#ifndef _WIN32
// A device that refuses the record: the record file is a link to a full disk
// (the write fails) or to a device that cannot confirm what it holds (the flush
// fails). The save reports the system's reason, never "saved".
TEST_F(SaveTest, DeviceThatRefusesTheRecordFailsTheSave) {
    struct Row {
        const char* device;
        RecordError error;
    };
    const Row rows[] = {
        {"/dev/full", ENOSPC},  // write
        {"/dev/null", EINVAL},  // flush
    };
    create_record_folder(real(), folder_.c_str());
    for (const Row& row : rows) {
        remove_path(path_);
        ASSERT_EQ(0, symlink(row.device, narrow(path_).c_str())) << row.device;
        SaveOutcome outcome = save(real());
        SCOPED_TRACE(row.device);
        expect_failed(outcome, path_);
        EXPECT_EQ(failure_message(path_, row.error), std::wstring(outcome.message));
    }
}

// The platform's reads hand back what the file has: a read past its end
// stops there without an error, one from beyond it reads nothing.
TEST_F(SaveTest, ReadsStopAtTheEndOfTheFile) {
    write_file("0123456789");
    RecordFile file{};
    bool created = true;
    ASSERT_EQ(0u, real().open(nullptr, path_.c_str(), &file, &created));
    EXPECT_FALSE(created);
    struct Row {
        int64_t offset;
        int32_t count;
        std::string got;
    };
    const Row rows[] = {{0, 10, "0123456789"}, {6, 20, "6789"}, {10, 4, ""}, {30, 4, ""}};
    for (const Row& row : rows) {
        char bytes[32] = {};
        int32_t got = -1;
        EXPECT_EQ(0u, real().read(nullptr, file, row.offset, bytes, row.count, &got));
        EXPECT_EQ(row.got, std::string(bytes, static_cast<size_t>(got < 0 ? 0 : got)))
            << "offset " << row.offset;
    }
    EXPECT_EQ(0u, real().close(nullptr, file));
}

// save_record itself: the folder named by the environment, the local clock,
// the real files; no result queries nothing and writes nothing.
TEST_F(SaveTest, SaveRecordWritesUnderTheChosenFolder) {
    std::string base = narrow(base_);
    setenv("KINETORA_LOCAL_APPDATA", base.c_str(), 1);
    const double values[1] = {8.0};
    SaveOutcome outcome;
    save_record(tool(), result_of(values, 1, L""), &outcome);
    EXPECT_EQ(SaveStatus::no_result, outcome.status);
    EXPECT_EQ(std::nullopt, contents());
    save_record(tool(), result_of(values, 1, kReport), &outcome);
    unsetenv("KINETORA_LOCAL_APPDATA");
    EXPECT_EQ(SaveStatus::saved, outcome.status);
    EXPECT_EQ(path_, std::wstring(outcome.record_path));
    std::optional<std::string> saved = contents();
    ASSERT_TRUE(saved.has_value());
    // The record's time is the clock's: everything after it is as saved at kSaveTime.
    const std::string record_tail = kRecordBytes.substr(std::string("2026-12-07 09:05:03").size());
    EXPECT_EQ(kBom + kHeaderBytes, saved->substr(0, kBom.size() + kHeaderBytes.size()));
    EXPECT_EQ(record_tail, saved->substr(saved->size() - record_tail.size()));
}
#endif

#ifdef _WIN32
// While a save holds the file, a viewer that keeps it open for reading stays
// undisturbed and others may open it for reading, but not for writing.
std::wstring g_held_path;
bool g_read_while_held = false;
DWORD g_write_while_held = 0;
RecordError probing_write(void*, RecordFile file, int64_t offset, const void* bytes,
                          int32_t count) {
    HANDLE reader = CreateFileW(g_held_path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    g_read_while_held = reader != INVALID_HANDLE_VALUE;
    if (g_read_while_held) CloseHandle(reader);
    HANDLE writer = CreateFileW(g_held_path.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    g_write_while_held = writer == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    return real().write(nullptr, file, offset, bytes, count);
}

TEST_F(SaveTest, ViewersMayReadWhileTheSaveHoldsTheFile) {
    ASSERT_EQ(SaveStatus::saved, save(real()).status);
    HANDLE viewer = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, viewer);
    g_held_path = path_;
    RecordFileOps ops = real();
    ops.write = probing_write;
    SaveOutcome outcome = save(ops);
    CloseHandle(viewer);
    EXPECT_EQ(SaveStatus::saved, outcome.status);
    EXPECT_TRUE(g_read_while_held);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), g_write_while_held);
}

TEST(RecordBaseFolder, IsTheLocalApplicationDataFolder) {
    wchar_t folder[kRecordPathCapacity];
    EXPECT_EQ(0u, query_record_base_folder(folder, kRecordPathCapacity));
    wchar_t expected[MAX_PATH] = L"";
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", expected, MAX_PATH), 0u);
    EXPECT_EQ(0, lstrcmpiW(expected, folder));
}
#else
TEST(RecordBaseFolder, ChosenByEnvironment) {
    setenv("KINETORA_LOCAL_APPDATA", "/data/k", 1);
    wchar_t folder[kRecordPathCapacity];
    EXPECT_EQ(0u, query_record_base_folder(folder, kRecordPathCapacity));
    EXPECT_STREQ(L"/data/k", folder);
    unsetenv("KINETORA_LOCAL_APPDATA");
    setenv("XDG_DATA_HOME", "/xdg", 1);
    EXPECT_EQ(0u, query_record_base_folder(folder, kRecordPathCapacity));
    EXPECT_STREQ(L"/xdg", folder);
    unsetenv("XDG_DATA_HOME");
}

// An empty variable counts as none (a record beside the program or in the
// root would be shared by everyone); without any, no folder and an error.
TEST(RecordBaseFolder, EmptyVariablesAreSkipped) {
    struct Row {
        const char* chosen;  // KINETORA_LOCAL_APPDATA; null: unset
        const char* xdg;     // XDG_DATA_HOME
        const char* home;    // HOME
        RecordError error;
        const wchar_t* folder;
    };
    const Row rows[] = {
        {"/data/k", "/xdg",   "/home/n", 0,      L"/data/k"},
        {"",        "/xdg",   "/home/n", 0,      L"/xdg"},
        {nullptr,   "",       "/home/n", 0,      L"/home/n/.local/share"},
        {"",        nullptr,  "",        ENOENT, L""},
        {nullptr,   nullptr,  nullptr,   ENOENT, L""},
    };
    const char* home = std::getenv("HOME");
    const std::string saved_home = home ? home : "";
    auto set = [](const char* name, const char* value) {
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    };
    for (const Row& row : rows) {
        set("KINETORA_LOCAL_APPDATA", row.chosen);
        set("XDG_DATA_HOME", row.xdg);
        set("HOME", row.home);
        wchar_t folder[kRecordPathCapacity] = L"stale";
        EXPECT_EQ(row.error, query_record_base_folder(folder, kRecordPathCapacity));
        EXPECT_STREQ(row.folder, folder);
    }
    unsetenv("KINETORA_LOCAL_APPDATA");
    unsetenv("XDG_DATA_HOME");
    if (home) setenv("HOME", saved_home.c_str(), 1);
}
#endif

}  // namespace
