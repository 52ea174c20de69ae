# Cross build for 32-bit Windows with MinGW-w64 (POSIX threads variant), for
# the ward PCs that run a 32-bit Windows 7 to 11.
#
# Its results must be the 64-bit programs' to the bit. An i686 compiler does
# double arithmetic on the x87 unit by default, whose 80-bit intermediates round
# differently; SSE2 does it as the x64 programs do: each operation rounded once
# to a double. (With -msse2, GCC also realigns the stack where SSE data needs
# it, as Windows calls a window procedure with a 4-byte aligned stack.)
set(KINETORA_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# Tests and the program run under Wine's 32-bit half.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
