// Test launcher: starts a process with an exact command line read from a UTF-8
// file (so no shell or Wine quoting gets in between), waits for it and returns
// its exit code. Usage: launch.exe <command-line file>
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 100;
    FILE* file = _wfopen(argv[1], L"rb");
    if (file == nullptr) return 101;
    static char bytes[65536];
    size_t count = fread(bytes, 1, sizeof bytes - 1, file);
    fclose(file);
    bytes[count] = 0;
    while (count > 0 && (bytes[count - 1] == '\n' || bytes[count - 1] == '\r')) bytes[--count] = 0;
    static wchar_t command_line[32768];
    if (MultiByteToWideChar(CP_UTF8, 0, bytes, -1, command_line, 32768) == 0) return 102;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 103;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exit_code = 104;
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exit_code);
}
