# Custom reports: the program built with a custom-report test tool chosen at
# configure time (KINETORA_TOOL_SOURCE), its self-test compared under Wine.
#   make test-reports-tool-source [REPORTS_TOOL=dosing_bars]
REPORTS_TOOL ?= kind6_level3
REPORTS_TOOL_BUILD := $(ROOT)/build/reports-tool-source

.PHONY: test-reports-tool-source
test-reports-tool-source: deps wine-prefix
	@cmake --preset windows -B $(REPORTS_TOOL_BUILD) \
	  -DKINETORA_TOOL_SOURCE=$(ROOT)/tests/e2e_reports/tools/$(REPORTS_TOOL).cpp >/dev/null
	@cmake --build $(REPORTS_TOOL_BUILD) -j2 --target kinetora
	@cd $(REPORTS_TOOL_BUILD) && ctest -R 'e2e_reports\.configured_tool$$' --output-on-failure
