// Record store: CSV builders, folder and file names, and the save itself against
// the real file system and with each file operation failing in turn.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/record_store.h"

#ifdef _WIN32
#include <windows.h>
#else
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
    u8"2026-12-07 09:05:03,Kinetora,半衰期=8,\"消除速率常数：0.087 1/h\r\n"
    u8"达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n\"\r\n";

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

TEST(RecordLine, FieldsValuesQuotingAndReportCut) {
    const std::wstring x254(254, L'x');
    const std::wstring cut_in_line_break = std::wstring(253, L'x') + L"\r\nyyy";
    const std::wstring quote_past_cut = x254 + L"\"tail";
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
        {L"N",       L"t",         1234567.0, L"r",              L"N,t=1.23457e+06,r\r\n"},
        {L"N",       L"t",         0.0001,    L"r",              L"N,t=0.0001,r\r\n"},
        {L"N",       L"t",         1e-5,      L"r",              L"N,t=1e-05,r\r\n"},
        {L"A,B",     L"t",         8.0,       L"r",              L"\"A,B\",t=8,r\r\n"},
        {L"N",       L"he\"ight",  8.0,       L"r",              L"N,\"he\"\"ight=8\",r\r\n"},
        {L"N",       L"t",         8.0,       L"a\r\nb\r\n",     L"N,t=8,\"a\r\nb\r\n\"\r\n"},
        {L"N",       L"t",         8.0,       x254 + L"zz",      L"N,t=8," + x254 + L"\r\n"},
        {L"N",       L"t",         8.0,       cut_in_line_break,
         L"N,t=8,\"" + std::wstring(253, L'x') + L"\r\"\r\n"},
        {L"N",       L"t",         8.0,       quote_past_cut,    L"N,t=8," + x254 + L"\r\n"},
        {L"N",       long_label.c_str(), 8.0, L"r",
         L"N," + std::wstring(126, L'L') + L",r\r\n"},
    };
    for (const Row& row : rows) {
        const ToolInput input = {"t", row.label, nullptr, 0};
        ToolDef tool = make_tool(1, row.name, &input, 1);
        wchar_t line[kRecordLineCapacity];
        build_record_line(tool, &row.value, row.report.c_str(), kSaveTime, line,
                          kRecordLineCapacity);
        EXPECT_EQ(L"2026-12-07 09:05:03," + row.expected_tail, std::wstring(line))
            << "value " << row.value;
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

    wchar_t line[kRecordLineCapacity];
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

enum class Op { open, write, flush, close, size, remove, truncate, count };

// Makes the `fail_at`-th call (1-based) of one operation fail; a failing write,
// flush or close first does its real work (half the bytes for a write), so the
// save must really take the bytes back out.
struct Faults {
    Op kind;
    int fail_at;
    int seen[static_cast<int>(Op::count)];
};

const RecordFileOps& real() {
    return default_record_file_ops();
}

bool fails(void* context, Op op) {
    Faults* f = static_cast<Faults*>(context);
    return ++f->seen[static_cast<int>(op)] == f->fail_at && f->kind == op;
}

std::FILE* faulty_open(void* c, const wchar_t* path, const char* mode) {
    return fails(c, Op::open) ? nullptr : real().open(nullptr, path, mode);
}
bool faulty_write(void* c, std::FILE* file, const void* bytes, size_t count) {
    if (!fails(c, Op::write)) return real().write(nullptr, file, bytes, count);
    real().write(nullptr, file, bytes, count / 2);
    return false;
}
bool faulty_flush(void* c, std::FILE* file) {
    return real().flush(nullptr, file) && !fails(c, Op::flush);
}
bool faulty_close(void* c, std::FILE* file) {
    return real().close(nullptr, file) && !fails(c, Op::close);
}
int64_t faulty_size(void* c, std::FILE* file) {
    return fails(c, Op::size) ? -1 : real().size(nullptr, file);
}
bool faulty_remove(void* c, const wchar_t* path) {
    return !fails(c, Op::remove) && real().remove(nullptr, path);
}
bool faulty_truncate(void* c, const wchar_t* path, int64_t size) {
    return !fails(c, Op::truncate) && real().truncate(nullptr, path, size);
}

RecordFileOps faulty_ops(Faults* faults) {
    return RecordFileOps{faults,       faulty_open,     faulty_write,
                         faulty_flush, faulty_close,    faulty_size,
                         faulty_truncate, faulty_remove, real().create_directory};
}

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
        real().remove(nullptr, path_.c_str());
        for (std::wstring dir : {folder_, folder_.substr(0, folder_.rfind(L'\\')), base_}) {
#ifdef _WIN32
            RemoveDirectoryW(dir.c_str());
#else
            std::string narrow;
            for (wchar_t c : dir) narrow += c == L'\\' ? '/' : static_cast<char>(c);
            rmdir(narrow.c_str());
#endif
        }
    }

    static const ToolDef& tool() { return get_tool_definition(); }

    SaveOutcome save(const RecordFileOps& ops, const wchar_t* report = kReport,
                     const ToolDef* other = nullptr) {
        const double values[1] = {8.0};
        SaveOutcome outcome;
        save_record_with(ops, base_.c_str(), kSaveTime, other ? *other : tool(), values, report,
                         &outcome);
        return outcome;
    }

    std::optional<std::string> contents() const {
        std::FILE* file = real().open(nullptr, path_.c_str(), "rb");
        if (file == nullptr) return std::nullopt;
        std::string bytes;
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, n);
        std::fclose(file);
        return bytes;
    }

    void write_file(const std::string& bytes) const {
        std::FILE* file = real().open(nullptr, path_.c_str(), "wb");
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
    Faults faults{Op::count, 0, {}};
    SaveOutcome outcome = save(faulty_ops(&faults), L"");
    EXPECT_EQ(SaveStatus::no_result, outcome.status);
    EXPECT_STREQ(L"请先点击“计算”生成结果，再保存记录。", outcome.message);
    EXPECT_STREQ(L"提示", outcome.caption);
    EXPECT_EQ(kSaveIconInformation, outcome.icon);
    EXPECT_STREQ(L"", outcome.status_text);
    for (int seen : faults.seen) EXPECT_EQ(0, seen);
    EXPECT_EQ(std::nullopt, contents());
}

