// Tool definitions with custom report kinds, one per source file, carried by the
// end-to-end test programs and checked by the host tests against the same
// expected files.
#pragma once

#include "engine/tool_def.h"

const ToolDef& e2e_compatibility_tool();  // kind 6, drugs 2 and 1: level 3
const ToolDef& e2e_small_roster_tool();   // kind 1, 3 nurses over 3 days
const ToolDef& e2e_full_roster_tool();    // kind 1, 40 nurses over 31 days
const ToolDef& e2e_placeholder_tool();    // kind 12: no such report
const ToolDef& e2e_high_alert_tool();     // kind 5, group 1 with its percent signs
const ToolDef& e2e_dosing_tool();         // kind 2, three doses
const ToolDef& e2e_card_flags_tool();     // kind 10, blank bed and two values to check: level 1
const ToolDef& e2e_continued_roster_tool();  // kind 1, 4 nurses over 10 days from start 1
const ToolDef& e2e_vitamin_c_tool();         // kind 6, drugs 7 and 9: level 3
const ToolDef& e2e_ambroxol_tool();          // kind 6, drugs 1 and 5: level 2
const ToolDef& e2e_y_site_tool();            // kind 6, drugs 3 and 4: level 2
const ToolDef& e2e_unlisted_pair_tool();     // kind 6, drugs 2 and 3, not on record: level 1
const ToolDef& e2e_two_nurse_roster_tool();  // kind 1, 2 nurses: refused
const ToolDef& e2e_fraction_roster_tool();   // kind 1, 2.5 nurses: refused
const ToolDef& e2e_past_follow_up_tool();    // kind 7, first visit 30 days ago: refused
