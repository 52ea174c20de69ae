# Cross build for 32-bit Windows with MinGW-w64 (POSIX threads variant), for
# the ward PCs that run a 32-bit Windows 7 to 11.
#
# Its results must be the 64-bit programs' to the bit. An i686 compiler does
# double arithmetic on the x87 unit by default, whose 80-bit intermediates round
# differently; SSE2 does it as the x64 programs do: each operation rounded once
# to a double. (With -msse2, GCC also realigns the stack where SSE data needs
# it, as Windows calls a window procedure with a 4-byte aligned stack.)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_DLLTOOL i686-w64-mingw32-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# Tests and the program run under Wine (its 32-bit half).
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