// Each operation failing in turn, into a new file and into one that already has
// a record. Calls in order: open "rb" (the existence test; it finds no new file),
// close of that, open "ab", size, write header (new file only), write record,
// flush, close.
TEST_F(SaveTest, EachFailingOperationLeavesTheFileAsItWas) {
    struct Row {
        Op op;
        int nth;
        bool saves_new;       // the save still succeeds into a new file
        bool saves_existing;  // ... into the existing file
    };
    const Row rows[] = {
        {Op::open,  1, true,  true},   // existence test: file treated as unreadable
        {Op::open,  2, false, false},
        {Op::size,  1, false, false},
        {Op::write, 1, false, false},
        {Op::write, 2, false, true},   // the existing file has only one write
        {Op::flush, 1, false, false},
        {Op::close, 1, false, true},   // existing: the existence test's close
        {Op::close, 2, true,  false},
    };
    const std::string existing = kBom + kHeaderBytes + kRecordBytes;
    for (bool file_exists : {false, true}) {
        for (const Row& row : rows) {
            real().remove(nullptr, path_.c_str());
            if (file_exists) {
                ASSERT_EQ(SaveStatus::saved, save(real()).status);
            }
            std::optional<std::string> before = contents();
            Faults faults{row.op, row.nth, {}};
            SaveOutcome outcome = save(faulty_ops(&faults));
            bool saves = file_exists ? row.saves_existing : row.saves_new;
            SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(row.op) << " #"
                                            << row.nth << (file_exists ? " existing" : " new"));
            if (saves) {
                EXPECT_EQ(SaveStatus::saved, outcome.status);
                EXPECT_EQ(file_exists ? existing + kRecordBytes : existing, contents());
            } else {
                expect_failed(outcome, path_);
                EXPECT_NE(nullptr, std::wcsstr(outcome.message, L"Excel"));
                EXPECT_EQ(before, contents());
            }
        }
    }
}

// A file left empty (its removal failed) is taken as new by the next save.
TEST_F(SaveTest, FileThatCannotBeRemovedIsLeftEmptyAndGetsItsHeaderLater) {
    Faults faults{Op::write, 2, {}};
    RecordFileOps ops = faulty_ops(&faults);
    ops.remove = [](void*, const wchar_t*) { return false; };
    expect_failed(save(ops), path_);
    EXPECT_EQ(std::string(), contents());
    EXPECT_EQ(SaveStatus::saved, save(real()).status);
    EXPECT_EQ(kBom + kHeaderBytes + kRecordBytes, contents());
}

TEST_F(SaveTest, LineTooLongForUtf8BufferIsNotWritten) {
    const std::wstring label(126, L'中');
    ToolInput inputs[kMaxToolInputs];
    for (ToolInput& input : inputs) input = ToolInput{"k", label.c_str(), nullptr, 0};
    ToolDef wide = make_tool(30, L"Kinetora", inputs, kMaxToolInputs);
    const double values[kMaxToolInputs] = {};
    for (bool file_exists : {false, true}) {
        real().remove(nullptr, path_.c_str());
        if (file_exists) ASSERT_EQ(SaveStatus::saved, save(real()).status);
        std::optional<std::string> before = contents();
        SaveOutcome outcome;
        save_record_with(real(), base_.c_str(), kSaveTime, wide, values, kReport, &outcome);
        expect_failed(outcome, path_);
        EXPECT_NE(nullptr, std::wcsstr(outcome.message, L"4095"));
        EXPECT_EQ(before, contents());
    }
}

#ifdef _WIN32
// Another program holding the file without sharing (as Excel does): the save
// fails and the file is unchanged once the other program lets go.
TEST_F(SaveTest, FileLockedByAnotherProgram) {
    ASSERT_EQ(SaveStatus::saved, save(real()).status);
    std::optional<std::string> before = contents();
    HANDLE lock = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    SaveOutcome outcome = save(real());
    CloseHandle(lock);
    expect_failed(outcome, path_);
    EXPECT_EQ(before, contents());
    EXPECT_EQ(SaveStatus::saved, save(real()).status);
    EXPECT_EQ(*before + kRecordBytes, contents());
}

TEST(RecordBaseFolder, IsTheLocalApplicationDataFolder) {
    wchar_t folder[kRecordPathCapacity];
    query_record_base_folder(folder, kRecordPathCapacity);
    wchar_t expected[MAX_PATH] = L"";
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", expected, MAX_PATH), 0u);
    EXPECT_EQ(0, lstrcmpiW(expected, folder));
}
#else
TEST(RecordBaseFolder, ChosenByEnvironment) {
    setenv("KINETORA_LOCAL_APPDATA", "/data/k", 1);
    wchar_t folder[kRecordPathCapacity];
    query_record_base_folder(folder, kRecordPathCapacity);
    EXPECT_STREQ(L"/data/k", folder);
    unsetenv("KINETORA_LOCAL_APPDATA");
    setenv("XDG_DATA_HOME", "/xdg", 1);
    query_record_base_folder(folder, kRecordPathCapacity);
    EXPECT_STREQ(L"/xdg", folder);
    unsetenv("XDG_DATA_HOME");
}
#endif

}  // namespace
