// The printer as Win32 has it: the standard print dialog (comdlg32) and a
// printer's device context (gdi32), as the PrintOps of print_job.h. Both DLLs
// are loaded on first use (window/delayload), never at start.
#pragma once

#include <windows.h>

#include "print_job.h"

// The operations on the system's printers, with print dialogs owned by
// `owner`. One printout at a time: the operations share one static context.
const PrintOps& system_print_ops(HWND owner);
