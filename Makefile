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
  test-stages test-packages test-group-win64-unit test-group-win64 test-group-screens test-group-win32 test-group-host \
  test-gui-half-1 test-gui-half-2 run clean

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

# make test: the packages, the 64-bit build and the Wine prefix first; then
# five groups at once, each of which shares no display, Wine prefix or
# record folder with another:
#   - win64 unit: the 64-bit unit and end-to-end tests (a display and a prefix
#     of their own, build/wineprefix-unit);
#   - win64: the GUI tests in two halves at once (each one window at a time,
#     on a display and a prefix of its own), then make run without a display;
#   - screens: the GUI test of other screens (displays and a prefix of its own);
#   - win32: the 32-bit build, then its tests in a prefix of its own
#     (build/wineprefix-x86) on a display of its own (skipped, and shown so,
#     on a machine that cannot run 32-bit programs);
#   - host: the host build, its tests, the fuzz smoke test.
# The builds of the last two, and the unit tests, run under nice, so that the
# GUI tests' windows keep their pace. Ends with the time of each stage (build/stage-times.txt).
STAGE_TIMES := $(ROOT)/build/stage-times.txt
# A dry run (make -n test, as tests/make/run_packages.sh does) still runs the
# lines that call $(MAKE); these then only pass the dry run on, and note nothing.
DRY_RUN = $(findstring n,$(firstword -$(MAKEFLAGS)))
# $(call timed,<stage>,<command>): runs the command and notes its time and exit code.
timed = $(if $(DRY_RUN),$(2),s=$$(date +%s); $(2); rc=$$?; \
  echo "$(1)|$$(( $$(date +%s) - s ))|$$rc" >> $(STAGE_TIMES); exit $$rc)

test:
	@$(if $(DRY_RUN),$(MAKE) --no-print-directory test-stages,\
	mkdir -p $(ROOT)/build && rm -f $(STAGE_TIMES); start=$$(date +%s); \
	$(MAKE) --no-print-directory test-stages; rc=$$?; \
	echo; printf '%-28s %8s  %s\n' "make test stage" "seconds" "result"; \
	while IFS='|' read -r stage seconds status; do \
	  case $$status in (0) result=ok ;; (skipped*) result=$$status ;; (*) result="FAILED ($$status)" ;; esac; \
	  printf '%-28s %8s  %s\n' "$$stage" "$$seconds" "$$result"; \
	done < $(STAGE_TIMES); \
	printf '%-28s %8s\n' "total (groups in parallel)" "$$(( $$(date +%s) - start ))"; \
	exit $$rc)

test-stages:
	@$(call timed,packages,$(MAKE) --no-print-directory test-packages)
	@$(call timed,build win64,$(MAKE) --no-print-directory windows)
	@$(call timed,Wine prefix and printer,$(MAKE) --no-print-directory wine-prefix print-spooler)
	@$(MAKE) --no-print-directory -j5 --output-sync=target test-group-win64-unit test-group-win64 \
	  test-group-screens test-group-win32 test-group-host

test-packages: deps x86-deps fuzz-deps

test-group-win64-unit:
	@$(call timed,win64 tests,KINETORA_WINEPREFIX=$(ROOT)/build/wineprefix-unit \
	  nice xvfb-run -a -n 240 -s "-screen 0 1280x1024x24" tools/with-wine-session.sh \
	  ctest --test-dir $(WIN_BUILD) -LE gui --output-on-failure -j2 --timeout 600)

test-group-win64:
	@$(MAKE) --no-print-directory -j2 test-gui-half-1 test-gui-half-2
	@$(call timed,make run,$(MAKE) --no-print-directory test-make-run)

# The GUI tests of the 64-bit build (but screens) in two halves at once, each
# one window at a time on a display, a prefix and a wine server of its own
# (the second prefix, build/wineprefix-gui2, is made like the first).
GUI_HALF_1 := ^gui\.(input_errors|print|layout|keyboard|resources)$$
test-gui-half-1:
	@$(call timed,GUI tests win64 half 1,$(XVFB) tools/with-wine-session.sh \
	  ctest --test-dir $(WIN_BUILD) -L gui -R '$(GUI_HALF_1)' --output-on-failure --timeout 600)

test-gui-half-2:
	@$(call timed,GUI tests win64 half 2,KINETORA_WINEPREFIX=$(ROOT)/build/wineprefix-gui2 \
	  xvfb-run -a -n 160 -s "-screen 0 1280x1024x24" tools/with-wine-session.sh \
	  ctest --test-dir $(WIN_BUILD) -L gui -E '$(GUI_HALF_1)|^gui\.screens$$' --output-on-failure \
	  --timeout 600)

# Its own X displays and prefix; the outer display (another server number than
# the other groups' xvfb-run -a) only keeps run_case.sh from starting one.
test-group-screens:
	@$(call timed,GUI test screens,xvfb-run -a -n 200 -s "-screen 0 1280x1024x24" \
	  ctest --test-dir $(WIN_BUILD) -R '^gui\.screens$$' --output-on-failure --timeout 900)

# The 32-bit programs are always built; their tests need a kernel that runs
# 32-bit programs (tools/runs-32bit.sh). Where it cannot, only the programs are
# built, and the tests' stage says it is skipped and why, in the table too.
test-group-win32:
	@if tools/runs-32bit.sh >/dev/null; then \
	  $(call timed,build win32,nice $(MAKE) --no-print-directory windows-x86); \
	else \
	  $(call timed,build win32 programs,nice $(MAKE) --no-print-directory windows-x86-programs); \
	fi
	@if why=$$(tools/runs-32bit.sh); then \
	  $(call timed,win32 tests,$(MAKE) --no-print-directory test-windows-x86); \
	else \
	  echo "SKIPPED: the 32-bit tests: $$why"; \
	  $(if $(DRY_RUN),:,echo "win32 tests|0|skipped: $$why" >> $(STAGE_TIMES)); \
	fi

test-group-host:
	@$(call timed,build host,nice $(MAKE) --no-print-directory host)
	@$(call timed,host tests,$(MAKE) --no-print-directory test-host)
	@$(call timed,fuzz smoke,nice $(MAKE) --no-print-directory fuzz-smoke)

test-host:
	@cd $(HOST_BUILD) && ctest --output-on-failure -j2 --timeout 300

# Windows tests share one display and one persistent wine server.
test-windows:
	@$(XVFB) tools/with-wine-session.sh \
	  ctest --test-dir $(WIN_BUILD) --output-on-failure -j2 --timeout 600

# make run as a new user runs it without a display, read from what it prints
# (and without the flags of this make, whose job server it cannot reach).
test-make-run:
	@MAKEFLAGS= tests/make/run_selftest.sh $(ROOT)

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
