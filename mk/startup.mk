# Start-up measurement. Included by the top-level Makefile (ROOT, XVFB and deps
# come from it).
#   make startup   start-up time, peak memory and size of the program under
#                  Wine against minimal Win32 programs

STARTUP_PACKAGES := time
STARTUP_BUILD := $(ROOT)/build/startup-win
STARTUP_RUNS ?= 20

.PHONY: startup

startup: deps
	@tools/ensure-packages.sh $(STARTUP_PACKAGES)
	@tools/wine-prefix.sh >/dev/null
	@$(XVFB) python3 tools/startup-bench.py --build $(STARTUP_BUILD) --runs $(STARTUP_RUNS)
