// The window commands: calculate, save, copy, reset, About and print (buttons
// 1001 to 1006, and the keys of keyboard.h). Each works on app_state and shows
// its outcome in the controls, the footer's status line or a message box; none
// calls back into the window's code.
#pragma once

#include <cstdint>

void on_calculate();
void on_save_record();
void on_copy_result();
void on_reset_inputs();
void on_about();

// Runs the command with control id `id`, pressed as a button or by its key
// (kKeyCommands); false for an id that names no command.
bool run_command(int32_t id);

// A user edit of an input field (EN_CHANGE while app_state.filling_inputs is
// false): the result goes stale, and the window shows no result with
// kInputChangedStatus.
void on_input_changed();

// Puts `text` into the footer's status line and repaints it.
void show_status(const wchar_t* text);

// A message box owned by the main window with an OK button; `icon` is
// MB_ICONINFORMATION or MB_ICONWARNING.
void show_message(const wchar_t* text, const wchar_t* caption, uint32_t icon);
