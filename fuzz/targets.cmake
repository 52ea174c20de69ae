# The libFuzzer targets, one source file fuzz/<target>.cpp each. Built by
# fuzz/CMakeLists.txt and replayed over their committed inputs as unit tests
# by tests/alloc/CMakeLists.txt.
set(KINETORA_FUZZ_TARGETS
  fuzz_formula
  fuzz_compute_tool
  fuzz_reports
  fuzz_format
  fuzz_command_line
  fuzz_wide_text
  fuzz_record_line
  fuzz_input_field
  fuzz_print_layout
)
