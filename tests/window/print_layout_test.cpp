// The printed page's layout, on fixed-pitch metrics: wrapping at the margin,
// page breaks, header and footer on every page, the level in words, the
// signature line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/print/print_layout.h"
#include "window/window_layout.h"

namespace {

// Fixed pitch: an ASCII unit and each half of a surrogate pair take one cell
// of 10 units, every other unit two cells.
constexpr int32_t kCell = 10;

int32_t fixed_pitch(void*, PrintStyle, const wchar_t* text, int32_t length) {
    int32_t width = 0;
    for (int32_t i = 0; i < length; ++i) {
        const wchar_t unit = text[i];
        const bool single = unit < 0x80 || (unit >= 0xD800 && unit <= 0xDFFF);
        width += single ? kCell : 2 * kCell;
    }
    return width;
}

// A page of 80 cells by 1000 units, lines 20 units high (the title's 30).
constexpr int32_t kPageCells = 80;

PrintGeometry page_geometry(int32_t height = 1000) {
    PrintGeometry geometry = {100, 50, 100 + kPageCells * kCell, 50 + height, {}};
    for (int32_t& line : geometry.line_height) line = 20;
    geometry.line_height[kPrintTitle] = 30;
    return geometry;
}

PrintDocument document_with(const std::wstring& report, int32_t level = 0) {
    static std::wstring kept;
    kept = report;
    return PrintDocument{L"输液卡", L"输液安全  ·  输液卡", L"输液卡已生成", level, kept.c_str(),
                         L"双人核对后执行。", L"参考依据：护理规范", {2026, 3, 5, 8, 7, 9},
                         L"WARD-PC-7"};
}

PrintLayout& lay_out(const PrintDocument& document, const PrintGeometry& geometry = page_geometry()) {
    static PrintLayout layout;
    lay_out_print(document, geometry, fixed_pitch, nullptr, &layout);
    return layout;
}

std::wstring run_text(const PrintRun& run) {
    return run.kind == PrintRunKind::text ? std::wstring(run.text, static_cast<size_t>(run.length))
                                          : std::wstring();
}

std::vector<const PrintRun*> runs_on(const PrintLayout& layout, int32_t page) {
    std::vector<const PrintRun*> runs;
    for (int32_t i = 0; i < layout.run_count; ++i) {
        if (layout.runs[i].page == page) runs.push_back(&layout.runs[i]);
    }
    return runs;
}

const PrintRun* find_run(const PrintLayout& layout, int32_t page, const std::wstring& text) {
    for (const PrintRun* run : runs_on(layout, page)) {
        if (run_text(*run) == text) return run;
    }
    return nullptr;
}

// The rules of a page: the header's (first) and the footer's (second), which
// bound the body.
std::vector<int32_t> rule_ys(const PrintLayout& layout, int32_t page) {
    std::vector<int32_t> ys;
    for (const PrintRun* run : runs_on(layout, page)) {
        if (run->kind == PrintRunKind::rule) ys.push_back(run->y);
    }
    return ys;
}

std::wstring repeat(const std::wstring& piece, int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

// Report lines and the runs of the report style, in order.
std::vector<const PrintRun*> report_runs(const PrintLayout& layout) {
    std::vector<const PrintRun*> runs;
    for (int32_t i = 0; i < layout.run_count; ++i) {
        if (layout.runs[i].kind == PrintRunKind::text && layout.runs[i].style == kPrintReport) {
            runs.push_back(&layout.runs[i]);
        }
    }
    return runs;
}

std::wstring without_blanks(const std::wstring& text) {
    std::wstring out;
    for (wchar_t unit : text) {
        if (unit != L' ') out += unit;
    }
    return out;
}

}  // namespace

TEST(PrintLayout, WrapsAtTheMargin) {
    // print_line_fit: the units that go on one line of the given width.
    struct Row {
        const char* what;
        std::wstring text;
        int32_t width;
        int32_t fit;
    };
    const Row rows[] = {
        {"fits whole", L"abc", 30, 3},
        {"one cell too wide", L"abcd", 30, 3},
        {"ends after its last blank", L"abcd efgh", 70, 5},
        {"a blank in the first half is no break", L"a bcdefgh", 70, 7},
        {"a blank right at the margin", L"abc defg", 40, 4},
        {"two-cell characters", L"护士护士护士", 50, 2},
        {"a character exactly at the margin", L"护士护士护士", 40, 2},
        {"no line begins with \"。\"", L"护士护士。护", 90, 3},
        {"no line ends with \"（\"", L"护士护士（护", 100, 4},
        {"\"次/分\" stays with its blank", L"护士护呼吸＿次/分", 160, 5},
        {"never the first half of a surrogate pair", L"ab\xD83D\xDE00" L"cd", 30, 2},
        {"a pair alone goes whole", L"\xD83D\xDE00" L"cd", 5, 2},
        {"nothing fits: one character all the same", L"abc", 5, 1},
        {"empty", L"", 30, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(print_line_fit(row.text.c_str(), static_cast<int32_t>(row.text.size()), row.width,
                                 kPrintReport, fixed_pitch, nullptr),
                  row.fit)
            << row.what;
    }

    // Through the layout: every piece of a long line within the margins, the
    // pieces together the line (blanks at the wraps aside), and a leading
    // indent kept.
    struct Line {
        const char* what;
        std::wstring line;
        int32_t pieces;
    };
    const Line lines[] = {
        {"short", L"滴速：40 滴/分", 1},
        {"exactly the width", repeat(L"ab", kPageCells / 2), 1},
        {"one cell over", repeat(L"ab", kPageCells / 2) + L"c", 2},
        {"roster-like", L"  " + repeat(L"1日D 2日N 3日R ", 12), 3},
        {"no blanks at all", repeat(L"护", 95), 3},
    };
    for (const Line& row : lines) {
        const PrintLayout& layout = lay_out(document_with(row.line + L"\r\n"));
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out) << row.what;
        const PrintGeometry geometry = page_geometry();
        std::wstring joined;
        const std::vector<const PrintRun*> runs = report_runs(layout);
        for (const PrintRun* run : runs) {
            EXPECT_GE(run->x, geometry.left) << row.what;
            EXPECT_LE(run->x + fixed_pitch(nullptr, kPrintReport, run->text, run->length),
                      geometry.right)
                << row.what;
            joined += run_text(*run);
        }
        EXPECT_EQ(static_cast<int32_t>(runs.size()), row.pieces) << row.what;
        EXPECT_EQ(without_blanks(joined), without_blanks(row.line)) << row.what;
        EXPECT_EQ(run_text(*runs[0]).substr(0, 2), row.line.substr(0, 2)) << row.what;
    }
}

TEST(PrintLayout, PagesEndOnlyBetweenLines) {
    struct Row {
        const char* what;
        std::wstring report;
        int32_t min_pages;
    };
    std::wstring numbered;
    for (int i = 1; i <= 150; ++i) numbered += L"第" + std::to_wstring(i) + L"行\r\n";
    std::wstring roster;  // each nurse's line wraps into three pieces
    for (int i = 1; i <= 40; ++i) {
        roster += L"护士" + std::to_wstring(i) + L"：\r\n  " + repeat(L"1日D 2日N 3日R ", 15) + L"\r\n";
    }
    const Row rows[] = {
        {"one line", L"一行\r\n", 1},
        {"150 short lines", numbered, 3},
        {"blank lines kept", L"甲\r\n\r\n\r\n乙\r\n", 1},
        {"40 nurses, lines of three pieces", roster, 3},
        {"LF alone ends a line too", L"甲\n乙\n丙", 1},
    };
    for (const Row& row : rows) {
        const PrintLayout& layout = lay_out(document_with(row.report));
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out) << row.what;
        EXPECT_GE(layout.page_count, row.min_pages) << row.what;

        // Every line of the body between the header's rule and the footer's.
        for (int32_t page = 0; page < layout.page_count; ++page) {
            const std::vector<int32_t> rules = rule_ys(layout, page);
            ASSERT_EQ(rules.size(), 2u) << row.what << " page " << page;
            for (const PrintRun* run : runs_on(layout, page)) {
                if (run->kind != PrintRunKind::text || run->style == kPrintTitle ||
                    run->style == kPrintSubtitle || run->style == kPrintInfo ||
                    run->style == kPrintFooter) {
                    continue;
                }
                EXPECT_GT(run->y, rules[0]) << row.what << " page " << page;
                EXPECT_LE(run->y + 20, rules[1]) << row.what << " page " << page;
            }
        }

        // The report's lines in order, none lost or doubled; the pieces of one
        // line on one page; blank lines as space.
        std::vector<std::wstring> expected;
        size_t start = 0;
        while (start < row.report.size()) {
            size_t end = row.report.find(L'\n', start);
            if (end == std::wstring::npos) end = row.report.size();
            std::wstring line = row.report.substr(start, end - start);
            if (!line.empty() && line.back() == L'\r') line.pop_back();
            if (!line.empty()) expected.push_back(without_blanks(line));
            start = end + 1;
        }
        std::vector<std::wstring> got;
        int32_t last_y = -1;
        int32_t last_page = -1;
        for (const PrintRun* run : report_runs(layout)) {
            got.push_back(without_blanks(run_text(*run)));
            EXPECT_TRUE(run->page > last_page || run->y > last_y) << row.what;
            last_page = run->page;
            last_y = run->y;
        }
        // The pieces, joined, are the lines, joined: nothing lost, doubled or moved.
        std::wstring joined;
        for (const std::wstring& piece : got) joined += piece;
        std::wstring plain;
        for (const std::wstring& line : expected) plain += line;
        EXPECT_EQ(joined, plain) << row.what;
    }

