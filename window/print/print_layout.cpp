#include "print_layout.h"

#include "../../engine/line_break.h"
#include "../../engine/tool_result.h"
#include "../../engine/wide_text.h"

namespace {

constexpr Rgb kPrintInk = {0x00, 0x00, 0x00};
constexpr Rgb kPrintMuted = {0x55, 0x5F, 0x66};

// Header runs of one page, with y measured from the page's text top; the
// header repeats them on every page.
constexpr int32_t kHeaderRunCapacity = 64;

struct Builder {
    const PrintGeometry* geometry;
    PrintMeasure measure;
    void* context;
    PrintLayout* out;
    PrintRun header[kHeaderRunCapacity];
    int32_t header_count;
    int32_t body_top;
    int32_t body_bottom;
    int32_t page;          // the page the body is filling
    int32_t y;             // where the next body line goes
    bool page_has_body;    // a body line is on the page already
    int32_t pending_gap;   // space before the next body line unless it opens a page
    bool full;             // a capacity ran out
};

int32_t text_width(const Builder& b, PrintStyle style, const wchar_t* text, int32_t length) {
    if (length <= 0) return 0;
    const int32_t width = b.measure(b.context, style, text, length);
    return width < 0 ? 0 : width;
}

PrintRun make_text(int32_t page, PrintStyle style, Rgb colour, int32_t x, int32_t y,
                   const wchar_t* text, int32_t length, int32_t width) {
    return PrintRun{page, PrintRunKind::text, style, colour, x, y, width, text, length};
}

PrintRun make_rule(int32_t page, int32_t x, int32_t y, int32_t width) {
    return PrintRun{page, PrintRunKind::rule, kPrintBody, kPrintMuted, x, y, width, nullptr, 0};
}

void add_run(Builder& b, const PrintRun& run) {
    if (b.out->run_count >= kPrintRunCapacity) {
        b.full = true;
        return;
    }
    b.out->runs[b.out->run_count++] = run;
}

void add_header_run(Builder& b, const PrintRun& run) {
    if (b.header_count >= kHeaderRunCapacity) {
        b.full = true;
        return;
    }
    b.header[b.header_count++] = run;
}

// Calls place(text, length, width, continuation) for each line that text[0..length)
// takes in `style` on a line of `width`. Blanks at a wrap are not drawn: those
// ending the line before it and those opening the line after it. An empty text
// is one empty line.
template <typename Place>
void wrap_text(const Builder& b, const wchar_t* text, int32_t length, PrintStyle style,
               int32_t width, Place place) {
    bool continuation = false;
    do {
        const int32_t fit = print_line_fit(text, length, width, style, b.measure, b.context);
        int32_t shown = fit;
        if (fit < length) {
            while (shown > 0 && text[shown - 1] == L' ') --shown;
        }
        place(text, shown, text_width(b, style, text, shown), continuation);
        text += fit;
        length -= fit;
        if (length > 0) {
            while (length > 0 && *text == L' ') {
                ++text;
                --length;
            }
            continuation = true;
        }
    } while (length > 0);
}

void open_page(Builder& b, int32_t page) {
    if (page >= kPrintPageCapacity) {
        b.full = true;
        return;
    }
    b.page = page;
    b.y = b.body_top;
    b.page_has_body = false;
    for (int32_t i = 0; i < b.header_count; ++i) {
        PrintRun run = b.header[i];
        run.page = page;
        run.y += b.geometry->top;
        add_run(b, run);
    }
}

// The top of a body line of `height`: on this page after the pending gap, or
// at the top of a new page when it would cross the body's bottom.
int32_t place_body_line(Builder& b, int32_t height) {
    int32_t gap = b.page_has_body ? b.pending_gap : 0;
    if (b.page_has_body && b.y + gap + height > b.body_bottom) {
        open_page(b, b.page + 1);
        gap = 0;
    }
    b.y += gap;
    const int32_t top = b.y;
    b.y += height;
    b.page_has_body = true;
    b.pending_gap = 0;
    return top;
}

// Keeps the `lines` lines of one paragraph on one page: when they do not fit
// below what the page holds already, but do on an empty page, the page ends
// before them. A paragraph taller than a whole page goes on from where it is.
void keep_together(Builder& b, int32_t lines, int32_t height) {
    if (!b.page_has_body) return;
    const int64_t block = static_cast<int64_t>(lines) * height;
    if (block > b.body_bottom - b.body_top) return;
    if (b.y + b.pending_gap + block > b.body_bottom) open_page(b, b.page + 1);
}

int32_t count_lines(const Builder& b, const wchar_t* text, int32_t length, PrintStyle style,
                    int32_t width) {
    int32_t lines = 0;
    wrap_text(b, text, length, style, width,
              [&](const wchar_t*, int32_t, int32_t, bool) { ++lines; });
    return lines;
}

void gap_before_next(Builder& b, int32_t gap) {
    if (gap > b.pending_gap) b.pending_gap = gap;
}

// One paragraph of body text: its lines, each wrapped at the right margin.
void body_paragraph(Builder& b, const wchar_t* text, int32_t length, PrintStyle style,
                    Rgb colour) {
    const PrintGeometry& g = *b.geometry;
    const int32_t height = g.line_height[style];
    keep_together(b, count_lines(b, text, length, style, g.right - g.left), height);
    wrap_text(b, text, length, style, g.right - g.left,
              [&](const wchar_t* line, int32_t count, int32_t width, bool) {
                  const int32_t top = place_body_line(b, height);
                  if (count > 0) add_run(b, make_text(b.page, style, colour, g.left, top, line, count, width));
              });
}

// One line of a text whose lines end in LF or CR LF: its length without the
// line end, and where the next line starts (at the terminator after the last).
struct TextLine {
    int32_t length;
    const wchar_t* next;
};

TextLine next_text_line(const wchar_t* line) {
    const wchar_t* end = line;
    while (*end != 0 && *end != L'\n') ++end;
    int32_t length = static_cast<int32_t>(end - line);
    if (length > 0 && line[length - 1] == L'\r') --length;
    return TextLine{length, *end == L'\n' ? end + 1 : end};
}

// The printed lines of the block that starts at `line`: its text lines up to
// the next empty one or the end of the text, each wrapped at `width`.
int32_t count_block_lines(const Builder& b, const wchar_t* line, PrintStyle style,
                          int32_t width) {
    int32_t lines = 0;
    while (*line != 0) {
        const TextLine text_line = next_text_line(line);
        if (text_line.length == 0) break;
        lines += count_lines(b, line, text_line.length, style, width);
        line = text_line.next;
    }
    return lines;
}

// Every line of a text whose lines end in LF or CR LF, as paragraphs; the end
// of the last line adds none. With `blocks`, the lines between empty lines are
// kept on one page as keep_together keeps a paragraph.
void body_lines(Builder& b, const wchar_t* text, PrintStyle style, Rgb colour,
                bool blocks = false) {
    if (text == nullptr) return;
    const wchar_t* line = text;
    bool block_start = true;
    while (*line != 0 && !b.full) {
        const TextLine text_line = next_text_line(line);
        if (blocks && block_start && text_line.length > 0) {
            const PrintGeometry& g = *b.geometry;
            keep_together(b, count_block_lines(b, line, style, g.right - g.left),
                          g.line_height[style]);
        }
        block_start = text_line.length == 0;
        body_paragraph(b, line, text_line.length, style, colour);
        line = text_line.next;
    }
}

// The level in words in the level's colour, then the verdict, its further lines
// indented under its first.
void body_verdict(Builder& b, const PrintDocument& document) {
    const PrintGeometry& g = *b.geometry;
    const int32_t height = g.line_height[kPrintVerdict];
    const wchar_t* words = print_level_words(document.level);
    const int32_t words_length = wtext_length(words);
    int32_t indent = text_width(b, kPrintVerdict, words, words_length);
    if (indent > (g.right - g.left) / 2) indent = 0;
    const wchar_t* verdict = document.verdict ? document.verdict : L"";
    const Rgb ink = kPrintStyles[kPrintVerdict].colour;
    keep_together(b, count_lines(b, verdict, wtext_length(verdict), kPrintVerdict,
                                 g.right - g.left - indent), height);
    wrap_text(b, verdict, wtext_length(verdict), kPrintVerdict, g.right - g.left - indent,
              [&](const wchar_t* line, int32_t count, int32_t width, bool continuation) {
                  const int32_t top = place_body_line(b, height);
                  if (!continuation) {
                      add_run(b, make_text(b.page, kPrintVerdict, verdict_colour(document.level),
                                           g.left, top, words, words_length, indent));
                  }
                  if (count > 0) {
                      add_run(b, make_text(b.page, kPrintVerdict, ink, g.left + indent, top, line,
                                           count, width));
                  }
              });
}

// The header's runs, y from the page's text top; returns the header's height.
int32_t build_header(Builder& b, const PrintDocument& document) {
    const PrintGeometry& g = *b.geometry;
    const int32_t text_width_all = g.right - g.left;
    int32_t y = 0;
    auto header_lines = [&](const wchar_t* text, PrintStyle style) {
        if (text == nullptr) return;
        wrap_text(b, text, wtext_length(text), style, text_width_all,
                  [&](const wchar_t* line, int32_t count, int32_t width, bool) {
                      if (count > 0) {
                          add_header_run(b, make_text(0, style, kPrintStyles[style].colour, g.left,
                                                      y, line, count, width));
                      }
                      y += g.line_height[style];
                  });
    };
    header_lines(document.title, kPrintTitle);
    header_lines(document.subtitle, kPrintSubtitle);

    // The print time at the left, the computer at the right of the same line,
    // or below the time when both do not fit side by side.
    const PrintLayout& out = *b.out;
    const int32_t info_height = g.line_height[kPrintInfo];
    const Rgb info_colour = kPrintStyles[kPrintInfo].colour;
    const int32_t time_length = wtext_length(out.time_text);
    const int32_t computer_length = wtext_length(out.computer_text);
    const int32_t time_width = text_width(b, kPrintInfo, out.time_text, time_length);
    const int32_t computer_width = text_width(b, kPrintInfo, out.computer_text, computer_length);
    add_header_run(b, make_text(0, kPrintInfo, info_colour, g.left, y, out.time_text, time_length,
                                time_width));
    if (time_width + info_height + computer_width > text_width_all) y += info_height;
    const int32_t computer_x = computer_width < text_width_all ? g.right - computer_width : g.left;
    add_header_run(b, make_text(0, kPrintInfo, info_colour, computer_x, y, out.computer_text,
                                computer_length, computer_width));
    y += info_height;

    y += info_height / 3;
    add_header_run(b, make_rule(0, g.left, y, text_width_all));
    y += info_height * 2 / 3;
    return y;
}

void add_footers(Builder& b) {
    const PrintGeometry& g = *b.geometry;
    const int32_t height = g.line_height[kPrintFooter];
    const int32_t text_top = g.bottom - height;
    const int32_t rule_y = text_top - height / 3;
    const Rgb colour = kPrintStyles[kPrintFooter].colour;
    const int32_t notice_length = wtext_length(kPrintFooterNotice);
    const int32_t notice_width = text_width(b, kPrintFooter, kPrintFooterNotice, notice_length);
    for (int32_t page = 0; page < b.out->page_count; ++page) {
        wchar_t* number = b.out->pages[page].number_text;
        wtext_format(number, kPrintPageTextCapacity, L"第 %d 页 / 共 %d 页", page + 1,
                     b.out->page_count);
        const int32_t length = wtext_length(number);
        const int32_t width = text_width(b, kPrintFooter, number, length);
        add_run(b, make_rule(page, g.left, rule_y, g.right - g.left));
        add_run(b, make_text(page, kPrintFooter, colour, g.left, text_top, kPrintFooterNotice,
                             notice_length, notice_width));
        add_run(b, make_text(page, kPrintFooter, colour, g.right - width, text_top, number, length,
                             width));
    }
}

}  // namespace

