// Placing the copy command's text on the clipboard. The clipboard calls go
// through a record of functions so that tests can make each of them fail.
#pragma once

#include <windows.h>

#include "../engine/tool_def.h"
#include "../engine/tool_result.h"

struct ClipboardOps {
    bool (*open)(HWND owner);            // OpenClipboard
    void (*empty)();                     // EmptyClipboard
    HGLOBAL (*allocate)(SIZE_T bytes);   // GlobalAlloc(GMEM_MOVEABLE)
    bool (*set_text)(HGLOBAL block);     // SetClipboardData(CF_UNICODETEXT); true: the clipboard owns it
    void (*free_block)(HGLOBAL block);   // GlobalFree
    void (*close)();                     // CloseClipboard
};

// The system's clipboard.
const ClipboardOps& system_clipboard_ops();

// Opens the clipboard for `owner`, empties it and hands it a block with the
// clipboard text of `result` (build_clipboard_text), whole. Returns true only when the clipboard took
// the block; a block it did not take is freed. False with nothing else done when
// the clipboard cannot be opened.
bool place_clipboard_text(const ClipboardOps& ops, HWND owner, const ToolDef& tool,
                          const ToolResult& result);
