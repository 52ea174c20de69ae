// Custom report dispatch: the generator of each kind, or the placeholder.
#include "../engine/wide_text.h"
#include "compat_drugs.h"
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

constexpr wchar_t kChoiceSeparator[] = L"\r\n";
constexpr int32_t kChoiceScratch = 128;

// Appends "\r\n" before every choice but the first; false when out runs full.
bool append_choice_item(wchar_t* out, int32_t capacity, const wchar_t* item, int32_t length) {
    const int32_t before = wtext_length(out);
    const int32_t separator = before > 0 ? 2 : 0;
    if (before + separator + length > capacity - 1) return false;
    if (separator > 0) wtext_append(out, capacity, kChoiceSeparator);
    wtext_append_n(out, capacity, item, length);
    return true;
}

// True when text[0..length) begins with the decimal digits of `value` and a blank.
bool begins_with_number(const wchar_t* text, int32_t length, int32_t value) {
    wchar_t digits[16];
    const int32_t count = wtext_format(digits, 16, L"%d ", value);
    if (count <= 0 || count > length) return false;
    for (int32_t i = 0; i < count; ++i) {
        if (text[i] != digits[i]) return false;
    }
    return true;
}

// The choices of a table, read from its line of valid numbers: after its first
// "：", items parted by "，" up to "。", item k naming row k's value. A line
// that does not name every row so, in order, gives no list: never one that
// pairs a number with the wrong name.
bool append_table_choices(const ChoiceTable& table, wchar_t* out, int32_t capacity) {
    const wchar_t* text = table.valid_numbers;
    while (*text != 0 && *text != L'：') ++text;
    if (*text == 0) return false;
    ++text;
    int32_t row = 0;
    while (*text != 0 && *text != L'。') {
        int32_t length = 0;
        while (text[length] != 0 && text[length] != L'，' && text[length] != L'。') ++length;
        if (row >= table.row_count || !begins_with_number(text, length, table.rows[row].value) ||
            !append_choice_item(out, capacity, text, length)) {
            return false;
        }
        ++row;
        text += length;
        if (*text == L'，') ++text;
    }
    return row == table.row_count;
}

bool append_drug_choices(wchar_t* out, int32_t capacity) {
    for (int32_t n = 1; n <= kCompatDrugCount; ++n) {
        wchar_t item[kChoiceScratch];
        const int32_t length =
            wtext_format(item, kChoiceScratch, L"%d %ls", n, kCompatDrugNames[n - 1]);
        if (length < 0 || !append_choice_item(out, capacity, item, length)) return false;
    }
    return true;
}

}  // namespace

int32_t build_custom_report_choices(int32_t kind, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return 0;
    out[0] = 0;
    const ChoiceTable* table = reference_choice_table(kind);
    if (table == nullptr) table = lookup_choice_table(kind);
    const bool listed = table != nullptr   ? append_table_choices(*table, out, capacity)
                        : kind == 6        ? append_drug_choices(out, capacity)
                                           : false;
    if (!listed) {
        out[0] = 0;
        return 0;
    }
    return wtext_length(out);
}

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
