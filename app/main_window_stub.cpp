// Window mode placeholder until the main window lands.
#include "main_window.h"

int run_main_window(HINSTANCE, const ToolDef&) { return 1; }
