// The print command's course, apart from Win32: the dialog, the layout with
// the chosen printer's metrics, the document, page by page, and what the user
// is told. The printer is reached through PrintOps, a record of functions, so
// that the tests can make each step fail; print_gdi.h has the real ones.
#pragma once

#include <cstdint>

#include "../command_text.h"
#include "print_layout.h"

constexpr int32_t kPrinterNameCapacity = 256;  // more than a printer name's limit
constexpr int32_t kPrintMessageCapacity = 1024;
constexpr int32_t kPrintStatusCapacity = 256;  // the window's status line
constexpr int32_t kSystemTextCapacity = 512;

// Error codes of PrintOps beyond the system's own: a step that failed without
// a code from the system, and the value of Win32's ERROR_CANCELLED, which a
// step reports when the user cancelled it (a print-to-file name, for one).
constexpr uint32_t kPrintErrorUnknown = 0xFFFFFFFFu;
constexpr uint32_t kPrintErrorCancelled = 1223u;

// What the print dialog gave.
enum class PrintChoice : int32_t {
    print,       // a printer, its device context and the pages to print
    cancelled,   // the user closed the dialog without printing
    no_printer,  // no printer is installed (no default printer)
    failed,      // the dialog could not be shown; `error` is its error code
};

struct PrintDialogResult {
    PrintChoice choice;
    uint32_t error;
    void* dc;                  // the printer's device context (print only)
    wchar_t printer[kPrinterNameCapacity];
    bool page_range;           // false: all pages
    int32_t from_page;         // from 1, when page_range
    int32_t to_page;
};

struct PrintOps {
    void* context;  // handed unchanged to every operation
    // The print dialog for a printout of at most `max_pages` pages.
    void (*choose)(void* context, int32_t max_pages, PrintDialogResult* result);
    // The text area of the page inside its 20 mm margins and the line heights
    // of the styles on `dc`; fonts for drawing and measuring are made here.
    // 0 or the system's error code.
    uint32_t (*prepare)(void* context, void* dc, PrintGeometry* geometry);
    PrintMeasure measure;  // with `context`, on the prepared device context
    // Each: 0, the system's error code or kPrintErrorUnknown.
    uint32_t (*start_document)(void* context, void* dc, const wchar_t* name);
    uint32_t (*start_page)(void* context, void* dc);
    uint32_t (*draw_page)(void* context, void* dc, const PrintLayout& layout, int32_t page);
    uint32_t (*end_page)(void* context, void* dc);
    uint32_t (*end_document)(void* context, void* dc);
    // Ends a document that failed: nothing of it goes to the printer.
    void (*abort_document)(void* context, void* dc);
    // Frees the fonts and the device context.
    void (*release)(void* context, void* dc);
    // The system's own text for an error code, without a final line break;
    // empty when the system has none.
    void (*error_text)(void* context, uint32_t error, wchar_t* text, int32_t capacity);
};

enum class PrintStatus : int32_t {
    no_result,     // nothing calculated yet: the "提示" message
    cancelled,     // the dialog was cancelled: no message, nothing changes
    no_printer,    // "打印失败": no printer installed
    failed,        // "打印失败": the system's text and error code; nothing printed
    out_of_range,  // "打印失败": the chosen pages are not in the printout
    too_long,      // "打印失败": the printout does not fit its capacities
    printed,       // every chosen page went to the printer: the status line says where
};

struct PrintOutcome {
    PrintStatus status;
    int32_t page_count;                          // pages of the printout (0 before layout)
    int32_t pages_sent;                          // pages handed to the printer
    wchar_t printer[kPrinterNameCapacity];       // the chosen printer; empty before the dialog
    wchar_t message[kPrintMessageCapacity];      // message box text; empty: no message
    const wchar_t* caption;                      // message box caption (static text) or null
    bool warning;                                // the box's icon: warning, else information
    wchar_t status_text[kPrintStatusCapacity];   // new status line; empty: unchanged
};

constexpr const wchar_t* kPrintNoticeCaption = L"提示";
constexpr const wchar_t* kPrintFailedCaption = L"打印失败";
constexpr const wchar_t* kPrintNeedsResult = L"请先点击“计算”生成结果，再打印。";
constexpr const wchar_t* kPrintNoPrinter = L"未找到打印机：请先在 Windows 中添加打印机。";

// The page's inputs block: its heading line and one line per input.
constexpr const wchar_t* kPrintInputsHeading = L"输入";
constexpr int32_t kPrintInputsCapacity = kClipboardInputsCapacity + 16;

// The texts of a PrintDocument that are made from the tool and the result.
struct PrintToolTexts {
    wchar_t subtitle[kSubtitleCapacity];
    wchar_t reference[kReferenceCapacity];
    wchar_t inputs[kPrintInputsCapacity];
};

// The inputs block of the page: kPrintInputsHeading, then one line per input
// "label：value unit" (the value as computed with, format_input_value; an
// input left empty shows kEmptyInputBlank), each line ending in CR LF. Empty
// for a tool without inputs.
void build_print_inputs(const ToolDef& tool, const ToolResult& result, wchar_t* out,
                        int32_t capacity);

// The document of `result`, the last result of `tool`: its inputs, report,
// verdict and level, the print time, the computer's name and the tool's
// signature line; without a report when the result is not current
// (print_document then asks for a calculation). The document points into `texts`, `result` and `computer`,
// which must outlive it.
void make_print_document(const ToolDef& tool, const ToolResult& result,
                         const LocalTime& printed_at, const wchar_t* computer,
                         PrintToolTexts* texts, PrintDocument* document);

// Prints `document` (its report empty or null: nothing calculated yet) through
// `ops`, under the document name `name`, and says how it went. The document
// goes to the printer whole or not at all: a failing page aborts it. The
// layout is static storage (one printout at a time).
void print_document(const PrintOps& ops, const PrintDocument& document, const wchar_t* name,
                    PrintOutcome* outcome);
