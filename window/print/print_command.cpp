#include "print_command.h"

#include "../app_state.h"
#include "../commands.h"
#include "print_gdi.h"

void on_print() {
    wchar_t computer[kComputerNameCapacity];
    DWORD computer_units = kComputerNameCapacity;
    if (!GetComputerNameW(computer, &computer_units)) computer[0] = 0;

    static PrintToolTexts texts;
    static PrintOutcome outcome;
    PrintDocument document;
    make_print_document(*app_state.tool, app_state.result, local_time_now(), computer, &texts,
                        &document);
    print_document(system_print_ops(app_state.main_window), document, app_state.tool->name,
                   &outcome);
    if (outcome.status_text[0] != 0) show_status(outcome.status_text);
    if (outcome.message[0] != 0) {
        show_message(outcome.message, outcome.caption,
                     outcome.warning ? MB_ICONWARNING : MB_ICONINFORMATION);
    }
}
