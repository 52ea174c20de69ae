// The print command's course through a printer whose every step can fail:
// what is printed, what the user is told, and that a failed document is
// aborted and never claimed as printed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/wide_text.h"
#include "window/print/print_job.h"

namespace {

// A printer that records every call and fails where a test says.
struct FakePrinter {
    PrintChoice choice = PrintChoice::print;
    uint32_t dialog_error = 0;
    bool page_range = false;
    int32_t from_page = 1;
    int32_t to_page = 1;
    int32_t lines_per_page = 0;   // 0: the page holds everything
    uint32_t prepare_error = 0;
    uint32_t start_document_error = 0;
    int32_t failing_page = -1;     // the n-th start_page call (from 1) fails ...
    uint32_t page_error = 0;       // ... with this code, in this step:
    const char* failing_step = "";  // "start", "draw" or "end"
    uint32_t end_document_error = 0;
    std::vector<std::string> calls;
    std::vector<int32_t> drawn;
    int32_t pages_started = 0;
};

FakePrinter& fake(void* context) { return *static_cast<FakePrinter*>(context); }
int dc_token = 0;

void fake_choose(void* context, int32_t, PrintDialogResult* result) {
    FakePrinter& f = fake(context);
    f.calls.push_back("choose");
    result->choice = f.choice;
    result->error = f.dialog_error;
    result->dc = &dc_token;
    wtext_copy(result->printer, kPrinterNameCapacity, L"病区打印机");
    result->page_range = f.page_range;
    result->from_page = f.from_page;
    result->to_page = f.to_page;
}

uint32_t fake_prepare(void* context, void*, PrintGeometry* geometry) {
    FakePrinter& f = fake(context);
    f.calls.push_back("prepare");
    const int32_t body_lines = f.lines_per_page > 0 ? f.lines_per_page : 10000;
    // Header of about five lines, footer of about two.
    *geometry = PrintGeometry{0, 0, 10000, 10 * (body_lines + 8), {}};
    for (int32_t& height : geometry->line_height) height = 10;
    return f.prepare_error;
}

int32_t fake_measure(void*, PrintStyle, const wchar_t*, int32_t length) { return length; }

uint32_t fake_start_document(void* context, void*, const wchar_t*) {
    fake(context).calls.push_back("start_document");
    return fake(context).start_document_error;
}

uint32_t page_step(FakePrinter& f, const char* step) {
    return f.pages_started == f.failing_page && std::string(step) == f.failing_step ? f.page_error : 0;
}

uint32_t fake_start_page(void* context, void*) {
    FakePrinter& f = fake(context);
    ++f.pages_started;
    f.calls.push_back("start_page");
    return page_step(f, "start");
}

uint32_t fake_draw_page(void* context, void*, const PrintLayout&, int32_t page) {
    FakePrinter& f = fake(context);
    f.drawn.push_back(page);
    return page_step(f, "draw");
}

uint32_t fake_end_page(void* context, void*) {
    FakePrinter& f = fake(context);
    f.calls.push_back("end_page");
    return page_step(f, "end");
}

uint32_t fake_end_document(void* context, void*) {
    fake(context).calls.push_back("end_document");
    return fake(context).end_document_error;
}

void fake_abort_document(void* context, void*) { fake(context).calls.push_back("abort_document"); }
void fake_release(void* context, void*) { fake(context).calls.push_back("release"); }

void fake_error_text(void*, uint32_t error, wchar_t* text, int32_t capacity) {
    if (error == 5) {
        wtext_copy(text, capacity, L"拒绝访问。");
    } else {
        text[0] = 0;
    }
}

PrintOps ops_for(FakePrinter& printer) {
    return PrintOps{&printer,         fake_choose,     fake_prepare,   fake_measure,
                    fake_start_document, fake_start_page, fake_draw_page, fake_end_page,
                    fake_end_document,   fake_abort_document, fake_release, fake_error_text};
}

// A document of `lines` report lines.
PrintDocument document_of(int32_t lines) {
    static std::wstring report;
    report.clear();
    for (int32_t i = 0; i < lines; ++i) report += L"行\r\n";
    return PrintDocument{L"工具", L"分类  ·  说明", L"结论", 1, report.c_str(), L"", L"参考依据：",
                         {2026, 1, 2, 3, 4, 5}, L"PC"};
}

int count(const std::vector<std::string>& calls, const std::string& name) {
    int n = 0;
    for (const std::string& call : calls) n += call == name;
    return n;
}

std::wstring text(const wchar_t* value) { return value ? value : L""; }

}  // namespace

