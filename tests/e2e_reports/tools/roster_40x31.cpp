// The program of this end-to-end case carries the longest roster tool (kind 1, 40 nurses, 31 days).
#include "e2e_tools.h"

const ToolDef& get_tool_definition() { return e2e_full_roster_tool(); }
