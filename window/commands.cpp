// The window commands: calculate, save, copy, reset and About. Texts come from
// command_text.h, the reading of the input fields from input_field.h, the save
// itself from the record store. Here they only meet the controls, message boxes,
// status line and clipboard.
#include "commands.h"

#include "../engine/compute_tool.h"
#include "../engine/wide_text.h"
#include "app_state.h"
#include "clipboard.h"
#include "command_text.h"
#include "input_field.h"
#include "../records/record_store.h"

static_assert(kSaveIconInformation == MB_ICONINFORMATION && kSaveIconWarning == MB_ICONWARNING,
              "save outcome icons are message box styles");
static_assert(kRecordReportUnits == kDetailCapacity - 1,
              "a record holds the whole report the window shows");

namespace {

void show_message(const wchar_t* text, const wchar_t* caption, UINT icon) {
    MessageBoxW(app_state.main_window, text, caption, MB_OK | icon);
}

// Sets status_text and repaints the window (without erasing) so the footer shows it.
void show_status(const wchar_t* text) {
    wtext_copy(app_state.status_text, kStatusCapacity, text);
    InvalidateRect(app_state.main_window, nullptr, FALSE);
}

void show_input_defaults() {
    app_state.filling_inputs = true;
    for (int32_t i = 0; i < clamped_input_count(*app_state.tool); ++i) {
        wchar_t text[kDefaultTextCapacity];
        format_default_value(app_state.tool->inputs[i].default_value, text, kDefaultTextCapacity);
        SetWindowTextW(app_state.input_edits[i], text);
    }
    app_state.filling_inputs = false;
}

// The no-result state: no report, the hint in the level-0 colour, and `status`.
// Save and copy then ask for a calculation first.
void show_no_result(const wchar_t* status) {
    app_state.detail_text[0] = 0;
    app_state.summary_text[0] = 0;
    app_state.level = 0;
    SetWindowTextW(app_state.result_edit, L"");
    SetWindowTextW(app_state.verdict_label, kVerdictHint);
    InvalidateRect(app_state.verdict_label, nullptr, TRUE);
    show_status(status);
}

}  // namespace

void on_calculate() {
    const ToolDef& tool = *app_state.tool;
    const int32_t input_count = clamped_input_count(tool);

    // Every field is read into a scratch first: input_values changes only when
    // all of them pass, so it always belongs to the report in detail_text. A
    // field that is not read whole stops the calculation, and the last result
    // leaves the screen before the message shows: nothing on screen, in a save
    // or on the clipboard may pair it with fields that no longer hold its inputs.
    double values[kMaxToolInputs] = {};
    for (int32_t i = 0; i < input_count; ++i) {
        wchar_t text[kFieldReadCapacity];
        text[0] = 0;
        GetWindowTextW(app_state.input_edits[i], text, kFieldReadCapacity);
        if (!read_input_value(tool.inputs[i], text, &values[i])) {
            show_no_result(kInputChangedStatus);
            wchar_t message[kInputErrorCapacity];
            build_input_error_message(tool, i, message, kInputErrorCapacity);
            show_message(message, kInputErrorCaption, MB_ICONWARNING);
            // The bad text selected: what the user types next replaces it.
            SetFocus(app_state.input_edits[i]);
            SendMessageW(app_state.input_edits[i], EM_SETSEL, 0, -1);
            return;
        }
    }
    for (int32_t i = 0; i < input_count; ++i) app_state.input_values[i] = values[i];

    static wchar_t report[kReportCapacity];  // 16 KiB: off the stack
    wchar_t verdict[kVerdictCapacity];
    compute_tool(tool, app_state.input_values, report, kReportCapacity, verdict, kVerdictCapacity,
                 &app_state.level, app_state.detail_text, kDetailCapacity);

    // Whatever had to be cut says so, on screen, in the record and on the clipboard.
    mark_cut_text(report, kReportCapacity);
    mark_cut_text(app_state.detail_text, kDetailCapacity);
    app_state.summary_text[0] = 0;
    SetWindowTextW(app_state.result_edit, report);
    SetWindowTextW(app_state.verdict_label, verdict);
    build_summary(tool, report, verdict, app_state.summary_text, kSummaryCapacity);
    mark_cut_text(app_state.summary_text, kSummaryCapacity);
    InvalidateRect(app_state.verdict_label, nullptr, TRUE);
    InvalidateRect(app_state.main_window, nullptr, FALSE);

    wchar_t status[kStatusCapacity];
    build_calculate_status(tool, status, kStatusCapacity);
    show_status(status);
    SetFocus(app_state.main_window);
}

void on_save_record() {
    SaveOutcome outcome;
    save_record(*app_state.tool, app_state.input_values, app_state.detail_text, &outcome);
    if (outcome.status != SaveStatus::no_result) show_status(outcome.status_text);
    show_message(outcome.message, outcome.caption, outcome.icon);
}

void on_copy_result() {
    if (app_state.detail_text[0] == 0) {
        show_message(kCopyNeedsResult, kNoticeCaption, MB_ICONINFORMATION);
        return;
    }
    // The status claims the copy only when the clipboard took the text, and
    // says when that text ends in the cut marker.
    if (place_clipboard_text(system_clipboard_ops(), app_state.main_window, *app_state.tool,
                             app_state.summary_text)) {
        show_status(has_cut_marker(app_state.summary_text) ? kCopiedCutStatus : kCopiedStatus);
    }
}

void on_reset_inputs() {
    show_input_defaults();
    const wchar_t* note = app_state.tool->note;
    SetWindowTextW(app_state.result_edit, L"");
    SetWindowTextW(app_state.verdict_label, kVerdictHint);
    SetWindowTextW(app_state.note_label, note ? note : L"");
    wtext_copy(app_state.status_text, kStatusCapacity, kResetStatus);
    app_state.detail_text[0] = 0;
    app_state.level = 0;
    InvalidateRect(app_state.main_window, nullptr, FALSE);
}

void on_input_changed() {
    if (app_state.filling_inputs) return;
    // Already without a result, only the status line may have to change.
    if (app_state.detail_text[0] != 0) {
        show_no_result(kInputChangedStatus);
    } else {
        show_status(kInputChangedStatus);
    }
}

void on_about() {
    wchar_t text[kAboutCapacity];
    build_about_text(*app_state.tool, text, kAboutCapacity);
    show_message(text, kAboutCaption, MB_ICONINFORMATION);
}
