# kinetora_add_program(<target> <tool source> [OUTPUT_NAME name])
# A Windows GUI program carrying the given tool definition: the one way every
# program is made, the suite's and the tests'. Its resources (icon, version,
# manifest) name its own file.
function(kinetora_add_program target tool_source)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "OUTPUT_NAME" "" ${ARGN})
  set(file_name ${target})
  if(ARG_OUTPUT_NAME)
    set(file_name ${ARG_OUTPUT_NAME})
  endif()
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  file(CONFIGURE OUTPUT ${resources} CONTENT
"// Generated when configuring: the resources of ${file_name}.exe.
#define KINETORA_PROGRAM_FILE \"${file_name}.exe\"
#include \"kinetora.rc\"
")
  set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS
    "${PROGRAM_RESOURCE_SCRIPT};${PROGRAM_RESOURCE_DIR}/kinetora.ico;${PROGRAM_RESOURCE_DIR}/kinetora.manifest;${PROGRAM_RESOURCE_DIR}/version_info.h")
  add_executable(${target} WIN32 $<TARGET_OBJECTS:kinetora_entry> $<TARGET_OBJECTS:kinetora_window>
                 ${tool_source} ${resources})
  # The resource script, its icon, manifest and version_info.h are found here.
  target_include_directories(${target} PRIVATE ${PROGRAM_RESOURCE_DIR})
  target_link_libraries(${target} PRIVATE kinetora_core ${KINETORA_DELAYLOAD_LIBS}
                        comctl32 shell32 user32 gdi32 comdlg32)
  kinetora_product_options(${target})
  if(MINGW)
    add_dependencies(${target} kinetora_delayload)
    target_link_options(${target} PRIVATE -municode -mwindows ${KINETORA_DELAYLOAD_LINK_OPTIONS})
  elseif(MSVC)
    target_link_libraries(${target} PRIVATE delayimp)
    foreach(dll ${KINETORA_DELAYLOAD_DLLS})
      target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
    endforeach()
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${file_name})
endfunction()

