#include "keyboard.h"

int32_t key_command(const KeyPress& press) {
    for (const KeyCommand& binding : kKeyCommands) {
        if (binding.key != press.key) continue;
        if (!binding.control) return press.at_main_window ? 0 : binding.command_id;
        const bool pressed = press.control && !press.shift && !press.alt && !press.repeated;
        return pressed ? binding.command_id : 0;
    }
    return 0;
}

KeyAction key_action(const KeyPress& press) {
    if (key_command(press) != 0) return KeyAction::command;
    if (press.alt) return KeyAction::none;
    if (press.key == kKeyTab && !press.control) {
        return press.shift ? KeyAction::focus_previous : KeyAction::focus_next;
    }
    return KeyAction::none;
}

int32_t focus_order(int32_t input_count, FocusStop* stops, int32_t capacity) {
    const int32_t inputs =
        input_count < 0 ? 0 : input_count > kMaxToolInputs ? kMaxToolInputs : input_count;
    int32_t count = 0;
    auto add = [&](int32_t id, bool selects_text) {
        if (count < capacity) stops[count++] = FocusStop{id, selects_text};
    };
    for (int32_t i = 0; i < inputs; ++i) add(kFirstInputEditId + i, true);
    for (const ControlSpec& spec : kPanelControls) {
        if (spec.role == ControlRole::button) add(spec.id, false);
    }
    add(kResultEditId, true);
    return count;
}

const FocusStop* next_focus_stop(const FocusStop* stops, int32_t count, int32_t current_id,
                                 bool backwards) {
    if (count <= 0) return nullptr;
    for (int32_t i = 0; i < count; ++i) {
        if (stops[i].id != current_id) continue;
        return &stops[backwards ? (i + count - 1) % count : (i + 1) % count];
    }
    return &stops[backwards ? count - 1 : 0];
}
