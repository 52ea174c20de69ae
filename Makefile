# Kinetora: set-up, build and tests on Debian. Every target installs what is
# missing first (no apt call when everything is there).
#   make run    open the program (under Wine; without a display: the self-test);
#               make run TOOL=<id> opens the suite's program of tool <id>
#   make test   every test of the builds: host, 64-bit and 32-bit Windows

SHELL := /bin/bash
ROOT := $(abspath .)
HOST_BUILD := $(ROOT)/build/host
WIN_BUILD := $(ROOT)/build/windows
# The program `make run` opens: tool 30 is Kinetora.exe, tool <id> Kinetora-T<id>.exe.
TOOL ?= 30
RUN_EXE = $(WIN_BUILD)/app/$(if $(filter 30,$(TOOL)),Kinetora,Kinetora-T$(TOOL)).exe
RUN_TARGET = $(if $(filter 30,$(TOOL)),kinetora,kinetora_t$(TOOL))

# What running the program needs: the cross toolchain, Wine, the fonts and
# the locale of the Wine prefix. make run installs these alone.
RUN_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine64 fonts-wqy-microhei fonts-wqy-zenhei locales
# What the tests need besides: the host compiler and GoogleTest, ...
TEST_PACKAGES := g++ libgtest-dev googletest
# ... the CSV readers that the record-file tests read the saved files back with, ...
READER_PACKAGES := python3 libreoffice-calc-nogui
# ... and the virtual display, input and screenshots of the GUI tests.
# (x11-utils: xprop, which gives a test display its work area.)
GUI_PACKAGES := xvfb xauth xdotool x11-apps x11-utils imagemagick
# ... and the printer the print tests print to: CUPS with the cups-pdf backend,
# and poppler's tools that read the PDF it writes (tools/print-spooler.sh).
PRINT_PACKAGES := cups printer-driver-cups-pdf poppler-utils
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: all deps run-deps host windows wine-prefix print-spooler test test-host test-windows test-make-run \
  run clean

all: host windows

deps:
	@tools/ensure-packages.sh $(RUN_PACKAGES) $(TEST_PACKAGES) $(GUI_PACKAGES) $(READER_PACKAGES) \
	  $(PRINT_PACKAGES)

run-deps:
	@tools/ensure-packages.sh $(RUN_PACKAGES)

host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

windows: deps
	@cmake --preset windows -DKINETORA_TESTS=ON >/dev/null
	@cmake --build --preset windows

wine-prefix: run-deps
	@tools/wine-prefix.sh

# The test printer "PDF": starts cupsd when it is not running (nothing else
# starts it on a fresh machine or in CI) and adds the queue when it is missing.
print-spooler: deps
	@tools/print-spooler.sh ensure

test: host windows windows-x86 wine-prefix print-spooler
	@$(MAKE) --no-print-directory test-host
	@$(MAKE) --no-print-directory test-windows
	@$(MAKE) --no-print-directory test-windows-x86
	@$(MAKE) --no-print-directory test-make-run
	@$(MAKE) --no-print-directory fuzz-smoke

test-host:
	@cd $(HOST_BUILD) && ctest --output-on-failure -j2 --timeout 300

# Windows tests share one display and one persistent wine server.
test-windows:
	@$(XVFB) tools/with-wine-session.sh \
	  ctest --test-dir $(WIN_BUILD) --output-on-failure -j2 --timeout 600

# make run as a new user runs it without a display, read from what it prints.
test-make-run:
	@tests/make/run_selftest.sh $(ROOT)

# Builds the program alone, not the tests: a first run from a fresh clone is
# quick and installs only RUN_PACKAGES. A build folder made here has the tests
# off (configuring them would need GoogleTest and Python); make test turns them
# on. Without a display it runs the self-test and prints its report.
run: run-deps wine-prefix
	@cmake --preset windows $(if $(wildcard $(WIN_BUILD)/CMakeCache.txt),,-DKINETORA_TESTS=OFF) >/dev/null
	@cmake --build --preset windows --target $(RUN_TARGET) || \
	  { echo "No program for TOOL=$(TOOL)"; exit 1; }
	@if [ -n "$$DISPLAY" ]; then \
	  echo "Opening $(notdir $(RUN_EXE)). Close it with Alt+F4 (there may be no window manager" \
	       "to click a close button)."; \
	  cmake/wine-run.sh $(RUN_EXE); \
	else \
	  echo "No display: running the self-test."; \
	  rm -f "$(ROOT)/build/selftest.txt"; \
	  cmake/wine-run.sh $(RUN_EXE) --selftest "$(ROOT)/build/selftest.txt"; code=$$?; \
	  echo "exit code $$code"; cat "$(ROOT)/build/selftest.txt" && echo; exit $$code; \
	fi

clean:
	rm -rf build

-include mk/*.mk
