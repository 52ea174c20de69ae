// The main window of the interactive mode.
#pragma once

#include <windows.h>

#include "../engine/tool_def.h"

// Creates the window and runs the message loop. Returns 1 when the window
// cannot be created, otherwise 0 once the window has been closed.
int run_main_window(HINSTANCE instance, const ToolDef& tool);
