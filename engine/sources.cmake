set(ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/checked.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wide_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_break.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_language.cpp
  ${CMAKE_CURRENT_LIST_DIR}/portable_math.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calendar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_value.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_result.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compute_tool.cpp
)
# portable_math.cpp gives the same bits on every build only if each double
# operation is rounded on its own: no fused multiply-add.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/portable_math.cpp PROPERTIES
                              COMPILE_OPTIONS -ffp-contract=off)
endif()
