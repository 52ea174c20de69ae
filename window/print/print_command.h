// The print command: the "打印" button (kPrintId) and Ctrl+P from any control
// of the main window.
#pragma once

// Prints the last result (app_state.result: its inputs, verdict and report)
// through the standard print dialog; before a calculation, or once the fields
// changed, it asks for one, as save and copy do. Failures are shown in a
// message box; success puts "已发送到打印机：<printer>" into the status line.
void on_print();
