// Exits at once like startup_exit, but imports one function each from the
// system DLLs the program imports (user32, gdi32, shell32), so the loader maps
// and initialises them as it does for the program. The difference to
// startup_exit is the cost of those load-time imports.
#include <windows.h>
#include <shlobj.h>

void* volatile g_imported[3];

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    g_imported[0] = reinterpret_cast<void*>(&SetProcessDPIAware);
    g_imported[1] = reinterpret_cast<void*>(&CreateSolidBrush);
    g_imported[2] = reinterpret_cast<void*>(&SHGetFolderPathW);
    return 0;
}
