// The main window's keyboard: what each key does, and the order Tab follows.
#include <gtest/gtest.h>

#include <vector>

#include "window/keyboard.h"

namespace {

// The buttons' ids in the order of the panel table, the one list of buttons.
std::vector<int32_t> button_ids() {
    std::vector<int32_t> ids;
    for (const ControlSpec& spec : kPanelControls) {
        if (spec.role == ControlRole::button) ids.push_back(spec.id);
    }
    return ids;
}

}  // namespace

TEST(Keyboard, KeysAndTheirCommands) {
    struct Row {
        KeyPress press;  // key, Ctrl, Shift, Alt, aimed at the main window itself, repeat
        KeyAction action;
        int32_t command;  // the command id it runs, 0: none
    };
    const Row rows[] = {
        {{kKeyReturn, false, false, false, false}, KeyAction::command, kCalculateId},
        {{kKeyF5, false, false, false, false}, KeyAction::command, kCalculateId},
        {{kKeyF5, true, true, false, false}, KeyAction::command, kCalculateId},
        // Right after a calculation the main window has the focus: Enter and
        // F5 do nothing there.
        {{kKeyReturn, false, false, false, true}, KeyAction::none},
        {{kKeyF5, false, false, false, true}, KeyAction::none},
        {{kKeyTab, false, false, false, false}, KeyAction::focus_next},
        {{kKeyTab, false, true, false, false}, KeyAction::focus_previous},
        {{kKeyTab, false, false, false, true}, KeyAction::focus_next},
        {{kKeyTab, false, true, false, true}, KeyAction::focus_previous},
        {{kKeyTab, true, false, false, false}, KeyAction::none},
        {{kKeyS, true, false, false, false}, KeyAction::command, kSaveId},
        {{kKeyS, true, false, false, true}, KeyAction::command, kSaveId},
        // Held down: one save, not one per repeat. Tab repeats as usual.
        {{kKeyS, true, false, false, false, true}, KeyAction::none},
        {{kKeyTab, false, false, false, false, true}, KeyAction::focus_next},
        // S typed, Ctrl+Shift+S, and AltGr+S (Ctrl+Alt) are no save.
        {{kKeyS, false, false, false, false}, KeyAction::none},
        {{kKeyS, false, true, false, false}, KeyAction::none},
        {{kKeyS, true, true, false, false}, KeyAction::none},
        {{kKeyS, true, false, true, false}, KeyAction::none},
        {{kKeyP, true, false, false, false}, KeyAction::command, kPrintId},
        {{kKeyP, true, false, false, true}, KeyAction::command, kPrintId},
        {{kKeyP, true, false, false, false, true}, KeyAction::none},
        {{kKeyP, false, false, false, false}, KeyAction::none},
        {{kKeyP, true, false, true, false}, KeyAction::none},
        {{0x41, true, false, false, false}, KeyAction::none},  // Ctrl+A selects in the field
    };
    for (const Row& row : rows) {
        EXPECT_EQ(key_command(row.press), row.command)
            << "key " << row.press.key << " ctrl " << row.press.control << " main "
            << row.press.at_main_window;
        EXPECT_EQ(key_action(row.press), row.action)
            << "key " << row.press.key << " ctrl " << row.press.control << " shift "
            << row.press.shift << " alt " << row.press.alt << " main " << row.press.at_main_window;
    }
}

TEST(Keyboard, FocusOrderIsInputsButtonsThenReport) {
    struct Row {
        int32_t input_count;
        std::vector<int32_t> ids;
    };
    std::vector<int32_t> tail = button_ids();
    ASSERT_GE(tail.size(), 5u);
    EXPECT_EQ(tail[0], kCalculateId);
    tail.push_back(kResultEditId);
    auto with_inputs = [&](int32_t count) {
        std::vector<int32_t> ids;
        for (int32_t i = 0; i < count; ++i) ids.push_back(2000 + i);
        ids.insert(ids.end(), tail.begin(), tail.end());
        return ids;
    };
    const Row rows[] = {
        {5, with_inputs(5)},  {1, with_inputs(1)},   {0, tail},
        {16, with_inputs(16)}, {40, with_inputs(16)}, {-3, tail},
    };
    for (const Row& row : rows) {
        FocusStop stops[kFocusStopCapacity];
        const int32_t count = focus_order(row.input_count, stops, kFocusStopCapacity);
        std::vector<int32_t> ids;
        for (int32_t i = 0; i < count; ++i) {
            ids.push_back(stops[i].id);
            EXPECT_EQ(stops[i].selects_text, stops[i].id >= kFirstInputEditId) << stops[i].id;
        }
        EXPECT_EQ(ids, row.ids) << row.input_count << " inputs";
    }
    // Never more than the capacity given.
    FocusStop few[3];
    EXPECT_EQ(focus_order(5, few, 3), 3);
    EXPECT_EQ(few[2].id, 2002);
}

TEST(Keyboard, TabAndShiftTabWrapRound) {
    FocusStop stops[kFocusStopCapacity];
    const int32_t count = focus_order(2, stops, kFocusStopCapacity);
    const int32_t last_button = button_ids().back();
    struct Row {
        int32_t from;
        bool backwards;
        int32_t to;
    };
    const Row rows[] = {
        {2000, false, 2001}, {2001, false, 1001}, {last_button, false, 3000}, {3000, false, 2000},
        {2001, true, 2000},  {2000, true, 3000},  {1001, true, 2001},  {3000, true, last_button},
        // The main window itself, or anything else that is no stop.
        {0, false, 2000},    {0, true, 3000},     {4242, false, 2000},
    };
    for (const Row& row : rows) {
        const FocusStop* next = next_focus_stop(stops, count, row.from, row.backwards);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->id, row.to) << row.from << (row.backwards ? " Shift+Tab" : " Tab");
    }
    EXPECT_EQ(next_focus_stop(stops, 0, 2000, false), nullptr);
}
