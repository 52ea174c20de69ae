// Prints the ANSI code page, the OEM code page and the user locale a Windows
// process of the test runs gets, and fails unless the ANSI code page is 936
// (Simplified Chinese): whatever the program passes through the ANSI code page
// must be tested as a ward PC will treat it.
#include <windows.h>

#include <cstdio>

int main() {
    const UINT ansi = GetACP();
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    std::printf("ANSI code page %u, OEM code page %u, user locale %ls\n", ansi, GetOEMCP(), locale);
    if (ansi != 936) {
        std::printf("FAIL: the Windows tests must run under code page 936, as on Chinese Windows\n");
        return 1;
    }
    return 0;
}
