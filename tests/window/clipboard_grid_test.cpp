#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "window/clipboard_grid.h"

namespace {

// The offset the header gives for `name`, or -1.
long header_offset(const std::string& block, const std::string& name) {
    const size_t at = block.find(name + ":");
    if (at == std::string::npos) return -1;
    return std::strtol(block.c_str() + at + name.size() + 1, nullptr, 10);
}

TEST(HtmlClipboard, CellsOffsetsAndEscapes) {
    struct Row {
        std::wstring csv;
        std::string fragment;  // UTF-8
    };
    const Row rows[] = {
        {L"日,1,2\r\n护士01,D,N\r\n",
         "<table><tr><td>日</td><td>1</td><td>2</td></tr>"
         "<tr><td>护士01</td><td>D</td><td>N</td></tr></table>"},
        // a final row without a line end, LF alone, empty fields
        {L"a,,b\nc", "<table><tr><td>a</td><td></td><td>b</td></tr><tr><td>c</td></tr></table>"},
        // quoted fields: commas, doubled quotes and line ends inside stay in the cell
        {L"\"x,y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n",
         "<table><tr><td>x,y</td><td>say &quot;hi&quot;</td><td>two\r\nlines</td></tr></table>"},
        // markup characters are text
        {L"<b>&</b>\r\n", "<table><tr><td>&lt;b&gt;&amp;&lt;/b&gt;</td></tr></table>"},
    };
    for (const Row& row : rows) {
        std::vector<char> out(kHtmlClipboardCapacity, '\x7f');
        const int32_t bytes = build_html_clipboard(row.csv.c_str(), out.data(), kHtmlClipboardCapacity);
        ASSERT_GT(bytes, 0) << row.fragment;
        const std::string block(out.data());
        ASSERT_EQ(block.size() + 1, static_cast<size_t>(bytes));
        const long start_html = header_offset(block, "StartHTML");
        const long end_html = header_offset(block, "EndHTML");
        const long start_fragment = header_offset(block, "StartFragment");
        const long end_fragment = header_offset(block, "EndFragment");
        EXPECT_EQ(block.compare(static_cast<size_t>(start_html), 6, "<html>"), 0);
        EXPECT_EQ(end_html, static_cast<long>(block.size()));
        EXPECT_EQ(block.substr(static_cast<size_t>(start_fragment),
                               static_cast<size_t>(end_fragment - start_fragment)),
                  row.fragment);
        EXPECT_EQ(block.compare(static_cast<size_t>(end_fragment), 18, "<!--EndFragment-->"), 0);
    }
}

TEST(HtmlClipboard, TooSmallOrEmptyGivesNothing) {
    const std::wstring csv = L"日,1\r\n护士01,D\r\n";
    std::vector<char> out(kHtmlClipboardCapacity);
    const int32_t whole = build_html_clipboard(csv.c_str(), out.data(), kHtmlClipboardCapacity);
    ASSERT_GT(whole, 0);
    // At the exact size it fits; one byte less, nothing usable.
    EXPECT_EQ(build_html_clipboard(csv.c_str(), out.data(), whole), whole);
    EXPECT_EQ(build_html_clipboard(csv.c_str(), out.data(), whole - 1), 0);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(build_html_clipboard(L"", out.data(), kHtmlClipboardCapacity), 0);
    // The largest grid's markup fits: 43 rows of 32 cells, each cell 3 units.
    std::wstring largest;
    for (int row = 0; row < 43; ++row) {
        largest += L"白班人数";
        for (int day = 0; day < 31; ++day) largest += L",31";
        largest += L"\r\n";
    }
    EXPECT_GT(build_html_clipboard(largest.c_str(), out.data(), kHtmlClipboardCapacity), 0);
}

}  // namespace
