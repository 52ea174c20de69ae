// The smallest Windows program: starts and exits at once. The yardstick of the
// self-test's start-up time.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return 0; }
