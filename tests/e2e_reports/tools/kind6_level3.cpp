// The program of this end-to-end case carries the drug compatibility tool (kind 6, level 3).
#include "e2e_tools.h"

const ToolDef& get_tool_definition() { return e2e_compatibility_tool(); }
