// Program entry: the self-test when the command line holds "--selftest",
// otherwise the main window.
//   Kinetora.exe --selftest [path]   exit code 0: report written, all formulas
//                                    worked; 2: a formula failed; 3: the report
//                                    file could not be written whole
#include <windows.h>

#include "../engine/tool_def.h"
#include "command_line.h"
#include "main_window.h"
#include "selftest.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    wchar_t path[kSelftestPathCapacity];
    if (find_selftest_option(GetCommandLineW(), path, kSelftestPathCapacity)) {
        return run_selftest(path);
    }
    SetProcessDPIAware();
    return run_main_window(instance, get_tool_definition());
}
