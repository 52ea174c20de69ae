// The program of this end-to-end case carries the tool of an unknown report kind (12).
#include "e2e_tools.h"

const ToolDef& get_tool_definition() { return e2e_placeholder_tool(); }