TEST(PrintJob, WhatTheUserIsTold) {
    struct Row {
        const char* what;
        int32_t report_lines;
        void (*set_up)(FakePrinter&);
        PrintStatus status;
        const wchar_t* caption;   // null: no message
        const wchar_t* message;   // the message box text, whole
        const wchar_t* status_text;
    };
    const Row rows[] = {
        {"nothing calculated yet", 0, [](FakePrinter&) {}, PrintStatus::no_result, L"提示",
         L"请先点击“计算”生成结果，再打印。", L""},
        {"dialog cancelled", 3, [](FakePrinter& f) { f.choice = PrintChoice::cancelled; },
         PrintStatus::cancelled, nullptr, L"", L""},
        {"no printer installed", 3, [](FakePrinter& f) { f.choice = PrintChoice::no_printer; },
         PrintStatus::no_printer, L"打印失败", L"未找到打印机：请先在 Windows 中添加打印机。", L""},
        {"dialog failed", 3,
         [](FakePrinter& f) {
             f.choice = PrintChoice::failed;
             f.dialog_error = 0x100A;
         },
         PrintStatus::failed, L"打印失败",
         L"打印对话框未能打开。\r\n未知错误（错误代码 4106）\r\n本次没有打印任何内容。", L""},
        {"start of the document refused", 3, [](FakePrinter& f) { f.start_document_error = 5; },
         PrintStatus::failed, L"打印失败",
         L"未能打印到“病区打印机”。\r\n拒绝访问。（错误代码 5）\r\n本次没有打印任何内容。", L""},
        {"start of the document cancelled by the user", 3,
         [](FakePrinter& f) { f.start_document_error = kPrintErrorCancelled; },
         PrintStatus::cancelled, nullptr, L"", L""},
        {"a page fails without a code", 3,
         [](FakePrinter& f) {
             f.failing_page = 1;
             f.failing_step = "end";
             f.page_error = kPrintErrorUnknown;
         },
         PrintStatus::failed, L"打印失败",
         L"未能打印到“病区打印机”。\r\n未知错误（错误代码 无）\r\n本次没有打印任何内容。", L""},
        {"a large error code in hexadecimal", 3,
         [](FakePrinter& f) { f.end_document_error = 0x80070005u; },
         PrintStatus::failed, L"打印失败",
         L"未能打印到“病区打印机”。\r\n未知错误（错误代码 0x80070005）\r\n本次没有打印任何内容。", L""},
        {"printer not ready", 3, [](FakePrinter& f) { f.prepare_error = 5; }, PrintStatus::failed,
         L"打印失败", L"未能打印到“病区打印机”。\r\n拒绝访问。（错误代码 5）\r\n本次没有打印任何内容。",
         L""},
        {"printed", 3, [](FakePrinter&) {}, PrintStatus::printed, nullptr, L"",
         L"已发送到打印机：病区打印机"},
    };
    for (const Row& row : rows) {
        FakePrinter printer;
        row.set_up(printer);
        static PrintOutcome outcome;
        print_document(ops_for(printer), document_of(row.report_lines), L"工具", &outcome);
        EXPECT_EQ(outcome.status, row.status) << row.what;
        EXPECT_EQ(text(outcome.caption), text(row.caption)) << row.what;
        EXPECT_EQ(std::wstring(outcome.message), row.message) << row.what;
        EXPECT_EQ(std::wstring(outcome.status_text), row.status_text) << row.what;
        // Whatever the dialog handed out is given back.
        if (count(printer.calls, "prepare") > 0) EXPECT_EQ(count(printer.calls, "release"), 1) << row.what;
    }
}

TEST(PrintJob, AFailedDocumentIsAbortedWhole) {
    struct Row {
        const char* what;
        int32_t failing_page;
        const char* step;
        uint32_t end_document_error;
        int32_t pages_started;
    };
    // Three pages of 20 lines.
    const Row rows[] = {
        {"first page refused", 1, "start", 0, 1},
        {"second page not drawn", 2, "draw", 0, 2},
        {"last page not ended", 3, "end", 0, 3},
        {"the document not ended", -1, "", 32, 3},
    };
    for (const Row& row : rows) {
        FakePrinter printer;
        printer.lines_per_page = 20;
        printer.failing_page = row.failing_page;
        printer.failing_step = row.step;
        printer.page_error = 32;
        printer.end_document_error = row.end_document_error;
        static PrintOutcome outcome;
        print_document(ops_for(printer), document_of(50), L"工具", &outcome);
        EXPECT_EQ(outcome.status, PrintStatus::failed) << row.what;
        EXPECT_EQ(outcome.page_count, 3) << row.what;
        EXPECT_EQ(outcome.pages_sent, 0) << row.what;
        EXPECT_EQ(outcome.status_text[0], 0) << row.what;
        EXPECT_EQ(printer.pages_started, row.pages_started) << row.what;
        EXPECT_EQ(count(printer.calls, "abort_document"), 1) << row.what;
        EXPECT_EQ(printer.calls.back(), "release") << row.what;
        if (row.end_document_error == 0) EXPECT_EQ(count(printer.calls, "end_document"), 0) << row.what;
    }
}

