// Program entry: the self-test when the command line holds the self-test
// option, no start at all for any other option, otherwise the main window.
//   Kinetora.exe --selftest [path]   (also -selftest, /selftest, any case)
//                                    exit code 0: report written, all formulas
//                                    worked; 2: a formula failed; 3: the report
//                                    file could not be written whole
//   Kinetora.exe -<anything else>    exit code 4, no window (also /...)
#include <windows.h>

#include "../engine/tool_def.h"
#include "command_line.h"
#include "../window/display.h"
#include "../window/main_window.h"
#include "selftest.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    wchar_t path[kSelftestPathCapacity];
    switch (read_start_mode(GetCommandLineW(), path, kSelftestPathCapacity)) {
        case StartMode::selftest: return run_selftest(path);
        case StartMode::unknown_option: return kUnknownOptionExitCode;
        case StartMode::window: break;
    }
    declare_dpi_awareness();
    return run_main_window(instance, get_tool_definition());
}
