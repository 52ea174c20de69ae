# Icon, version information and manifest of every program; the resource
# script includes the others from this folder.
set(PROGRAM_RESOURCE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/kinetora.rc)
set(PROGRAM_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
