set(ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/checked.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wide_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_language.cpp
  ${CMAKE_CURRENT_LIST_DIR}/evaluate.cpp
)
