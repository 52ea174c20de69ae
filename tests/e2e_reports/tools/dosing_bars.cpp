// The program of this end-to-end case carries the dosing timetable tool (kind 2).
#include "e2e_tools.h"

const ToolDef& get_tool_definition() { return e2e_dosing_tool(); }
