// The window-wide state of the interactive mode. One static record for the
// whole process (app_state.cpp), alive from run_main_window until exit; only the
// window's thread touches it. The window fills it; the commands read and change it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "../engine/tool_def.h"
#include "command_text.h"
#include "window_layout.h"

struct AppState {
    HINSTANCE instance;
    HWND main_window;               // recorded when WM_CREATE begins and when creation returns
    const ToolDef* tool;            // the tool of this build; never changes
    int32_t level;                  // level of the last verdict; selects the verdict colour
    HWND input_edits[kMaxToolInputs];  // entry i: edit of input i, id 2000 + i
    HWND result_edit;               // read-only report box, id 3000
    HWND verdict_label;
    HWND note_label;
    HWND buttons[kButtonCount];     // ids 1001 to 1005, in that order
    HWND focus_to_restore;          // focused control when the window was last deactivated; or null
    bool filling_inputs;            // the program itself is writing the input fields (creation,
                                    // reset): their changes are no user edits
    HFONT fonts[kFontCount];        // by FontId; never released
    HBRUSH panel_brush;             // solid white; never released
    HBRUSH background_brush;        // solid page background; never released
    wchar_t detail_text[kDetailCapacity];    // the last report; empty: no result yet
    wchar_t summary_text[kSummaryCapacity];  // body of the clipboard text
    wchar_t status_text[kStatusCapacity];    // the footer's status line
    double input_values[kMaxToolInputs];     // inputs of the last completed calculation
};

extern AppState app_state;
