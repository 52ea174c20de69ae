# Coverage. Included by the top-level Makefile (ROOT and deps come from it).
#   make coverage   line and branch coverage of the host suite (gcovr)

COVERAGE_PACKAGES := gcovr
COVERAGE_BUILD := $(ROOT)/build/coverage

.PHONY: coverage coverage-deps

coverage-deps: deps
	@tools/ensure-packages.sh $(COVERAGE_PACKAGES)

# Its own build directory: instrumented with gcov, without sanitizers.
coverage: coverage-deps
	@tools/coverage.sh $(COVERAGE_BUILD)
