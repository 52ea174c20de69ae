#include "clipboard.h"

#include "command_text.h"

namespace {

bool system_open(HWND owner) { return OpenClipboard(owner) != 0; }
void system_empty() { EmptyClipboard(); }
HGLOBAL system_allocate(SIZE_T bytes) { return GlobalAlloc(GMEM_MOVEABLE, bytes); }
bool system_set_text(HGLOBAL block) { return SetClipboardData(CF_UNICODETEXT, block) != nullptr; }
void system_free_block(HGLOBAL block) { GlobalFree(block); }
void system_close() { CloseClipboard(); }

const ClipboardOps kSystemClipboard = {
    /* open */ system_open,
    /* empty */ system_empty,
    /* allocate */ system_allocate,
    /* set_text */ system_set_text,
    /* free_block */ system_free_block,
    /* close */ system_close,
};

}  // namespace

const ClipboardOps& system_clipboard_ops() { return kSystemClipboard; }

bool place_clipboard_text(const ClipboardOps& ops, HWND owner, const ToolDef& tool,
                          const ToolResult& result) {
    if (!ops.open(owner)) return false;
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
    ops.close();
    return placed;
}