    // The roster's pieces: a nurse's day line (three pieces) never straddles a
    // page, and a page ends only when the next line would not fit below.
    std::wstring days = L"  " + repeat(L"1日D 2日N 3日R ", 15);
    std::wstring report;
    for (int i = 1; i <= 40; ++i) report += L"护士" + std::to_wstring(i) + L"：\r\n" + days + L"\r\n";
    const PrintLayout& layout = lay_out(document_with(report));
    const std::vector<const PrintRun*> runs = report_runs(layout);
    for (size_t i = 0; i < runs.size(); ++i) {
        if (run_text(*runs[i]).rfind(L"  1日D", 0) == 0) {
            ASSERT_LT(i + 2, runs.size());
            EXPECT_EQ(runs[i + 1]->page, runs[i]->page) << i;
            EXPECT_EQ(runs[i + 2]->page, runs[i]->page) << i;
        }
    }
    for (size_t i = 1; i < runs.size(); ++i) {
        if (runs[i]->page == runs[i - 1]->page) continue;
        const int32_t footer_rule = rule_ys(layout, runs[i - 1]->page)[1];
        const bool starts_day_line = run_text(*runs[i]).rfind(L"  1日D", 0) == 0;
        const int32_t block = starts_day_line ? 3 * 20 : 20;
        EXPECT_GT(runs[i - 1]->y + 20 + block, footer_rule - 20 / 2)
            << "page " << runs[i - 1]->page << " ended with room for the next line";
    }
}

