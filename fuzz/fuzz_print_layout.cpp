// The printed page's layout (lay_out_print) on random documents (lines of
// ASCII, CJK, surrogate pairs and blanks; CR LF, LF and lone CR), page
// geometries, line heights and character widths. Properties, when laid out:
//   - every character of every line of the verdict, the report, the note, the
//     reference and the signature line is placed exactly once and in order:
//     the runs pointing into a text follow each other without overlap, and
//     what no run shows is a line end or a blank where a too-wide line wraps;
//     a line that fits is one run of the whole line; no run ends inside a
//     surrogate pair;
//   - no run lies outside the text area (a wrapped piece of one character
//     wider than the area excepted), and no body line outside the body or over
//     the line before it;
//   - a page ends only between lines, or inside a line whose pieces fill more
//     than a page;
//   - pages are numbered "第 N 页 / 共 M 页" for N = 1..M, each page has its footer
//     and the same header;
//   - the signature line is on the last page only.
// Too long or too small a page: no pages and no runs.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "window/print/print_layout.h"
#include "fuzz_support.h"

namespace {

// Widths from a table: ASCII, other units and each half of a surrogate pair,
// times a factor per style. The document's texts are measured from running
// sums, in constant time: the layout measures prefixes of long lines again and
// again, and the fuzzer would spend its time here.
struct Measured {
    const wchar_t* text;
    int32_t length;
    std::vector<int32_t> sums;  // sums[i]: width of text[0..i) at factor 1
};

struct Metrics {
    int32_t ascii;
    int32_t wide;
    int32_t surrogate;
    int32_t scale[kPrintStyleCount];
    std::vector<Measured> texts;
    size_t last;  // the text measured last
};

int32_t unit_width(const Metrics& m, wchar_t unit) {
    return unit < 0x80 ? m.ascii : (unit >= 0xD800 && unit <= 0xDFFF ? m.surrogate : m.wide);
}

void add_measured(Metrics* m, const std::vector<wchar_t>& text) {
    Measured measured{text.data(), static_cast<int32_t>(text.size()) - 1, {0}};
    for (int32_t i = 0; i < measured.length; ++i) {
        measured.sums.push_back(measured.sums.back() + unit_width(*m, text[i]));
    }
    m->texts.push_back(std::move(measured));
}

int32_t measure(void* context, PrintStyle style, const wchar_t* text, int32_t length) {
    Metrics& m = *static_cast<Metrics*>(context);
    // Successive calls mostly measure the same text: try the last one first.
    const size_t count = m.texts.size();
    for (size_t k = 0; k < count; ++k) {
        const size_t index = (m.last + k) % count;
        const Measured& measured = m.texts[index];
        if (text >= measured.text && text + length <= measured.text + measured.length) {
            m.last = index;
            const size_t begin = static_cast<size_t>(text - measured.text);
            return (measured.sums[begin + static_cast<size_t>(length)] - measured.sums[begin]) *
                   m.scale[style];
        }
    }
    int32_t width = 0;
    for (int32_t i = 0; i < length; ++i) width += unit_width(m, text[i]);
    return width * m.scale[style];
}

// Pieces of text: a high and low surrogate come as a pair (index 0).
const wchar_t kPieces[] = {0, L'a', L'W', L' ', L' ', L'字', L'报', L'\n', L'\r', L'\t', L'1',
                           L'，', L'-', 0x3000};
constexpr int32_t kPieceCount = static_cast<int32_t>(sizeof kPieces / sizeof kPieces[0]);

void append_piece(std::vector<wchar_t>* text, uint8_t selector, bool lines) {
    const wchar_t piece = kPieces[selector % kPieceCount];
    if (piece == 0) {
        text->push_back(static_cast<wchar_t>(0xD83D));
        text->push_back(static_cast<wchar_t>(0xDE00));
    } else if ((piece == L'\n' || piece == L'\r') && !lines) {
        text->push_back(L' ');
    } else if (piece == L'\r' && selector >= 128) {
        text->push_back(L'\r');
        text->push_back(L'\n');
    } else {
        text->push_back(piece);
    }
}

// A text of `limit` units at most: a byte below 224 is a piece, 224 and up
// repeats the next piece 2 to 256 times; a zero length byte ends it.
std::vector<wchar_t> take_document_text(FuzzBytes* in, int32_t limit, bool lines) {
    std::vector<wchar_t> text;
    const int32_t length = take_in_range(in, 0, limit);
    while (static_cast<int32_t>(text.size()) < length && fuzz_remaining(*in) > 0) {
        const uint8_t selector = take_u8(in);
        if (selector < 224) {
            append_piece(&text, selector, lines);
        } else {
            const uint8_t piece = take_u8(in);
            const int32_t count = 2 + (selector - 224) * 8;
            for (int32_t i = 0; i < count; ++i) append_piece(&text, piece, lines);
        }
    }
    text.push_back(0);
    return text;
}

// A text the runs may point into, and its lines (the verdict and the
// signature line are one line each).
struct Source {
    const wchar_t* text;
    int32_t length;
    PrintStyle style;
    bool split_lines;
};

bool is_high(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool points_into(const PrintRun& run, const Source& source) {
    return run.kind == PrintRunKind::text && run.text >= source.text &&
           run.text < source.text + std::max(source.length, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    Metrics metrics;
    metrics.last = 0;
    metrics.ascii = take_in_range(&in, 0, 40);
    metrics.wide = take_in_range(&in, 1, 80);
    metrics.surrogate = take_in_range(&in, 0, 40);
    for (int32_t& scale : metrics.scale) scale = 1 + take_u8(&in) % 3;

    PrintGeometry geometry;
    geometry.left = take_in_range(&in, -50, 200) * 4;
    geometry.top = take_in_range(&in, -50, 200) * 4;
    const uint8_t width_selector = take_u8(&in);
    geometry.right = geometry.left + (width_selector < 128 ? 2000 + width_selector * 40
                                                           : take_in_range(&in, -10, 6000));
    const uint8_t height_selector = take_u8(&in);
    geometry.bottom = geometry.top + (height_selector < 128 ? 600 + height_selector * 60
                                                            : take_in_range(&in, -10, 12000));
    for (int32_t& line : geometry.line_height) line = take_in_range(&in, 1, 200);

    const int32_t level = take_in_range(&in, -1, 4);
    std::vector<wchar_t> title = take_document_text(&in, 40, false);
    std::vector<wchar_t> subtitle = take_document_text(&in, 60, false);
    std::vector<wchar_t> computer = take_document_text(&in, 20, false);
    std::vector<wchar_t> verdict = take_document_text(&in, 120, false);
    std::vector<wchar_t> note = take_document_text(&in, 200, true);
    std::vector<wchar_t> reference = take_document_text(&in, 120, true);
    std::vector<wchar_t> report = take_document_text(&in, 600, true);
    const bool no_note = take_u8(&in) < 32;
    for (const std::vector<wchar_t>* text : {&title, &subtitle, &verdict, &note, &reference, &report}) {
        add_measured(&metrics, *text);
    }
    const PrintDocument document = {title.data(),  subtitle.data(), verdict.data(),
                                    level,         report.data(),   no_note ? nullptr : note.data(),
                                    reference.data(), {2026, 12, 9, 5, 7, 0}, computer.data()};

    static PrintLayout layout;
    lay_out_print(document, geometry, measure, &metrics, &layout);

    if (layout.status != PrintLayoutStatus::laid_out) {
        FUZZ_CHECK(layout.page_count == 0 && layout.run_count == 0);
        return 0;
    }
    const int32_t pages = layout.page_count;
    FUZZ_CHECK(pages >= 1 && pages <= kPrintPageCapacity);
    FUZZ_CHECK(layout.run_count >= 0 && layout.run_count <= kPrintRunCapacity);

    // Each page with its footer and number. (The footers come after the body
    // of the last page; the drawer picks each page's runs wherever they are.)
    int32_t footers[kPrintPageCapacity] = {};
    for (int32_t i = 0; i < layout.run_count; ++i) {
        const PrintRun& run = layout.runs[i];
        FUZZ_CHECK(run.page >= 0 && run.page < pages);
        if (run.kind == PrintRunKind::text && run.text == layout.pages[run.page].number_text) {
            ++footers[run.page];
        }
    }
    for (int32_t page = 0; page < pages; ++page) {
        const std::wstring expected = L"第 " + std::to_wstring(page + 1) + L" 页 / 共 " +
                                      std::to_wstring(pages) + L" 页";
        FUZZ_CHECK(expected == layout.pages[page].number_text);
        FUZZ_CHECK(footers[page] == 1);
    }

    // Every run inside the text area; a text run as wide as it measures. The
    // print time, the computer, the level words and the footer are one line each, never
    // wrapped: they are held to the area only when they fit it (a page
    // narrower than "第 1 页 / 共 1 页" is no page a printer offers).
    const int32_t area = geometry.right - geometry.left;
    for (int32_t i = 0; i < layout.run_count; ++i) {
        const PrintRun& run = layout.runs[i];
        FUZZ_CHECK(run.y >= geometry.top);
        if (run.kind == PrintRunKind::rule) {
            FUZZ_CHECK(run.x >= geometry.left && run.x + run.width <= geometry.right &&
                       run.y <= geometry.bottom);
            continue;
        }
        FUZZ_CHECK(run.length > 0);
        // (The level words carry the verdict's indent: 0 when they take more
        // than half the area and the verdict starts at the left edge.)
        const int32_t measured = measure(&metrics, run.style, run.text, run.length);
        FUZZ_CHECK(run.width == measured || (run.text == print_level_words(level) && run.width == 0));
        FUZZ_CHECK(run.y + geometry.line_height[run.style] <= geometry.bottom);
        const bool one_character =
            run.length == 1 || (run.length == 2 && is_high(run.text[0]) && is_low(run.text[1]));
        const bool one_line = run.style == kPrintInfo || run.style == kPrintFooter ||
                              run.text == print_level_words(level);
        if (!one_line || measured <= area) {
            FUZZ_CHECK(run.x >= geometry.left);
            FUZZ_CHECK(run.x + measured <= geometry.right || one_character);
        }
    }

    // The header: the runs of the first page before the level words, the same
    // on every page; the body starts below its rule and ends half a body line
    // or more above the footer's rule (the lowest rule of the first page).
    const wchar_t* const level_words = print_level_words(level);
    std::vector<const PrintRun*> header;
    for (int32_t i = 0; i < layout.run_count && layout.runs[i].text != level_words; ++i) {
        header.push_back(&layout.runs[i]);
    }
    FUZZ_CHECK(!header.empty() && header.back()->kind == PrintRunKind::rule);
    FUZZ_CHECK(header.size() < static_cast<size_t>(layout.run_count));
    const int32_t body_top = layout.runs[header.size()].y;  // the verdict's first line
    FUZZ_CHECK(body_top >= header.back()->y);
    int32_t footer_rule = geometry.top;
    for (int32_t i = 0; i < layout.run_count; ++i) {
        if (layout.runs[i].page == 0 && layout.runs[i].kind == PrintRunKind::rule) {
            footer_rule = std::max(footer_rule, layout.runs[i].y);
        }
    }
    // What a page's body holds at least.
    const int32_t body_height = footer_rule - geometry.line_height[kPrintBody] - body_top;
    size_t matched[kPrintPageCapacity] = {};
    for (int32_t i = 0; i < layout.run_count; ++i) {
        const PrintRun& run = layout.runs[i];
        const size_t next = matched[run.page];
        if (next >= header.size()) continue;
        const PrintRun& first = *header[next];
        if (run.kind == first.kind && run.style == first.style && run.text == first.text &&
            run.length == first.length && run.x == first.x && run.y == first.y) {
            ++matched[run.page];
        }
    }
    for (int32_t page = 0; page < pages; ++page) FUZZ_CHECK(matched[page] == header.size());

    // The body: lines from the body's top to above the footer, each below the
    // one before it.
    const Source text_sources[] = {
        {verdict.data(), static_cast<int32_t>(verdict.size()) - 1, kPrintVerdict, false},
        {report.data(), static_cast<int32_t>(report.size()) - 1, kPrintReport, true},
        {no_note ? L"" : note.data(), no_note ? 0 : static_cast<int32_t>(note.size()) - 1,
         kPrintBody, true},
        {reference.data(), static_cast<int32_t>(reference.size()) - 1, kPrintBody, true},
    };
    // The signature line is the layout's own text (a literal's copy may differ
    // between translation units): the first body run of no other text, which
    // must be the signature line from its start.
    const int32_t signature_length = static_cast<int32_t>(std::wcslen(kPrintSignatureLine));
    const wchar_t* signature = nullptr;
    for (int32_t i = 0; i < layout.run_count && signature == nullptr; ++i) {
        const PrintRun& run = layout.runs[i];
        if (run.kind != PrintRunKind::text || run.style != kPrintBody) continue;
        bool other = false;
        for (const Source& source : text_sources) other = other || points_into(run, source);
        if (!other) signature = run.text;
    }
    FUZZ_CHECK(signature != nullptr &&
               std::wmemcmp(signature, kPrintSignatureLine, static_cast<size_t>(signature_length)) == 0);
    const Source sources[] = {
        text_sources[0], text_sources[1], text_sources[2], text_sources[3],
        {signature, signature_length, kPrintBody, false},
    };
    constexpr int32_t kSourceCount = static_cast<int32_t>(sizeof sources / sizeof sources[0]);
    int32_t previous_page = 0;
    int32_t previous_bottom = body_top;
    int32_t previous_y = -1;
    int32_t source_order = 0;
    for (int32_t i = 0; i < layout.run_count; ++i) {
        const PrintRun& run = layout.runs[i];
        int32_t source = -1;
        for (int32_t s = 0; s < kSourceCount; ++s) {
            if (points_into(run, sources[s])) source = s;
        }
        const bool words = run.kind == PrintRunKind::text && run.text == level_words;
        if (source < 0 && !words) continue;
        FUZZ_CHECK(source < 0 || source >= source_order);
        if (source >= 0) source_order = source;
        FUZZ_CHECK(run.y >= body_top &&
                   run.y + geometry.line_height[run.style] <= footer_rule);
        if (run.page != previous_page) {
            previous_page = run.page;
            previous_bottom = body_top;
            previous_y = -1;
        }
        if (run.y != previous_y) {
            FUZZ_CHECK(run.y >= previous_bottom);
            previous_y = run.y;
            previous_bottom = run.y + geometry.line_height[run.style];
        }
    }

    // Each line of each text: its runs in order, without overlap, and what
    // they leave out only line ends and the blanks of a wrap; its pieces on one
    // page unless they fill more than one; the signature on the last page.
    const int32_t verdict_indent = [&] {
        const int32_t width = measure(&metrics, kPrintVerdict, level_words,
                                      static_cast<int32_t>(std::wcslen(level_words)));
        return width > area / 2 ? 0 : width;
    }();
    for (int32_t s = 0; s < kSourceCount; ++s) {
        const Source& source = sources[s];
        const int32_t width = s == 0 ? area - verdict_indent : area;
        const int32_t height = geometry.line_height[source.style];
        std::vector<const PrintRun*> runs;
        for (int32_t i = 0; i < layout.run_count; ++i) {
            if (points_into(layout.runs[i], source)) runs.push_back(&layout.runs[i]);
        }
        size_t next_run = 0;
        int32_t line_begin = 0;
        while (line_begin < source.length) {
            int32_t line_end = line_begin;
            if (source.split_lines) {
                while (line_end < source.length && source.text[line_end] != L'\n') ++line_end;
            } else {
                line_end = source.length;
            }
            int32_t content_end = line_end;
            if (source.split_lines && content_end > line_begin &&
                source.text[content_end - 1] == L'\r') {
                --content_end;
            }
            const int32_t content = content_end - line_begin;
            const bool fits = measure(&metrics, source.style, source.text + line_begin, content) <= width;
            int32_t covered = line_begin;
            int32_t first_page = -1, last_page = -1, pieces = 0, last_y = -1;
            while (next_run < runs.size() && runs[next_run]->text < source.text + content_end) {
                const PrintRun& run = *runs[next_run++];
                const int32_t start = static_cast<int32_t>(run.text - source.text);
                FUZZ_CHECK(start >= covered);
                for (int32_t k = covered; k < start; ++k) FUZZ_CHECK(source.text[k] == L' ');
                covered = start + run.length;
                FUZZ_CHECK(covered <= content_end);
                FUZZ_CHECK(!(is_high(source.text[covered - 1]) && covered < content_end &&
                             is_low(source.text[covered])));
                if (first_page < 0) first_page = run.page;
                FUZZ_CHECK(run.page >= last_page);
                if (run.page != last_page || run.y != last_y) ++pieces;
                last_page = run.page;
                last_y = run.y;
            }
            for (int32_t k = covered; k < content_end; ++k) FUZZ_CHECK(source.text[k] == L' ');
            if (fits) {
                FUZZ_CHECK(content == 0 ? pieces == 0
                                        : pieces == 1 && covered == content_end &&
                                              runs[next_run - 1]->text == source.text + line_begin);
            }
            if (first_page >= 0 && last_page != first_page) {
                // Broken across pages: more pieces (one may be all blanks) than a page holds.
                FUZZ_CHECK(static_cast<int64_t>(pieces + 1) * height > body_height);
            }
            // The signature line ends the last page (and starts on it unless,
            // wrapped, it takes more than a page itself).
            if (s == kSourceCount - 1) FUZZ_CHECK(last_page == pages - 1);
            line_begin = line_end < source.length ? line_end + 1 : line_end;
        }
        FUZZ_CHECK(next_run == runs.size());
    }
    return 0;
}
