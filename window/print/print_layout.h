// The printed page as plain data: the last result goes in as texts, pages of
// placed text runs and rules come out. Page size, margins, line heights and
// the width of a text are parameters (PrintGeometry and a measuring callback),
// so the same layout serves a printer's device context and the host tests'
// fixed-pitch metrics. Nothing here draws; print_gdi.cpp draws the runs onto a
// printer, each in the font and colour of its style (kPrintStyles).
//
// Every page: a header (the tool's name in bold, its subtitle, the print time
// and the computer's name, a rule) and a footer (a rule, "计算结果仅供临床参考",
// "第 N 页 / 共 M 页"). Between them, in order: the inputs block, the verdict
// after its level in words, the report line by line, the tool's note, the
// reference line and, on the last page, the signature line (the tool's own, or
// the common one). A line wider than the text area wraps at its right margin
// and is never cut; a page ends only between lines, and the pieces of one
// wrapped line stay on one page (unless they fill more than a page by
// themselves). The report's lines between empty lines form a block (a bed of
// the handover sheet, a phase of a checklist) that goes to the next page whole
// when it does not fit below what the page holds but fits on a page of its
// own; a block taller than a page goes on from where it is and breaks between
// its lines.
#pragma once

#include <cstdint>

#include "../../engine/platform.h"
#include "../../engine/tool_def.h"
#include "../window_layout.h"

// ---- Styles ---------------------------------------------------------------

enum PrintStyle : int32_t {
    kPrintTitle,      // the tool's name
    kPrintSubtitle,   // category and description
    kPrintInfo,       // print time, computer name
    kPrintVerdict,    // level words and verdict
    kPrintReport,     // the report's lines, in the report's monospaced font
    kPrintBody,       // note, reference, signature line
    kPrintFooter,     // page footer
    kPrintStyleCount,
};

struct PrintStyleSpec {
    PrintStyle style;
    const wchar_t* face;
    int32_t tenth_points;  // character height in tenths of a point (105: 10.5 pt)
    int32_t weight;
    Rgb colour;            // the verdict's level words take the level's colour instead
};

// Entry i has style i.
extern const PrintStyleSpec kPrintStyles[kPrintStyleCount];

// Level of a verdict in words (level_words of the engine, where the record's
// verdict line takes them too): 1 "【注意】", 2 "【警示】", 3 "【危急】"; every
// other level "【正常】", as it has the normal colour on screen (verdict_colour).
const wchar_t* print_level_words(int32_t level);

// Fixed texts of the page.
constexpr const wchar_t* kPrintFooterNotice = L"计算结果仅供临床参考";
constexpr const wchar_t* kPrintSignatureLine =
    L"核对人：＿＿＿＿＿＿  执行人：＿＿＿＿＿＿  日期：＿＿＿＿＿＿";

// ---- Capacities (UTF-16 units with terminator, or counts) --------------------

constexpr int32_t kPrintPageCapacity = 200;     // pages of one printout
constexpr int32_t kPrintRunCapacity = 16384;    // placed runs and rules of all pages
constexpr int32_t kPrintInfoCapacity = 128;     // "打印时间：..." and "计算机：..."
constexpr int32_t kPrintPageTextCapacity = 32;  // "第 N 页 / 共 M 页"
constexpr int32_t kComputerNameCapacity = 64;   // more than MAX_COMPUTERNAME_LENGTH + 1

// ---- Input -------------------------------------------------------------------

// The result to print. Texts are NUL-terminated and stay alive, unchanged,
// until the pages have been drawn: runs point into them.
struct PrintDocument {
    const wchar_t* title;      // the tool's name
    const wchar_t* subtitle;   // build_subtitle()
    const wchar_t* verdict;
    int32_t level;
    const wchar_t* report;     // lines end in CR LF or LF; a last line end adds no line
    const wchar_t* note;       // empty or null: no note
    const wchar_t* reference;  // build_reference_text()
    LocalTime printed_at;
    const wchar_t* computer;   // the computer's name
    const wchar_t* inputs = nullptr;     // the "输入" block between header and verdict, its
                                         // lines ending in CR LF; empty or null: no block
    const wchar_t* signature = nullptr;  // the tool's signature line; null: kPrintSignatureLine
};

// The page in device units of the printer (or of the tests' metrics): the text
// area inside the margins, in the coordinates the runs are drawn in, and the
// height of one line of each style (font height with its external leading).
struct PrintGeometry {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    int32_t line_height[kPrintStyleCount];
};

// Width in device units of `length` units of `text` in `style`; never
// negative, and a longer prefix of a text is never narrower than a shorter one.
using PrintMeasure = int32_t (*)(void* context, PrintStyle style, const wchar_t* text,
                                 int32_t length);

// ---- Output ------------------------------------------------------------------

enum class PrintRunKind : int32_t {
    text,  // `length` units at `text`, top-left corner at (x, y)
    rule,  // a horizontal hairline from (x, y) to (x + width, y)
};

struct PrintRun {
    int32_t page;   // from 0
    PrintRunKind kind;
    PrintStyle style;
    Rgb colour;
    int32_t x;
    int32_t y;
    int32_t width;  // measured width of the text; the rule's length
    const wchar_t* text;
    int32_t length;
};

struct PrintPage {
    wchar_t number_text[kPrintPageTextCapacity];  // "第 N 页 / 共 M 页"
};

enum class PrintLayoutStatus : int32_t {
    laid_out,
    too_long,       // more pages or runs than the capacities hold: nothing to print
    page_too_small, // the header and footer leave no room for a line of the body
};

// The printout. Large (about 700 KB): static storage, not the stack.
struct PrintLayout {
    PrintLayoutStatus status;
    int32_t page_count;
    int32_t run_count;
    PrintRun runs[kPrintRunCapacity];  // by page, in drawing order within a page
    PrintPage pages[kPrintPageCapacity];
    wchar_t time_text[kPrintInfoCapacity];      // "打印时间：YYYY-MM-DD HH:MM"
    wchar_t computer_text[kPrintInfoCapacity];  // "计算机：" and the name
};

// Lays `document` out on pages of `geometry`. The runs point into the
// document's texts, the layout's own texts and the fixed texts above.
void lay_out_print(const PrintDocument& document, const PrintGeometry& geometry,
                   PrintMeasure measure, void* measure_context, PrintLayout* layout);

// The number of units of text[0..length) that go on one line of `width` in
// `style`: all of them when they fit; else the longest prefix that fits, ended
// at its last place where a line may break (line_break_allowed) when that
// place lies in the prefix's second half; at
// least one character (a surrogate pair counts as one) so that a line always
// advances; never the first half of a surrogate pair alone.
int32_t print_line_fit(const wchar_t* text, int32_t length, int32_t width, PrintStyle style,
                       PrintMeasure measure, void* measure_context);