TEST(PrintJob, PagesOfTheChosenRange) {
    struct Row {
        const char* what;
        bool page_range;
        int32_t from;
        int32_t to;
        std::vector<int32_t> drawn;  // page indices, from 0
        PrintStatus status;
    };
    // Three pages of 20 lines.
    const Row rows[] = {
        {"all pages", false, 1, 1, {0, 1, 2}, PrintStatus::printed},
        {"pages 2 to 3", true, 2, 3, {1, 2}, PrintStatus::printed},
        {"page 2 alone", true, 2, 2, {1}, PrintStatus::printed},
        {"2 to 9: up to the last", true, 2, 9, {1, 2}, PrintStatus::printed},
        {"beyond the last", true, 4, 9, {}, PrintStatus::out_of_range},
    };
    for (const Row& row : rows) {
        FakePrinter printer;
        printer.lines_per_page = 20;
        printer.page_range = row.page_range;
        printer.from_page = row.from;
        printer.to_page = row.to;
        static PrintOutcome outcome;
        print_document(ops_for(printer), document_of(50), L"工具", &outcome);
        EXPECT_EQ(outcome.status, row.status) << row.what;
        EXPECT_EQ(printer.drawn, row.drawn) << row.what;
        EXPECT_EQ(outcome.pages_sent, static_cast<int32_t>(row.drawn.size())) << row.what;
        if (row.status == PrintStatus::out_of_range) {
            EXPECT_EQ(std::wstring(outcome.message),
                      L"所选页码范围内没有可打印的页：本次结果共 3 页。本次没有打印任何内容。");
            EXPECT_EQ(count(printer.calls, "start_document"), 0);
        } else {
            EXPECT_EQ(count(printer.calls, "end_document"), 1) << row.what;
        }
    }
}

// The document carries the tool's own signature line, or none (the common line).
TEST(PrintJob, TheDocumentCarriesTheToolsSignatureLine) {
    const wchar_t kThree[] = L"手术医师：＿＿＿＿  麻醉医师：＿＿＿＿  手术室护士：＿＿＿＿";
    for (const wchar_t* signature : {static_cast<const wchar_t*>(nullptr), kThree}) {
        ToolDef tool = {108, L"核查", L"说明", L"分类", L"依据", L"", 0, nullptr, 0, nullptr,
                        0, nullptr, 8, signature};
        static PrintToolTexts texts;
        PrintDocument document;
        static ToolResult result;
        result.state = ResultState::current;
        wtext_copy(result.report, kReportCapacity, L"□ 一项\r\n");
        wtext_copy(result.verdict, kVerdictCapacity, L"结论");
        make_print_document(tool, result, LocalTime{2026, 1, 2, 3, 4, 5}, L"PC", &texts, &document);
        EXPECT_EQ(document.signature, signature);
    }
}

// The page of a result: the inputs block after the header and before the
// verdict, its report with a failed output as "--"; nothing to print once the
// result is stale; no block for a tool without inputs.
TEST(PrintJob, ThePageCarriesTheInputsBeforeTheVerdict) {
    static ToolResult result;
    static PrintToolTexts texts;
    static PrintLayout layout;
    struct Row {
        bool no_inputs;
        double t;
        ResultState state;
        const wchar_t* inputs;  // the block's text
        bool has_report;
    };
    const Row rows[] = {
        {false, 30, ResultState::current, L"输入\r\n半衰期：30 h\r\n", true},
        {false, 0, ResultState::current, L"输入\r\n半衰期：0 h\r\n", true},
        {false, 12.25, ResultState::stale, L"输入\r\n半衰期：12.25 h\r\n", false},
        {true, 8, ResultState::current, L"", true},
    };
    for (const Row& row : rows) {
        ToolDef tool = get_tool_definition();
        if (row.no_inputs) tool.input_count = 0;
        evaluate_tool(tool, &row.t, &result);
        result.state = row.state;
        PrintDocument document;
        make_print_document(tool, result, LocalTime{2026, 1, 2, 3, 4, 5}, L"PC", &texts, &document);
        EXPECT_EQ(std::wstring(document.inputs), row.inputs) << row.t;
        EXPECT_EQ(document.report != nullptr, row.has_report) << row.t;
        if (!row.has_report) continue;

        FakePrinter printer;
        PrintGeometry geometry{};
        fake_prepare(&printer, nullptr, &geometry);
        lay_out_print(document, geometry, fake_measure, nullptr, &layout);
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out);
        // The runs of the body in order, as text.
        std::wstring body;
        for (int32_t i = 0; i < layout.run_count; ++i) {
            const PrintRun& run = layout.runs[i];
            if (run.kind == PrintRunKind::text && run.style != kPrintTitle &&
                run.style != kPrintSubtitle && run.style != kPrintInfo) {
                body += std::wstring(run.text, static_cast<size_t>(run.length)) + L"|";
            }
        }
        const size_t verdict = body.find(print_level_words(result.level));
        ASSERT_NE(verdict, std::wstring::npos);
        if (row.no_inputs) {
            EXPECT_EQ(body.find(L"输入|"), std::wstring::npos);
        } else {
            EXPECT_EQ(body.find(L"输入|半衰期："), 0u) << row.t;
        }
        EXPECT_NE(body.find(row.t == 0 ? L"消除速率常数：-- 1/h" : L"消除速率常数："), std::wstring::npos);
        EXPECT_EQ(body.find(L"0.000"), std::wstring::npos);
    }
}
