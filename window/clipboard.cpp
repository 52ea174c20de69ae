#include "clipboard.h"

#include <cstring>

#include "clipboard_grid.h"
#include "command_text.h"

namespace {

bool system_open(HWND owner) { return OpenClipboard(owner) != 0; }
void system_empty() { EmptyClipboard(); }
HGLOBAL system_allocate(SIZE_T bytes) { return GlobalAlloc(GMEM_MOVEABLE, bytes); }
bool system_set_text(HGLOBAL block) { return SetClipboardData(CF_UNICODETEXT, block) != nullptr; }
bool system_set_named(const wchar_t* name, HGLOBAL block) {
    const UINT format = RegisterClipboardFormatW(name);
    return format != 0 && SetClipboardData(format, block) != nullptr;
}
void system_free_block(HGLOBAL block) { GlobalFree(block); }
void system_close() { CloseClipboard(); }

const ClipboardOps kSystemClipboard = {
    /* open */ system_open,
    /* empty */ system_empty,
    /* allocate */ system_allocate,
    /* set_text */ system_set_text,
    /* set_named */ system_set_named,
    /* free_block */ system_free_block,
    /* close */ system_close,
};

// The CSV in the ANSI code page, the form spreadsheets read from "Csv": the
// largest grid's units, each at most two bytes in the code pages of the wards.
constexpr int32_t kCsvBytesCapacity = 2 * kGridCapacity;

// Hands the clipboard a copy of `size` bytes as the registered format `name`;
// true when it took them. A block it did not take is freed.
bool place_named_bytes(const ClipboardOps& ops, const wchar_t* name, const char* bytes,
                       int32_t size) {
    HGLOBAL block = ops.allocate(static_cast<SIZE_T>(size));
    if (block == nullptr) return false;
    bool placed = false;
    void* memory = GlobalLock(block);
    if (memory != nullptr) {
        std::memcpy(memory, bytes, static_cast<size_t>(size));
        GlobalUnlock(block);
        placed = ops.set_named(name, block);
    }
    if (!placed) ops.free_block(block);
    return placed;
}

// The grid's cells as HTML Format and as Csv; true when the clipboard took both.
bool place_grid_cells(const ClipboardOps& ops, const wchar_t* grid) {
    static char html[kHtmlClipboardCapacity];
    const int32_t html_bytes = build_html_clipboard(grid, html, kHtmlClipboardCapacity);
    static char csv[kCsvBytesCapacity];
    const int csv_bytes = WideCharToMultiByte(CP_ACP, 0, grid, -1, csv, kCsvBytesCapacity,
                                              nullptr, nullptr);
    const bool html_placed =
        html_bytes > 0 && place_named_bytes(ops, kHtmlClipboardFormat, html, html_bytes);
    const bool csv_placed =
        csv_bytes > 0 && place_named_bytes(ops, kCsvClipboardFormat, csv, csv_bytes);
    return html_placed && csv_placed;
}

}  // namespace

const ClipboardOps& system_clipboard_ops() { return kSystemClipboard; }

CopyOutcome place_clipboard_text(const ClipboardOps& ops, HWND owner, const ToolDef& tool,
                                 const ToolResult& result) {
    if (!ops.open(owner)) return CopyOutcome::not_copied;
    ops.empty();
    const int32_t bytes = clipboard_block_bytes(tool, result);
    bool placed = false;
    HGLOBAL block = ops.allocate(static_cast<SIZE_T>(bytes));
    if (block != nullptr) {
        wchar_t* text = static_cast<wchar_t*>(GlobalLock(block));
        if (text != nullptr) {
            build_clipboard_text(tool, result, text, bytes / 2);
            GlobalUnlock(block);
            placed = ops.set_text(block);
        }
        if (!placed) ops.free_block(block);
    }
    bool cells = true;
    if (placed && result.grid[0] != 0) cells = place_grid_cells(ops, result.grid);
    ops.close();
    if (!placed) return CopyOutcome::not_copied;
    return cells ? CopyOutcome::copied : CopyOutcome::text_only;
}
