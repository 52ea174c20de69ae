# The program itself: its command line and its headless self-test, portable.
set(APP_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selftest.cpp
)
# The entry point, which opens the window or runs the self-test; Windows only.
set(APP_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
)
