// Custom report dispatch: the generator of each kind, or the placeholder.
#include "../engine/wide_text.h"
#include "custom_reports.h"

namespace {

// Kind n is served by entry n - 1.
ReportGenerator* const kGenerators[] = {
    build_roster_report,            //  1 nurse duty roster
    build_dosing_schedule_report,   //  2 dosing timetable
    build_blood_draw_order_report,  //  3 blood-draw order
    build_critical_values_report,   //  4 critical values
    build_high_alert_drugs_report,  //  5 high-alert drugs
    build_compatibility_report,     //  6 drug compatibility
    build_follow_up_report,         //  7 follow-up plan
    build_safety_checklist_report,  //  8 surgical safety checklist
    build_handover_report,          //  9 handover template
    build_infusion_card_report,     // 10 infusion card
    build_lab_panels_report,        // 11 laboratory panels
};
constexpr int32_t kKindCount = static_cast<int32_t>(sizeof kGenerators / sizeof kGenerators[0]);

const wchar_t kPlaceholderReport[] = L"（该工具暂无自定义报告）";
const wchar_t kPlaceholderVerdict[] = L"暂无报告内容";

}  // namespace

int32_t build_custom_report(int32_t kind, const ToolDef& tool, const double* input_values,
                            wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                            int32_t verdict_capacity) {
    if (report_capacity >= 1) report[0] = 0;
    if (verdict_capacity >= 1) verdict[0] = 0;
    if (kind >= 1 && kind <= kKindCount) {
        return kGenerators[kind - 1](tool, input_values, report, report_capacity, verdict,
                                     verdict_capacity);
    }
    wtext_copy(report, report_capacity, kPlaceholderReport);
    wtext_copy(verdict, verdict_capacity, kPlaceholderVerdict);
    return 0;
}

int32_t build_custom_report_grid(int32_t kind, const ToolDef& tool, const double* input_values,
                                 wchar_t* csv, int32_t capacity) {
    if (capacity >= 1) csv[0] = 0;
    if (kind == 1) return build_roster_grid_csv(tool, input_values, csv, capacity);
    return 0;
}
