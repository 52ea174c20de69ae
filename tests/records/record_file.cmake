# The record file read back by real CSV readers (Python's csv module and
# LibreOffice Calc) after the record store wrote to it: two copies of a small
# program appending at the same moment, files that ended in a torn record, and
# a record holding the longest report of the window.
find_package(Python3 COMPONENTS Interpreter REQUIRED)

add_executable(record_append record_append.cpp ${CMAKE_SOURCE_DIR}/catalogue/t030_half_life.cpp)
target_link_libraries(record_append PRIVATE kinetora_core)
if(MINGW)
  target_link_options(record_append PRIVATE -municode)
endif()

if(CMAKE_CROSSCOMPILING)
  set(record_append_command ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:record_append>)
  set(record_append_prefix win.record_file)
  set(record_append_labels "windows;record")
else()
  set(record_append_command $<TARGET_FILE:record_append>)
  set(record_append_prefix record_file)
  set(record_append_labels "host;record")
endif()
foreach(check race torn long)
  add_test(NAME ${record_append_prefix}.${check}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/check_record_file.py
                   ${check} ${CMAKE_CURRENT_BINARY_DIR}/${check} ${record_append_command})
  set_tests_properties(${record_append_prefix}.${check} PROPERTIES
                       LABELS "${record_append_labels}" TIMEOUT 300)
endforeach()
