// Custom report dispatch, line appending and input lookup shared by every report.
#include <cstdarg>
#include <cstring>

#include "../engine/checked.h"
#include "../engine/wide_text.h"
#include "custom_reports.h"

namespace {

// Every report line is formatted into a scratch of this size: 511 units of text
// and the terminator.
constexpr int32_t kLineScratch = 512;

using ReportGenerator = int32_t (*)(const ToolDef& tool, const double* input_values,
                                    wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                    int32_t verdict_capacity);

// Kind n is served by entry n - 1.
const ReportGenerator kGenerators[] = {
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

// Appends a finished scratch line and its CR LF under the bounded append rule:
// whatever part of the line fits stays, then as much of CR LF as still fits.
void append_scratch_line(wchar_t* buffer, int32_t capacity, const wchar_t* scratch) {
    wtext_append(buffer, capacity, scratch);
    wtext_append(buffer, capacity, L"\r\n");
}

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

void append_line(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...) {
    wchar_t scratch[kLineScratch];
    va_list args;
    va_start(args, format);
    wtext_vformat(scratch, kLineScratch, format, args);  // a longer line is cut at 511
    va_end(args);
    append_scratch_line(buffer, capacity, scratch);
}

void append_text_line(wchar_t* buffer, int32_t capacity, const wchar_t* line) {
    wchar_t scratch[kLineScratch];
    wtext_copy(scratch, kLineScratch, line);
    append_scratch_line(buffer, capacity, scratch);
}

bool find_input_value(const ToolDef& tool, const double* input_values, const char* key,
                      double* value) {
    if (tool.inputs == nullptr || input_values == nullptr || key == nullptr) return false;
    for (int32_t i = 0; i < clamped_input_count(tool); ++i) {
        const char* input_key = tool.inputs[i].key;
        if (input_key != nullptr && std::strcmp(input_key, key) == 0) {
            *value = input_values[i];
            return true;
        }
    }
    return false;
}

int32_t find_whole_input(const ToolDef& tool, const double* input_values, const char* key) {
    double value = 0.0;
    find_input_value(tool, input_values, key, &value);
    return whole_number_from_double(value);
}

const ChoiceRow& choose_row(const ChoiceRow* rows, int32_t row_count, int32_t value) {
    for (int32_t i = 0; i + 1 < row_count; ++i) {
        if (rows[i].value == value) return rows[i];
    }
    return rows[row_count - 1];
}

void append_choice_lines(wchar_t* buffer, int32_t capacity, const ChoiceRow& row) {
    for (int32_t i = 0; i < kMaxChoiceLines && row.lines[i] != nullptr; ++i) {
        append_text_line(buffer, capacity, row.lines[i]);
    }
}
