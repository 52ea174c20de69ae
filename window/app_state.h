// The window-wide state of the interactive mode. One static record for the
// whole process (app_state.cpp), alive from run_main_window until exit; only the
// window's thread touches it. The window fills it; the commands read and change it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "../engine/tool_def.h"
#include "../engine/tool_result.h"
#include "command_text.h"
#include "window_layout.h"
#include "window_scale.h"

// A control made from the layout tables, kept so that it can be placed again
// when the window's scale changes.
struct PlacedControl {
    HWND control;
    const ControlSpec* spec;
    int32_t row_top;  // design units; 0 for the panel's controls
};

// Every control the tables can make: the rows of the most inputs a tool has,
// the line of a tool without any, and the panel's controls.
constexpr int32_t kPlacedControlCapacity =
    kMaxToolInputs * kInputRowControlCount + 1 + kPanelControlCount;

struct AppState {
    HINSTANCE instance;
    HWND main_window;               // recorded when WM_CREATE begins and when creation returns
    const ToolDef* tool;            // the tool of this build; never changes
    HWND input_edits[kMaxToolInputs];  // entry i: edit of input i, id 2000 + i
    HWND result_edit;               // read-only report box, id 3000
    HWND verdict_label;
    HWND note_label;
    HWND buttons[kButtonCount];     // ids 1001 to 1005, in that order
    HWND focus_to_restore;          // focused control when the window was last deactivated; or null
    bool filling_inputs;            // the program itself is writing the input fields (creation,
                                    // reset): their changes are no user edits
    HFONT fonts[kFontCount];        // by FontId, at `scale`; replaced when the scale changes
    int32_t dpi;                    // DPI of the monitor the window is on
    LayoutScale scale;              // design units to the window's pixels (window_scale.h)
    PlacedControl placed[kPlacedControlCapacity];
    int32_t placed_count;
    HBRUSH panel_brush;             // solid white; never released
    HBRUSH background_brush;        // solid page background; never released
    wchar_t status_text[kStatusCapacity];    // the footer's status line
    // The last calculation, and whether it still belongs to the fields. The
    // report box, the verdict label and its colour, copy, save and print read
    // it; nothing reads a result back from a control.
    ToolResult result;
};

extern AppState app_state;
