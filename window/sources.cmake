# The window's portable part: layout and paint tables, texts, input fields;
# reachable from the host tests.
set(WINDOW_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/window_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print/print_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print/print_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard.cpp
)
# The window's Win32 layer (window, commands, clipboard); Windows only.
set(WINDOW_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print/print_gdi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print/print_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display.cpp
)
