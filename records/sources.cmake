# The record store: the record's CSV text, the reading of a file's torn end and
# the save, all portable, with the file operations and folder query of each
# platform.
set(RECORD_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/record_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_end.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_store.cpp
)
if(WIN32)
  list(APPEND RECORD_SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_win32.cpp)
else()
  list(APPEND RECORD_SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_posix.cpp)
endif()
