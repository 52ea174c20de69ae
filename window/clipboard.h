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
    // SetClipboardData of the registered format `name`; true: the clipboard owns it
    bool (*set_named)(const wchar_t* name, HGLOBAL block);
    void (*free_block)(HGLOBAL block);   // GlobalFree
    void (*close)();                     // CloseClipboard
};

// The system's clipboard.
const ClipboardOps& system_clipboard_ops();

// What the clipboard took.
enum class CopyOutcome : int32_t {
    not_copied,  // it could not be opened, or took no text
    copied,      // the text, and the cells of a result with a grid
    text_only,   // the text, but not the cells of the result's grid
};

// Opens the clipboard for `owner`, empties it and hands it a block with the
// clipboard text of `result` (build_clipboard_text), whole; for a result with a
// grid, also its cells as "HTML Format" and as "Csv" (the CSV in the ANSI code
// page), which spreadsheets paste one value a cell. A block the clipboard did
// not take is freed. Nothing but not_copied when the clipboard cannot be opened.
CopyOutcome place_clipboard_text(const ClipboardOps& ops, HWND owner, const ToolDef& tool,
                                 const ToolResult& result);