TEST(PrintLayout, HeaderAndFooterOnEveryPage) {
    struct Row {
        const char* what;
        int32_t report_lines;
        int32_t pages;
    };
    // 40 lines of the body a page, less the verdict and the tail.
    const Row rows[] = {
        {"one page", 3, 1},
        {"two pages", 60, 2},
        {"many pages", 400, 10},
    };
    for (const Row& row : rows) {
        std::wstring report;
        for (int i = 0; i < row.report_lines; ++i) report += L"行\r\n";
        const PrintLayout& layout = lay_out(document_with(report), page_geometry(1000));
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out) << row.what;
        ASSERT_EQ(layout.page_count, row.pages) << row.what;
        const PrintGeometry geometry = page_geometry(1000);
        for (int32_t page = 0; page < layout.page_count; ++page) {
            const std::wstring number = L"第 " + std::to_wstring(page + 1) + L" 页 / 共 " +
                                        std::to_wstring(row.pages) + L" 页";
            const PrintRun* title = find_run(layout, page, L"输液卡");
            ASSERT_NE(title, nullptr) << row.what << " page " << page;
            EXPECT_EQ(title->style, kPrintTitle);
            EXPECT_EQ(title->y, geometry.top);
            EXPECT_NE(find_run(layout, page, L"输液安全  ·  输液卡"), nullptr) << page;
            EXPECT_NE(find_run(layout, page, L"打印时间：2026-03-05 08:07"), nullptr) << page;
            const PrintRun* computer = find_run(layout, page, L"计算机：WARD-PC-7");
            ASSERT_NE(computer, nullptr) << page;
            EXPECT_EQ(computer->x + computer->width, geometry.right) << "computer at the right";
            const PrintRun* notice = find_run(layout, page, L"计算结果仅供临床参考");
            ASSERT_NE(notice, nullptr) << row.what << " page " << page;
            EXPECT_EQ(notice->y + 20, geometry.bottom) << "footer at the bottom margin";
            const PrintRun* numbering = find_run(layout, page, number);
            ASSERT_NE(numbering, nullptr) << row.what << " page " << page;
            EXPECT_EQ(numbering->x + numbering->width, geometry.right);
            EXPECT_EQ(numbering->y, notice->y);
        }
    }
}