const PrintStyleSpec kPrintStyles[kPrintStyleCount] = {
    // style          face                  size  weight  colour
    {kPrintTitle,    L"Microsoft YaHei",   160,  700,    kPrintInk},
    {kPrintSubtitle, L"Microsoft YaHei",   100,  400,    kPrintMuted},
    {kPrintInfo,     L"Microsoft YaHei",   90,   400,    kPrintMuted},
    {kPrintVerdict,  L"Microsoft YaHei",   120,  700,    kPrintInk},
    {kPrintReport,   L"Consolas",          105,  400,    kPrintInk},
    {kPrintBody,     L"Microsoft YaHei",   100,  400,    kPrintInk},
    {kPrintFooter,   L"Microsoft YaHei",   85,   400,    kPrintMuted},
};

const wchar_t* print_level_words(int32_t level) { return level_words(level); }

int32_t print_line_fit(const wchar_t* text, int32_t length, int32_t width, PrintStyle style,
                       PrintMeasure measure, void* measure_context) {
    if (length <= 0) return 0;
    auto fits = [&](int32_t count) { return measure(measure_context, style, text, count) <= width; };
    if (fits(length)) return length;
    // The longest prefix that fits: fits(low) holds or low is 1, fits(high) fails.
    int32_t low = 1;
    int32_t high = length;
    while (high - low > 1) {
        const int32_t middle = low + (high - low) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle;
        }
    }
    int32_t fit = low;
    const auto is_high_surrogate = [](wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto is_low_surrogate = [](wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    if (fit < length && is_high_surrogate(text[fit - 1]) && is_low_surrogate(text[fit])) {
        // Never half a pair: one unit back, or the whole pair when it is all there is.
        fit = fit > 1 ? fit - 1 : 2;
    }
    // The last place in the prefix's second half where a line may end
    // (engine/line_break.h): never before "。" or "）", nor inside "次/分".
    for (int32_t i = fit; i > fit / 2; --i) {
        if (line_break_allowed(text, length, i)) return i;
    }
    return fit;
}

void lay_out_print(const PrintDocument& document, const PrintGeometry& geometry,
                   PrintMeasure measure, void* measure_context, PrintLayout* layout) {
    static Builder b;  // its header runs are some 3 KB: off the stack
    b = Builder{};
    b.geometry = &geometry;
    b.measure = measure;
    b.context = measure_context;
    b.out = layout;
    layout->status = PrintLayoutStatus::laid_out;
    layout->page_count = 0;
    layout->run_count = 0;

    const LocalTime& t = document.printed_at;
    wtext_format(layout->time_text, kPrintInfoCapacity, L"打印时间：%04d-%02d-%02d %02d:%02d",
                 t.year, t.month, t.day, t.hour, t.minute);
    wtext_format(layout->computer_text, kPrintInfoCapacity, L"计算机：%ls",
                 document.computer ? document.computer : L"");

    const int32_t header_height = build_header(b, document);
    const int32_t footer_height =
        geometry.line_height[kPrintFooter] + geometry.line_height[kPrintFooter] / 3 +
        geometry.line_height[kPrintBody] / 2;
    b.body_top = geometry.top + header_height;
    b.body_bottom = geometry.bottom - footer_height;
    int32_t tallest = 0;
    for (int32_t style = 0; style < kPrintStyleCount; ++style) {
        if (geometry.line_height[style] > tallest) tallest = geometry.line_height[style];
    }
    if (geometry.right <= geometry.left || b.body_bottom - b.body_top < tallest) {
        layout->status = PrintLayoutStatus::page_too_small;
        return;
    }

    open_page(b, 0);
    if (document.inputs != nullptr && document.inputs[0] != 0) {
        body_lines(b, document.inputs, kPrintReport, kPrintStyles[kPrintReport].colour);
        gap_before_next(b, geometry.line_height[kPrintReport] / 2);
    }
    body_verdict(b, document);
    gap_before_next(b, geometry.line_height[kPrintReport] / 2);
    body_lines(b, document.report, kPrintReport, kPrintStyles[kPrintReport].colour, true);
    gap_before_next(b, geometry.line_height[kPrintBody]);
    body_lines(b, document.note, kPrintBody, kPrintStyles[kPrintBody].colour);
    body_lines(b, document.reference, kPrintBody, kPrintMuted);
    // Room above the signatures for the hand that fills them in.
    gap_before_next(b, geometry.line_height[kPrintBody] * 2);
    const wchar_t* signature = document.signature ? document.signature : kPrintSignatureLine;
    body_paragraph(b, signature, wtext_length(signature), kPrintBody,
                   kPrintStyles[kPrintBody].colour);

    layout->page_count = b.page + 1;
    if (!b.full) add_footers(b);
    if (b.full) {
        layout->status = PrintLayoutStatus::too_long;
        layout->page_count = 0;
        layout->run_count = 0;
    }
}
