#include "print_command.h"

#include "../../engine/wide_text.h"
#include "../app_state.h"
#include "print_gdi.h"

void on_print() {
    // The verdict label holds the verdict of the report in detail_text whenever
    // there is one: calculate sets both, and every way back to the no-result
    // state empties detail_text.
    wchar_t verdict[kVerdictCapacity];
    verdict[0] = 0;
    GetWindowTextW(app_state.verdict_label, verdict, kVerdictCapacity);
    wchar_t computer[kComputerNameCapacity];
    DWORD computer_units = kComputerNameCapacity;
    if (!GetComputerNameW(computer, &computer_units)) computer[0] = 0;

    static PrintToolTexts texts;
    static PrintOutcome outcome;
    PrintDocument document;
    make_print_document(*app_state.tool, app_state.detail_text, verdict, app_state.level,
                        local_time_now(), computer, &texts, &document);
    print_document(system_print_ops(app_state.main_window), document, app_state.tool->name,
                   &outcome);
    if (outcome.status_text[0] != 0) {
        wtext_copy(app_state.status_text, kStatusCapacity, outcome.status_text);
        InvalidateRect(app_state.main_window, nullptr, FALSE);
    }
    if (outcome.message[0] != 0) {
        MessageBoxW(app_state.main_window, outcome.message, outcome.caption,
                    MB_OK | (outcome.warning ? MB_ICONWARNING : MB_ICONINFORMATION));
    }
}