TEST(PrintLayout, LevelInWordsBeforeTheVerdict) {
    struct Row {
        int32_t level;
        const wchar_t* words;
    };
    const Row rows[] = {
        {0, L"【正常】"}, {1, L"【注意】"}, {2, L"【警示】"}, {3, L"【危急】"},
        {-1, L"【正常】"}, {4, L"【正常】"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(std::wstring(print_level_words(row.level)), row.words) << row.level;
        const PrintLayout& layout = lay_out(document_with(L"一行\r\n", row.level));
        const PrintRun* words = find_run(layout, 0, row.words);
        ASSERT_NE(words, nullptr) << row.level;
        EXPECT_EQ(words->style, kPrintVerdict);
        EXPECT_EQ(words->colour, verdict_colour(row.level)) << row.level;
        const PrintRun* verdict = find_run(layout, 0, L"输液卡已生成");
        ASSERT_NE(verdict, nullptr);
        EXPECT_EQ(verdict->y, words->y) << "on one line";
        EXPECT_EQ(verdict->x, words->x + words->width) << "right after the words";
        EXPECT_NE(verdict->colour, verdict_colour(1)) << "the verdict itself in ink";
    }
}

TEST(PrintLayout, SignatureLineOnTheLastPageOnly) {
    struct Row {
        const char* what;
        int32_t report_lines;
    };
    const Row rows[] = {
        {"one page", 1},
        {"several pages", 130},
        {"the signature just fits the first page", 36},
        {"the signature alone on the second page", 37},
        {"reference and signature on the second page", 40},
    };
    for (const Row& row : rows) {
        std::wstring report;
        for (int i = 0; i < row.report_lines; ++i) report += L"行\r\n";
        const PrintLayout& layout = lay_out(document_with(report));
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out) << row.what;
        int32_t found = 0;
        for (int32_t i = 0; i < layout.run_count; ++i) {
            if (run_text(layout.runs[i]) != kPrintSignatureLine) continue;
            ++found;
            EXPECT_EQ(layout.runs[i].page, layout.page_count - 1) << row.what;
            EXPECT_LE(layout.runs[i].y + 20, rule_ys(layout, layout.runs[i].page)[1]) << row.what;
        }
        EXPECT_EQ(found, 1) << row.what;
    }
}

TEST(PrintLayout, TooLongAndTooSmallPrintNothing) {
    std::wstring report;
    for (int i = 0; i < 10000; ++i) report += L"\r\n";
    report += L"末行\r\n";
    const PrintLayout& long_layout = lay_out(document_with(report));
    EXPECT_EQ(long_layout.status, PrintLayoutStatus::too_long);
    EXPECT_EQ(long_layout.page_count, 0);

    const PrintLayout& small = lay_out(document_with(L"一行\r\n"), page_geometry(100));
    EXPECT_EQ(small.status, PrintLayoutStatus::page_too_small);
    EXPECT_EQ(small.page_count, 0);
}

TEST(PrintLayout, ReportInTheReportFont) {
    EXPECT_EQ(std::wstring(kPrintStyles[kPrintReport].face), kFontTable[kReportFont].face);
    EXPECT_EQ(kPrintStyles[kPrintReport].tenth_points, 105);
    EXPECT_GE(kPrintStyles[kPrintTitle].weight, 700);
    for (int32_t i = 0; i < kPrintStyleCount; ++i) EXPECT_EQ(kPrintStyles[i].style, i);
}

