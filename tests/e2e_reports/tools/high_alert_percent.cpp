// The program of this end-to-end case carries the high-alert drugs tool (kind 5, group 1).
#include "e2e_tools.h"

const ToolDef& get_tool_definition() { return e2e_high_alert_tool(); }
