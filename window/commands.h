// The window commands: calculate, save, copy, reset and About (buttons 1001 to
// 1005; Enter and F5 run on_calculate). Each works on app_state and shows its
// outcome in the controls, the footer's status line or a message box; none
// calls back into the window's code.
#pragma once

void on_calculate();
void on_save_record();
void on_copy_result();
void on_reset_inputs();
void on_about();

// A user edit of an input field (EN_CHANGE while app_state.filling_inputs is
// false): the window goes back to the no-result state with kInputChangedStatus.
void on_input_changed();