// The report's lines between empty lines form a block: a block that fits a
// page never straddles two, and a page ends only when what comes next (the
// whole block at a block's start, else one line) does not fit below. A block
// taller than a page breaks between its lines.
TEST(PrintLayout, BlocksBetweenEmptyLinesStayOnOnePage) {
    // Each block's first line starts with its tag "b<k>"; a block of more
    // lines than this is taller than the page's body (some 43 lines).
    constexpr int32_t kBlockFitsLines = 30;
    struct Row {
        const char* what;
        std::vector<std::vector<std::wstring>> blocks;
    };
    auto beds = [](int count, const std::vector<std::wstring>& rest) {
        std::vector<std::vector<std::wstring>> blocks;
        for (int k = 0; k < count; ++k) {
            std::vector<std::wstring> block = {L"b" + std::to_wstring(k) + L" 床  姓名＿＿"};
            block.insert(block.end(), rest.begin(), rest.end());
            blocks.push_back(block);
        }
        return blocks;
    };
    // 37 lines, a blank line, and four lines left on the first page.
    std::vector<std::wstring> filler(37, L"行");
    filler[0] = L"b0 首块";
    std::vector<std::wstring> tall(60, L"行");
    tall[0] = L"b1 长块";
    const Row rows[] = {
        {"30 beds of five lines",
         beds(30, {L"诊断：＿＿", L"本班病情：＿＿", L"治疗与管路：＿＿", L"需下一班关注：＿＿"})},
        {"a wrapped line counts as its pieces: four lines left, five printed",
         {filler, {L"b1 " + repeat(L"x", 2 * kPageCells), L"乙", L"丙"}}},
        {"a block taller than a page goes on where it is",
         {{L"b0 短块"}, tall, {L"b2 短块", L"末行"}}},
    };
    for (const Row& row : rows) {
        std::wstring report;
        for (size_t k = 0; k < row.blocks.size(); ++k) {
            if (k > 0) report += L"\r\n";
            for (const std::wstring& line : row.blocks[k]) report += line + L"\r\n";
        }
        const PrintLayout& layout = lay_out(document_with(report));
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out) << row.what;
        const std::vector<const PrintRun*> runs = report_runs(layout);

        // The block of each run, and the printed lines of each block.
        std::vector<size_t> block_of;
        std::vector<int32_t> printed(row.blocks.size(), 0);
        size_t block = 0;
        for (const PrintRun* run : runs) {
            const std::wstring text = run_text(*run);
            if (text[0] == L'b') block = std::stoul(text.substr(1));
            block_of.push_back(block);
            ++printed[block];
        }
        // Nothing lost, doubled or moved.
        std::wstring joined;
        for (const PrintRun* run : runs) joined += without_blanks(run_text(*run));
        std::wstring plain;
        for (const std::vector<std::wstring>& lines : row.blocks) {
            for (const std::wstring& line : lines) plain += without_blanks(line);
        }
        EXPECT_EQ(joined, plain) << row.what;

        for (size_t i = 1; i < runs.size(); ++i) {
            const bool starts_block = block_of[i] != block_of[i - 1];
            const bool fits = printed[block_of[i]] <= kBlockFitsLines;
            if (!starts_block && fits) {
                EXPECT_EQ(runs[i]->page, runs[i - 1]->page)
                    << row.what << ": block " << block_of[i] << " split";
            }
            if (runs[i]->page == runs[i - 1]->page) continue;
            // A page break: what follows did not fit below the last line.
            const int32_t body_bottom = rule_ys(layout, runs[i - 1]->page)[1] - 20 / 2;
            const int32_t next = starts_block ? 20 + (fits ? printed[block_of[i]] : 1) * 20 : 20;
            EXPECT_GT(runs[i - 1]->y + 20 + next, body_bottom)
                << row.what << ": page " << runs[i - 1]->page << " ended with room for block "
                << block_of[i];
        }
    }
}

// The page ends with the tool's own signature line when it names one, in place
// of the common line; else with the common line.
TEST(PrintLayout, TheToolsOwnSignatureLine) {
    const wchar_t kThree[] = L"手术医师：＿＿＿＿  麻醉医师：＿＿＿＿  手术室护士：＿＿＿＿";
    struct Row {
        const wchar_t* signature;
        const wchar_t* printed;
        const wchar_t* absent;
    };
    const Row rows[] = {
        {nullptr, kPrintSignatureLine, kThree},
        {kThree,  kThree,              kPrintSignatureLine},
    };
    for (const Row& row : rows) {
        PrintDocument document = document_with(L"□ 一项\r\n");
        document.signature = row.signature;
        const PrintLayout& layout = lay_out(document);
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out);
        const PrintRun* last_body = nullptr;
        for (int32_t i = 0; i < layout.run_count; ++i) {
            const PrintRun& run = layout.runs[i];
            EXPECT_NE(run_text(run), row.absent);
            if (run.kind == PrintRunKind::text && run.style == kPrintBody) last_body = &run;
        }
        ASSERT_NE(last_body, nullptr);
        EXPECT_EQ(run_text(*last_body), row.printed);
        EXPECT_EQ(last_body->page, layout.page_count - 1);
    }
}

