set(REPORT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_inputs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reference_sheets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lookup_reports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scheduling_reports.cpp
)
