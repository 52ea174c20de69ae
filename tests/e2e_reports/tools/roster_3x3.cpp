// The program of this end-to-end case carries the three-nurse roster tool (kind 1).
#include "e2e_tools.h"

const ToolDef& get_tool_definition() { return e2e_small_roster_tool(); }
