#include "print_job.h"

#include "../../engine/format_value.h"
#include "../../engine/wide_text.h"

namespace {

constexpr const wchar_t* kUnknownError = L"未知错误";

void set_failed(const PrintOps& ops, const wchar_t* what, uint32_t error, PrintOutcome* outcome) {
    wchar_t text[kSystemTextCapacity];
    text[0] = 0;
    if (error != 0 && error != kPrintErrorUnknown) {
        ops.error_text(ops.context, error, text, kSystemTextCapacity);
    }
    if (text[0] == 0) wtext_copy(text, kSystemTextCapacity, kUnknownError);
    wchar_t code[16];
    if (error == kPrintErrorUnknown) {
        wtext_copy(code, 16, L"无");
    } else {
        format_error_code(error, code, 16);
    }
    outcome->status = PrintStatus::failed;
    outcome->caption = kPrintFailedCaption;
    outcome->warning = true;
    wtext_format(outcome->message, kPrintMessageCapacity,
                 L"%ls\r\n%ls（错误代码 %ls）\r\n本次没有打印任何内容。", what, text, code);
}

void set_refused(PrintStatus status, const wchar_t* message, PrintOutcome* outcome) {
    outcome->status = status;
    outcome->caption = kPrintFailedCaption;
    outcome->warning = true;
    wtext_copy(outcome->message, kPrintMessageCapacity, message);
}

// The pages [first, last] of the document, whole, or an outcome that says why not.
void send_pages(const PrintOps& ops, void* dc, const PrintLayout& layout, const wchar_t* name,
                int32_t first, int32_t last, PrintOutcome* outcome) {
    wchar_t what[kPrinterNameCapacity + 32];
    wtext_format(what, kPrinterNameCapacity + 32, L"未能打印到“%ls”。", outcome->printer);
    if (uint32_t error = ops.start_document(ops.context, dc, name)) {
        if (error == kPrintErrorCancelled) {
            outcome->status = PrintStatus::cancelled;
        } else {
            set_failed(ops, what, error, outcome);
        }
        return;
    }
    for (int32_t page = first; page <= last; ++page) {
        uint32_t error = ops.start_page(ops.context, dc);
        if (error == 0) error = ops.draw_page(ops.context, dc, layout, page);
        if (error == 0) error = ops.end_page(ops.context, dc);
        if (error != 0) {
            ops.abort_document(ops.context, dc);
            set_failed(ops, what, error, outcome);
            return;
        }
    }
    if (uint32_t error = ops.end_document(ops.context, dc)) {
        ops.abort_document(ops.context, dc);
        set_failed(ops, what, error, outcome);
        return;
    }
    outcome->pages_sent = last - first + 1;
    outcome->status = PrintStatus::printed;
    wtext_format(outcome->status_text, kPrintStatusCapacity, L"已发送到打印机：%ls",
                 outcome->printer);
}

}  // namespace

void build_print_inputs(const ToolDef& tool, const ToolResult& result, wchar_t* out,
                        int32_t capacity) {
    if (capacity < 1) return;
    out[0] = 0;
    wchar_t lines[kClipboardInputsCapacity];
    build_inputs_text(tool, result, L"：", L"\r\n", lines, kClipboardInputsCapacity);
    if (lines[0] == 0) return;
    wtext_format(out, capacity, L"%ls\r\n%ls\r\n", kPrintInputsHeading, lines);
}

void make_print_document(const ToolDef& tool, const ToolResult& result,
                         const LocalTime& printed_at, const wchar_t* computer,
                         PrintToolTexts* texts, PrintDocument* document) {
    build_subtitle(tool, texts->subtitle, kSubtitleCapacity);
    build_reference_text(tool, texts->reference, kReferenceCapacity);
    build_print_inputs(tool, result, texts->inputs, kPrintInputsCapacity);
    const bool current = result_is_current(result);
    *document = PrintDocument{tool.name, texts->subtitle, result.verdict, shown_level(result),
                              current ? result.report : nullptr, tool.note, texts->reference,
                              printed_at, computer, texts->inputs};
    document->signature = tool.signature_line;
}

void print_document(const PrintOps& ops, const PrintDocument& document, const wchar_t* name,
                    PrintOutcome* outcome) {
    *outcome = PrintOutcome{};
    if (document.report == nullptr || document.report[0] == 0) {
        outcome->status = PrintStatus::no_result;
        outcome->caption = kPrintNoticeCaption;
        wtext_copy(outcome->message, kPrintMessageCapacity, kPrintNeedsResult);
        return;
    }

    static PrintDialogResult choice;
    choice = PrintDialogResult{};
    ops.choose(ops.context, kPrintPageCapacity, &choice);
    switch (choice.choice) {
        case PrintChoice::cancelled:
            outcome->status = PrintStatus::cancelled;
            return;
        case PrintChoice::no_printer:
            set_refused(PrintStatus::no_printer, kPrintNoPrinter, outcome);
            return;
        case PrintChoice::failed:
            set_failed(ops, L"打印对话框未能打开。", choice.error, outcome);
            return;
        case PrintChoice::print:
            break;
    }
    wtext_copy(outcome->printer, kPrinterNameCapacity, choice.printer);

    static PrintGeometry geometry;
    static PrintLayout layout;  // some 800 KB: static storage
    geometry = PrintGeometry{};
    if (uint32_t error = ops.prepare(ops.context, choice.dc, &geometry)) {
        wchar_t what[kPrinterNameCapacity + 32];
        wtext_format(what, kPrinterNameCapacity + 32, L"未能打印到“%ls”。", outcome->printer);
        set_failed(ops, what, error, outcome);
        ops.release(ops.context, choice.dc);
        return;
    }
    lay_out_print(document, geometry, ops.measure, ops.context, &layout);
    outcome->page_count = layout.page_count;
    if (layout.status != PrintLayoutStatus::laid_out) {
        set_refused(PrintStatus::too_long,
                    layout.status == PrintLayoutStatus::too_long
                        ? L"报告过长，超出一次可打印的页数，本次没有打印任何内容。"
                        : L"纸张太小，放不下页眉、页脚和正文，本次没有打印任何内容。",
                    outcome);
        ops.release(ops.context, choice.dc);
        return;
    }

    int32_t first = 0;
    int32_t last = layout.page_count - 1;
    if (choice.page_range) {
        if (choice.from_page > first + 1) first = choice.from_page - 1;
        if (choice.to_page < last + 1) last = choice.to_page - 1;
    }
    if (first > last) {
        wchar_t message[kPrintMessageCapacity];
        wtext_format(message, kPrintMessageCapacity,
                     L"所选页码范围内没有可打印的页：本次结果共 %d 页。本次没有打印任何内容。",
                     layout.page_count);
        set_refused(PrintStatus::out_of_range, message, outcome);
        ops.release(ops.context, choice.dc);
        return;
    }
    send_pages(ops, choice.dc, layout, name, first, last, outcome);
    ops.release(ops.context, choice.dc);
}
