// The main window's keyboard, as plain data: which key runs which command, and
// the order in which Tab and Shift+Tab move the focus. The message loop
// (main_window.cpp) asks these before a key reaches a control.
#pragma once

#include <cstdint>

#include "../engine/tool_def.h"
#include "window_layout.h"

// Virtual-key codes of the keys below; the Win32 layer checks them against
// the system headers at compile time.
constexpr uint32_t kKeyTab = 0x09;     // VK_TAB
constexpr uint32_t kKeyReturn = 0x0D;  // VK_RETURN
constexpr uint32_t kKeyF5 = 0x74;      // VK_F5
constexpr uint32_t kKeyS = 0x53;       // the letter S
constexpr uint32_t kKeyP = 0x50;       // the letter P

enum class KeyAction : int32_t {
    none,            // the key goes to its control as usual
    command,         // runs the command of key_command() (commands.h, run_command)
    focus_next,
    focus_previous,
};

// Which key runs which command: the one table of the window's command keys.
// A key with `control` runs only with Ctrl held, without Shift or Alt, and once
// per press (not per auto-repeat); one without runs whatever the modifiers,
// from any control but not from the main window itself.
struct KeyCommand {
    uint32_t key;
    bool control;
    int32_t command_id;  // a button's control id
};

constexpr KeyCommand kKeyCommands[] = {
    // key         Ctrl   command
    {kKeyReturn,  false, kCalculateId},
    {kKeyF5,      false, kCalculateId},
    {kKeyS,       true,  kSaveId},
    {kKeyP,       true,  kPrintId},
};

// A key pressed in the main window: the key, the modifiers held, and whether
// it is aimed at the main window itself rather than one of its controls.
struct KeyPress {
    uint32_t key;
    bool control;
    bool shift;
    bool alt;
    bool at_main_window;
    bool repeated;  // sent again by the key's auto-repeat while it is held down
};

// What the key does; KeyAction::none leaves it to the control. Enter and F5
// calculate from any control, whatever the modifiers, but not when the main
// window itself has the focus (right after a calculation). Tab and Shift+Tab
// move the focus, Ctrl+S saves and Ctrl+P prints, from the controls and from
// the main window; with Alt held (Ctrl+Alt is AltGr on many layouts) none of
// these applies. Holding Ctrl+S or Ctrl+P down saves or prints once, not once
// per repeat.
KeyAction key_action(const KeyPress& press);

// The command id the key runs (kKeyCommands), or 0 when it runs none.
int32_t key_command(const KeyPress& press);

// One stop of the focus order.
struct FocusStop {
    int32_t id;         // control id
    bool selects_text;  // an edit: entered by Tab, its whole text is selected
};

// Inputs in order, then the buttons in table order, then the report box.
constexpr int32_t kFocusStopCapacity = kMaxToolInputs + kPanelControlCount;

// Writes the focus order of a window with `input_count` inputs (held to 0 to
// kMaxToolInputs) into `stops` and returns the number of stops; no more than
// `capacity` are written.
int32_t focus_order(int32_t input_count, FocusStop* stops, int32_t capacity);

// The stop after the one with `current_id` (before it when `backwards`),
// wrapping round at both ends. From a control that is no stop (the main
// window itself, id 0) Tab goes to the first stop and Shift+Tab to the last.
// Returns null when there are no stops.
const FocusStop* next_focus_stop(const FocusStop* stops, int32_t count, int32_t current_id,
                                 bool backwards);
