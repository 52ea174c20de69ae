# The 32-bit Windows build, for the ward PCs that run a 32-bit Windows 7 to 11.
# Included by the top-level Makefile (ROOT, XVFB and deps come from it).
#   make windows-x86        the suite and its tests for 32-bit Windows (preset
#                           windows-x86: i686 MinGW-w64, SSE2 arithmetic)
#   make windows-x86-programs  the suite's twelve programs alone
#   make test-windows-x86   its tests under Wine's 32-bit half (make test runs
#                           them): every unit and end-to-end test, the twelve
#                           self-tests against the 64-bit programs' expected
#                           files, the import check, the GUI smoke test and
#                           the resource test

X86_TOOLCHAIN_PACKAGES := g++-mingw-w64-i686-posix binutils-mingw-w64-i686
# Wine's 32-bit half: dpkg gets the i386 architecture first.
X86_WINE_PACKAGES := wine32:i386
X86_BUILD := $(ROOT)/build/windows-x86

.PHONY: windows-x86 windows-x86-programs test-windows-x86 x86-toolchain x86-deps

x86-toolchain: deps
	@tools/ensure-packages.sh $(X86_TOOLCHAIN_PACKAGES)

x86-deps: x86-toolchain
	@tools/ensure-packages.sh $(X86_WINE_PACKAGES)

windows-x86: x86-deps
	@cmake --preset windows-x86 -DKINETORA_TESTS=ON >/dev/null
	@cmake --build --preset windows-x86

# The twelve programs alone, without the tests (make test, where they cannot run).
windows-x86-programs: x86-deps
	@cmake --preset windows-x86 -DKINETORA_TESTS=ON >/dev/null
	@cmake --build --preset windows-x86 --target kinetora_suite

# A prefix of its own (one per architecture; made like the 64-bit one, with its
# own wine server) and a display of its own (another server number than the
# 64-bit tests' xvfb-run -a): make test runs them beside the 64-bit tests.
X86_WINEPREFIX := $(ROOT)/build/wineprefix-x86
test-windows-x86:
	@KINETORA_WINEPREFIX=$(X86_WINEPREFIX) xvfb-run -a -n 120 -s "-screen 0 1280x1024x24" \
	  tools/with-wine-session.sh ctest --test-dir $(X86_BUILD) --output-on-failure -j2 --timeout 600