// What does not fit prints nothing at all, never a part: more runs than the
// layout holds (lines one unit high), a title of more lines than the header
// holds, a page without width.
TEST(PrintLayout, NothingPrintedWhenItDoesNotFit) {
    struct Row {
        const char* what;
        std::wstring title;
        std::wstring report;
        PrintGeometry geometry;
        PrintLayoutStatus status;
    };
    PrintGeometry thin_lines = page_geometry(1000);
    thin_lines.line_height[kPrintReport] = 1;
    PrintGeometry no_width = page_geometry(1000);
    no_width.right = no_width.left;
    const Row rows[] = {
        {"more runs than the layout holds", L"输液卡", repeat(L"行\r\n", kPrintRunCapacity + 10),
         thin_lines, PrintLayoutStatus::too_long},
        {"a title of 70 lines", repeat(L"护", 40 * 70), L"一行\r\n", page_geometry(5000),
         PrintLayoutStatus::too_long},
        {"no width", L"输液卡", L"一行\r\n", no_width, PrintLayoutStatus::page_too_small},
    };
    for (const Row& row : rows) {
        PrintDocument document = document_with(row.report);
        document.title = row.title.c_str();
        const PrintLayout& layout = lay_out(document, row.geometry);
        EXPECT_EQ(layout.status, row.status) << row.what;
        EXPECT_EQ(layout.page_count, 0) << row.what;
        EXPECT_EQ(layout.run_count, 0) << row.what;
    }
}

// Texts the document lacks (null) or has empty print as nothing; the page is
// still whole: the level in words, the computer's label, the signature line.
TEST(PrintLayout, MissingTextsPrintAsEmpty) {
    const PrintDocument missing = {nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                                   {2026, 3, 5, 8, 7, 9}, nullptr};
    const PrintDocument empty = {L"", L"", L"", 0, L"", L"", L"", {2026, 3, 5, 8, 7, 9}, L""};
    for (const PrintDocument& document : {missing, empty}) {
        const PrintLayout& layout = lay_out(document);
        ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out);
        EXPECT_EQ(layout.page_count, 1);
        std::vector<std::wstring> texts;
        for (int32_t i = 0; i < layout.run_count; ++i) {
            if (layout.runs[i].kind != PrintRunKind::text) continue;
            EXPECT_GT(layout.runs[i].length, 0);
            texts.push_back(run_text(layout.runs[i]));
        }
        const std::vector<std::wstring> expected = {
            L"打印时间：2026-03-05 08:07", L"计算机：", L"【正常】", kPrintSignatureLine,
            kPrintFooterNotice, L"第 1 页 / 共 1 页"};
        EXPECT_EQ(texts, expected);
    }
}

// A computer's name wider than the page starts at the left margin, on the
// line below the print time, never left of the paper's text area.
TEST(PrintLayout, ComputerNameWiderThanThePage) {
    const std::wstring name = repeat(L"W", kPageCells + 10);
    PrintDocument document = document_with(L"一行\r\n");
    document.computer = name.c_str();
    const PrintLayout& layout = lay_out(document);
    ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out);
    const PrintRun* time = find_run(layout, 0, L"打印时间：2026-03-05 08:07");
    const PrintRun* computer = find_run(layout, 0, L"计算机：" + name);
    ASSERT_NE(time, nullptr);
    ASSERT_NE(computer, nullptr);
    EXPECT_EQ(computer->x, page_geometry().left);
    EXPECT_GT(computer->y, time->y);
}

// A verdict longer than a line: the level in words once, before its first
// line, and every line of the verdict indented under the first.
TEST(PrintLayout, LongVerdictIndentedUnderItsFirstLine) {
    const std::wstring verdict = repeat(L"护", 100);
    PrintDocument document = document_with(L"一行\r\n", 2);
    document.verdict = verdict.c_str();
    const PrintLayout& layout = lay_out(document);
    ASSERT_EQ(layout.status, PrintLayoutStatus::laid_out);
    int32_t words = 0;
    int32_t indent = 0;
    std::wstring joined;
    std::vector<int32_t> ys;
    for (int32_t i = 0; i < layout.run_count; ++i) {
        const PrintRun& run = layout.runs[i];
        if (run.kind != PrintRunKind::text || run.style != kPrintVerdict) continue;
        if (run_text(run) == L"【警示】") {
            ++words;
            indent = run.x + run.width;
            continue;
        }
        EXPECT_EQ(run.x, indent) << "line " << ys.size();
        joined += run_text(run);
        ys.push_back(run.y);
    }
    EXPECT_EQ(words, 1);
    EXPECT_EQ(joined, verdict);
    EXPECT_EQ(ys.size(), 3u);  // 36 characters a line beside the words
}
