#include "clipboard_grid.h"

#include "../engine/wide_text.h"

namespace {

// The header's offsets are written with ten digits, so its length is known
// before the page is: they are filled in once the page stands.
constexpr char kHeaderFormat[] =
    "Version:0.9\r\nStartHTML:%010d\r\nEndHTML:%010d\r\nStartFragment:%010d\r\n"
    "EndFragment:%010d\r\n";
constexpr int32_t kHeaderBytes = 105;  // kHeaderFormat with four ten-digit numbers
constexpr wchar_t kPageStart[] = L"<html><body>\r\n<!--StartFragment-->";
constexpr wchar_t kPageEnd[] = L"<!--EndFragment-->\r\n</body></html>\r\n";

// The page in UTF-16 before its conversion: room for the largest grid's
// markup (about 11 units a cell).
constexpr int32_t kPageCapacity = 32768;

// The page being written: its length is kept, so that appending stays linear.
struct Page {
    wchar_t* text;
    int32_t length;
    int32_t capacity;
};

// Appends `markup`; false when it does not fit whole with the terminator.
bool append_markup(Page* page, const wchar_t* markup) {
    const int32_t length = wtext_length(markup);
    if (length > page->capacity - 1 - page->length) return false;
    for (int32_t i = 0; i < length; ++i) page->text[page->length++] = markup[i];
    page->text[page->length] = 0;
    return true;
}

// Appends `c` with the HTML escapes.
bool append_escaped(Page* page, wchar_t c) {
    const wchar_t single[2] = {c, 0};
    return append_markup(page, c == L'&'   ? L"&amp;"
                               : c == L'<' ? L"&lt;"
                               : c == L'>' ? L"&gt;"
                               : c == L'"' ? L"&quot;"
                                           : single);
}

// The fragment: <table>, a row per CSV line, a cell per field, </table>.
bool append_table(Page* page, const wchar_t* csv) {
    if (!append_markup(page, L"<table>")) return false;
    const wchar_t* p = csv;
    while (*p != 0) {
        if (!append_markup(page, L"<tr>")) return false;
        for (;;) {  // one field
            if (!append_markup(page, L"<td>")) return false;
            if (*p == L'"') {
                for (++p; *p != 0; ++p) {
                    if (*p == L'"') {
                        if (p[1] != L'"') {
                            ++p;
                            break;
                        }
                        ++p;  // a doubled quote stands for one
                    }
                    if (!append_escaped(page, *p)) return false;
                }
            }
            for (; *p != 0 && *p != L',' && *p != L'\r' && *p != L'\n'; ++p) {
                if (!append_escaped(page, *p)) return false;
            }
            if (!append_markup(page, L"</td>")) return false;
            if (*p != L',') break;
            ++p;
        }
        if (*p == L'\r') ++p;
        if (*p == L'\n') ++p;
        if (!append_markup(page, L"</tr>")) return false;
    }
    return append_markup(page, L"</table>");
}

}  // namespace

int32_t build_html_clipboard(const wchar_t* csv, char* out, int32_t capacity) {
    if (capacity < 1) return 0;
    out[0] = 0;
    if (csv == nullptr || csv[0] == 0 || capacity <= kHeaderBytes) return 0;
    static wchar_t text[kPageCapacity];
    Page page = {text, 0, kPageCapacity};
    text[0] = 0;
    if (!append_markup(&page, kPageStart) || !append_table(&page, csv)) return 0;
    // Page start and fragment first: the fragment's end is where their bytes end.
    char* body = out + kHeaderBytes;
    const int32_t body_capacity = capacity - kHeaderBytes;
    const int32_t fragment_bytes = utf8_from_wide(text, body, body_capacity);
    if (fragment_bytes == 0) return 0;
    const int32_t end_bytes =
        utf8_from_wide(kPageEnd, body + fragment_bytes - 1, body_capacity - (fragment_bytes - 1));
    if (end_bytes == 0) {
        out[0] = 0;
        return 0;
    }
    const int32_t start_fragment = kHeaderBytes + wtext_length(kPageStart);  // ASCII: a byte a unit
    const int32_t end_fragment = kHeaderBytes + fragment_bytes - 1;
    const int32_t end_html = end_fragment + end_bytes - 1;
    // The header's own terminator lands on the page's first byte: keep it.
    const char first = body[0];
    ctext_format(out, kHeaderBytes + 1, kHeaderFormat, kHeaderBytes, end_html, start_fragment,
                 end_fragment);
    body[0] = first;
    return end_html + 1;
}
