// A report's grid as spreadsheet cells on the clipboard. The grid comes as CSV
// text (commas between fields, a field quoted with "" doubled inside, rows ended
// by CR LF or LF); spreadsheets paste the clipboard's "HTML Format" (a table,
// one cell per field) and its "Csv" format (the CSV in the ANSI code page) as
// one cell per value, one row per line.
#pragma once

#include <cstdint>

// Registered clipboard format names.
constexpr const wchar_t* kHtmlClipboardFormat = L"HTML Format";
constexpr const wchar_t* kCsvClipboardFormat = L"Csv";

// Capacity of the HTML Format block (bytes, terminator included): the largest
// grid, 40 nurses by 31 days with its header and count rows, fits whole.
constexpr int32_t kHtmlClipboardCapacity = 65536;

// Writes the HTML Format block of `csv` into `out`: the header of byte offsets
// (StartHTML, EndHTML, StartFragment, EndFragment), then a UTF-8 page whose
// fragment is one <table> with a <tr> per CSV row and a <td> per field, its
// text escaped (& < > "). Returns the bytes written with the terminating zero,
// or 0 when the block does not fit `capacity` or `csv` is empty (then nothing
// usable is in `out`).
int32_t build_html_clipboard(const wchar_t* csv, char* out, int32_t capacity);
