# Portable program logic: reachable from the host tests.
set(APP_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selftest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_end.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_store.cpp
)
# The record store's file operations and folder query, per platform.
if(WIN32)
  list(APPEND APP_PORTABLE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_win32.cpp)
else()
  list(APPEND APP_PORTABLE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_posix.cpp)
endif()
# The Win32 layer of the program (window, commands, resources); Windows only.
set(APP_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard.cpp
)
# Icon, version information and manifest of the program.
set(APP_WIN32_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/resources/kinetora.rc
)
