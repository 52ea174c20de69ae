// The window commands: calculate, save, copy, reset and About. Texts come from
// command_text.h, the reading of the input fields from input_field.h, the
// result from the engine's ToolResult, the save itself from the record store.
// Here they only meet the controls, message boxes, status line and clipboard.
#include "commands.h"

#include "../engine/tool_result.h"
#include "../engine/wide_text.h"
#include "app_state.h"
#include "clipboard.h"
#include "command_text.h"
#include "input_field.h"
#include "print/print_command.h"
#include "window_layout.h"
#include "../records/record_store.h"

static_assert(kSaveIconInformation == MB_ICONINFORMATION && kSaveIconWarning == MB_ICONWARNING,
              "save outcome icons are message box styles");

void show_message(const wchar_t* text, const wchar_t* caption, uint32_t icon) {
    MessageBoxW(app_state.main_window, text, caption, MB_OK | icon);
}

// Sets status_text and repaints the window (without erasing) so the footer shows it.
void show_status(const wchar_t* text) {
    wtext_copy(app_state.status_text, kStatusCapacity, text);
    InvalidateRect(app_state.main_window, nullptr, FALSE);
}

namespace {

void show_input_defaults() {
    app_state.filling_inputs = true;
    for (int32_t i = 0; i < clamped_input_count(*app_state.tool); ++i) {
        wchar_t text[kDefaultTextCapacity];
        format_default_value(app_state.tool->inputs[i].default_value, text, kDefaultTextCapacity);
        SetWindowTextW(app_state.input_edits[i], text);
    }
    app_state.filling_inputs = false;
}

// The report box and the verdict label as the record says: its report and
// verdict in the colour of its level when current, else an empty box and the
// hint in the level-0 colour.
void show_result() {
    const ToolResult& result = app_state.result;
    const bool current = result_is_current(result);
    SetWindowTextW(app_state.result_edit, current ? result.report : L"");
    SetWindowTextW(app_state.verdict_label, current ? result.verdict : kVerdictHint);
    InvalidateRect(app_state.verdict_label, nullptr, TRUE);
}

// The record no longer belongs to the fields: no result on screen, and
// `status`. Save, copy and print then ask for a calculation first.
void show_stale_result(const wchar_t* status) {
    if (result_is_current(app_state.result)) {
        app_state.result.state = ResultState::stale;
        show_result();
    }
    show_status(status);
}

// Every command a button or a key runs, by control id.
struct CommandEntry {
    int32_t id;
    void (*run)();
};

const CommandEntry kCommands[] = {
    {kCalculateId, on_calculate},
    {kSaveId, on_save_record},
    {kCopyId, on_copy_result},
    {kResetId, on_reset_inputs},
    {kAboutId, on_about},
    {kPrintId, on_print},
};

}  // namespace

bool run_command(int32_t id) {
    for (const CommandEntry& command : kCommands) {
        if (command.id != id) continue;
        command.run();
        return true;
    }
    return false;
}

void on_calculate() {
    const ToolDef& tool = *app_state.tool;
    const int32_t input_count = clamped_input_count(tool);

    // Every field is read into a scratch first: the record changes only when
    // all of them pass. A field that is not read whole stops the calculation,
    // and the last result leaves the screen before the message shows: nothing
    // on screen, in a save, on paper or on the clipboard may pair it with
    // fields that no longer hold its inputs.
    double values[kMaxToolInputs] = {};
    for (int32_t i = 0; i < input_count; ++i) {
        wchar_t text[kFieldReadCapacity];
        text[0] = 0;
        GetWindowTextW(app_state.input_edits[i], text, kFieldReadCapacity);
        if (!read_input_value(tool.inputs[i], text, &values[i])) {
            show_stale_result(kInputChangedStatus);
            wchar_t message[kInputErrorCapacity];
            build_input_error_message(tool, i, message, kInputErrorCapacity);
            show_message(message, kInputErrorCaption, MB_ICONWARNING);
            // The bad text selected: what the user types next replaces it.
            SetFocus(app_state.input_edits[i]);
            SendMessageW(app_state.input_edits[i], EM_SETSEL, 0, -1);
            return;
        }
    }

    evaluate_tool(tool, values, &app_state.result);
    show_result();
    InvalidateRect(app_state.main_window, nullptr, FALSE);

    wchar_t status[kStatusCapacity];
    build_calculate_status(tool, status, kStatusCapacity);
    show_status(status);
    SetFocus(app_state.main_window);
}

void on_save_record() {
    SaveOutcome outcome;
    save_record(*app_state.tool, app_state.result, &outcome);
    if (outcome.status != SaveStatus::no_result) show_status(outcome.status_text);
    show_message(outcome.message, outcome.caption, outcome.icon);
}

void on_copy_result() {
    if (!result_is_current(app_state.result)) {
        show_message(kCopyNeedsResult, kNoticeCaption, MB_ICONINFORMATION);
        return;
    }
    // The status claims the copy only when the clipboard took the text, says
    // when the report in it ends in the cut marker, and when a grid's cells
    // could not go with it.
    const CopyOutcome outcome = place_clipboard_text(
        system_clipboard_ops(), app_state.main_window, *app_state.tool, app_state.result);
    if (outcome == CopyOutcome::not_copied) return;
    show_status(outcome == CopyOutcome::text_only             ? kCopiedTextOnlyStatus
                : has_cut_marker(app_state.result.report) ? kCopiedCutStatus
                                                          : kCopiedStatus);
}

void on_reset_inputs() {
    show_input_defaults();
    app_state.result.state = ResultState::none;
    show_result();
    const wchar_t* note = app_state.tool->note;
    SetWindowTextW(app_state.note_label, note ? note : L"");
    wtext_copy(app_state.status_text, kStatusCapacity, kResetStatus);
    InvalidateRect(app_state.main_window, nullptr, FALSE);
}

void on_input_changed() {
    if (app_state.filling_inputs) return;
    show_stale_result(kInputChangedStatus);
}

void on_about() {
    wchar_t text[kAboutCapacity];
    build_about_text(*app_state.tool, text, kAboutCapacity);
    show_message(text, kAboutCaption, MB_ICONINFORMATION);
}
