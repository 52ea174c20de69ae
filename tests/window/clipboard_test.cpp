// The copy command's clipboard hand-over, with each clipboard call made to fail
// in turn through the seam. Windows only: the blocks are real global memory.
#include <gtest/gtest.h>

#include <string>

#include "engine/wide_text.h"
#include "window/clipboard.h"

namespace {

// What the fake clipboard saw.
struct FakeClipboard {
    bool open_fails;
    bool allocate_fails;
    bool set_fails;
    int allocations_left;       // after these, allocate fails; -1: never
    const wchar_t* refused_format;  // set_named refuses this format; null: none
    std::string html;           // the blocks of the named formats it took
    std::string csv;
    int opened;
    int closed;
    int emptied;
    HGLOBAL offered;
    HGLOBAL freed;
    std::wstring text;  // the block's text when it was offered
};

FakeClipboard fake;

bool fake_open(HWND) {
    if (fake.open_fails) return false;
    ++fake.opened;
    return true;
}
void fake_empty() { ++fake.emptied; }
HGLOBAL fake_allocate(SIZE_T bytes) {
    if (fake.allocate_fails || fake.allocations_left == 0) return nullptr;
    if (fake.allocations_left > 0) --fake.allocations_left;
    return GlobalAlloc(GMEM_MOVEABLE, bytes);
}
bool fake_set_text(HGLOBAL block) {
    fake.offered = block;
    const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(block));
    fake.text = text;
    GlobalUnlock(block);
    if (fake.set_fails) return false;
    GlobalFree(block);  // the fake clipboard owns the block it took
    return true;
}
bool fake_set_named(const wchar_t* name, HGLOBAL block) {
    if (fake.refused_format != nullptr && std::wstring(name) == fake.refused_format) return false;
    const char* bytes = static_cast<const char*>(GlobalLock(block));
    if (std::wstring(name) == L"Csv") fake.csv = bytes;
    if (std::wstring(name) == L"HTML Format") fake.html = bytes;
    GlobalUnlock(block);
    GlobalFree(block);
    return true;
}
void fake_free_block(HGLOBAL block) {
    fake.freed = block;
    GlobalFree(block);
}
void fake_close() { ++fake.closed; }

const ClipboardOps kFakeOps = {fake_open,      fake_empty,     fake_allocate, fake_set_text,
                               fake_set_named, fake_free_block, fake_close};

}  // namespace

TEST(Clipboard, EachFailureReportsNoCopyAndLeavesNoBlockBehind) {
    struct Row {
        const char* name;
        bool open_fails;
        bool allocate_fails;
        bool set_fails;
        bool placed;
        int opened;   // and closed again
        bool offered;
        bool freed;   // by the command, because the clipboard did not take it
    };
    const Row rows[] = {
        // name            open   alloc  set    placed opened offered freed
        {"accepted",       false, false, false, true,  1,     true,   false},
        {"not opened",     true,  false, false, false, 0,     false,  false},
        {"no memory",      false, true,  false, false, 1,     false,  false},
        {"not accepted",   false, false, true,  false, 1,     true,   true},
    };
    for (const Row& row : rows) {
        fake = FakeClipboard{};
        fake.allocations_left = -1;
        fake.open_fails = row.open_fails;
        fake.allocate_fails = row.allocate_fails;
        fake.set_fails = row.set_fails;
        static ToolResult result;
        const double t = 8;
        evaluate_tool(get_tool_definition(), &t, &result);
        wtext_copy(result.report, kReportCapacity, L"摘要\r\n");
        wtext_copy(result.verdict, kVerdictCapacity, L"结论");
        const bool placed = place_clipboard_text(kFakeOps, nullptr, get_tool_definition(), result) ==
                             CopyOutcome::copied;
        EXPECT_EQ(placed, row.placed) << row.name;
        EXPECT_EQ(fake.opened, row.opened) << row.name;
        EXPECT_EQ(fake.closed, row.opened) << row.name;
        EXPECT_EQ(fake.emptied, row.opened) << row.name;
        EXPECT_EQ(fake.offered != nullptr, row.offered) << row.name;
        EXPECT_EQ(fake.freed != nullptr, row.freed) << row.name;
        if (row.freed) EXPECT_EQ(fake.freed, fake.offered) << row.name;
        if (row.offered) EXPECT_EQ(fake.text, L"Kinetora\r\n半衰期 8 h\r\n摘要\r\n—— 结论") << row.name;
    }
}

// A result with a grid: its cells go as HTML Format and as Csv in the ANSI code
// page beside the text; when either is refused, the copy says text only.
TEST(Clipboard, AGridGoesAsCellsBesideTheText) {
    const wchar_t kGrid[] = L"日期,1,2\r\n护士01,D,N\r\n";
    struct Row {
        const char* name;
        int allocations_left;
        const wchar_t* refused_format;
        CopyOutcome outcome;
    };
    const Row rows[] = {
        {"text and cells",      -1, nullptr,        CopyOutcome::copied},
        {"no memory for cells",  1, nullptr,        CopyOutcome::text_only},
        {"no memory for Csv",    2, nullptr,        CopyOutcome::text_only},
        {"HTML refused",        -1, L"HTML Format", CopyOutcome::text_only},
        {"Csv refused",         -1, L"Csv",         CopyOutcome::text_only},
    };
    for (const Row& row : rows) {
        fake = FakeClipboard{};
        fake.allocations_left = row.allocations_left;
        fake.refused_format = row.refused_format;
        static ToolResult result;
        const double t = 8;
        evaluate_tool(get_tool_definition(), &t, &result);
        wtext_copy(result.grid, kGridCapacity, kGrid);
        EXPECT_EQ(place_clipboard_text(kFakeOps, nullptr, get_tool_definition(), result), row.outcome)
            << row.name;
        EXPECT_EQ(fake.closed, 1) << row.name;
        EXPECT_FALSE(fake.text.empty()) << row.name;
        if (row.outcome != CopyOutcome::copied) continue;
        static wchar_t html[4096];
        MultiByteToWideChar(CP_UTF8, 0, fake.html.c_str(), -1, html, 4096);
        EXPECT_NE(std::wstring(html).find(L"<tr><td>护士01</td><td>D</td><td>N</td></tr>"),
                  std::wstring::npos);
        wchar_t back[64] = {};
        MultiByteToWideChar(CP_ACP, 0, fake.csv.c_str(), -1, back, 64);
        EXPECT_EQ(std::wstring(back), kGrid);
    }
}
