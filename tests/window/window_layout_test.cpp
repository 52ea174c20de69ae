// The main window's constant tables: controls, paint steps, fonts, colours.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "window/window_layout.h"

namespace {

bool inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box control_box(const ControlSpec& spec, int32_t row_top) {
    return Box{spec.x, row_top + spec.y, spec.x + spec.width, row_top + spec.y + spec.height};
}

Box step_box(int32_t number, int32_t width = kClientWidth, int32_t height = kClientHeight) {
    return paint_step_box(kPaintSteps[number - 1], width, height);
}

std::string hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

}  // namespace

TEST(WindowLayout, ControlStylesHaveTheirWin32Values) {
    // The numeric styles each kind of control must end up with.
    struct Row {
        ControlRole role;
        uint32_t style;
        uint32_t ex_style;
    };
    const Row rows[] = {
        {ControlRole::input_label, 0x50000002u, 0},
        {ControlRole::input_edit, 0x50000080u, 0x200u},
        {ControlRole::unit_label, 0x50000000u, 0},
        {ControlRole::verdict_label, 0x50000000u, 0},
        {ControlRole::result_edit, 0x50200844u, 0x200u},
        {ControlRole::note_label, 0x50000000u, 0},
        {ControlRole::reference_label, 0x50000000u, 0},
        {ControlRole::button, 0x5000000Bu, 0},
    };
    int32_t checked = 0;
    auto check = [&](const ControlSpec& spec) {
        for (const Row& row : rows) {
            if (row.role != spec.role) continue;
            EXPECT_EQ(hex(spec.style), hex(row.style)) << static_cast<int>(spec.role);
            EXPECT_EQ(hex(spec.ex_style), hex(row.ex_style)) << static_cast<int>(spec.role);
            ++checked;
        }
    };
    for (const ControlSpec& spec : kInputRowControls) check(spec);
    for (const ControlSpec& spec : kPanelControls) check(spec);
    EXPECT_EQ(checked, kInputRowControlCount + kPanelControlCount);
}

TEST(WindowLayout, ControlsHaveTheirIdsClassesFontsAndTexts) {
    struct Row {
        ControlRole role;
        const wchar_t* class_name;
        int32_t id;
        FontId font;
        ControlText text;
        const wchar_t* caption;
    };
    const Row panel[] = {
        {ControlRole::verdict_label, L"STATIC", 0, kVerdictFont, ControlText::caption,
         L"填写左侧参数，点击“计算”"},
        {ControlRole::result_edit, L"EDIT", 3000, kReportFont, ControlText::empty, nullptr},
        {ControlRole::note_label, L"STATIC", 0, kSmallFont, ControlText::tool_note, nullptr},
        {ControlRole::reference_label, L"STATIC", 0, kSmallFont, ControlText::reference, nullptr},
        {ControlRole::button, L"BUTTON", 1001, kNoFont, ControlText::caption, L"计算 (F5)"},
        {ControlRole::button, L"BUTTON", 1002, kNoFont, ControlText::caption, L"保存记录"},
        {ControlRole::button, L"BUTTON", 1003, kNoFont, ControlText::caption, L"复制结果"},
        {ControlRole::button, L"BUTTON", 1004, kNoFont, ControlText::caption, L"清空重填"},
        {ControlRole::button, L"BUTTON", 1005, kNoFont, ControlText::caption, L"关于"},
        {ControlRole::button, L"BUTTON", 1006, kNoFont, ControlText::caption, L"打印"},
    };
    static_assert(sizeof panel / sizeof panel[0] == kPanelControlCount, "one row per control");
    for (int32_t i = 0; i < kPanelControlCount; ++i) {
        const ControlSpec& spec = kPanelControls[i];
        EXPECT_EQ(spec.role, panel[i].role) << i;
        EXPECT_EQ(std::wstring(spec.class_name), panel[i].class_name) << i;
        EXPECT_EQ(spec.id, panel[i].id) << i;
        EXPECT_EQ(spec.font, panel[i].font) << i;
        EXPECT_EQ(spec.text, panel[i].text) << i;
        if (panel[i].caption != nullptr) EXPECT_EQ(std::wstring(spec.caption), panel[i].caption);
    }

    const Row row[] = {
        {ControlRole::input_label, L"STATIC", 0, kLabelFont, ControlText::input_label, nullptr},
        {ControlRole::input_edit, L"EDIT", 2000, kEditFont, ControlText::input_default, nullptr},
        {ControlRole::unit_label, L"STATIC", 0, kSmallFont, ControlText::input_unit, nullptr},
    };
    for (int32_t i = 0; i < kInputRowControlCount; ++i) {
        EXPECT_EQ(kInputRowControls[i].role, row[i].role) << i;
        EXPECT_EQ(std::wstring(kInputRowControls[i].class_name), row[i].class_name) << i;
        EXPECT_EQ(kInputRowControls[i].id, row[i].id) << i;
        EXPECT_EQ(kInputRowControls[i].font, row[i].font) << i;
        EXPECT_EQ(kInputRowControls[i].text, row[i].text) << i;
    }
}

TEST(WindowLayout, InputRowsStepBy34FromRow150) {
    const int32_t rows[][2] = {{0, 150}, {1, 184}, {2, 218}, {15, 660}};
    for (const auto& row : rows) EXPECT_EQ(input_row_top(row[0]), row[1]) << row[0];

    // Row 0 of the built-in tool: label, edit and unit label side by side.
    const Box label = control_box(kInputRowControls[0], input_row_top(0));
    const Box edit = control_box(kInputRowControls[1], input_row_top(0));
    const Box unit = control_box(kInputRowControls[2], input_row_top(0));
    EXPECT_EQ(label.left, 24);
    EXPECT_EQ(label.top, 151);
    EXPECT_EQ(edit.left, 216);
    EXPECT_EQ(edit.top, 146);
    EXPECT_EQ(edit.right - edit.left, 152);
    EXPECT_EQ(unit.left, 374);
    EXPECT_EQ(unit.top, 150);
    EXPECT_LE(label.right, edit.left);
    EXPECT_LE(edit.right, unit.left);
}

TEST(WindowLayout, ControlsSitInTheirPaintedAreas) {
    const Box left_panel = step_box(7);
    const Box right_panel = step_box(8);
    const Box footer = step_box(13);
    for (const ControlSpec& spec : kInputRowControls) {
        // The first thirteen rows fit the left panel.
        EXPECT_TRUE(inside(control_box(spec, input_row_top(0)), left_panel));
        EXPECT_TRUE(inside(control_box(spec, input_row_top(12)), left_panel));
    }
    for (int32_t i = 0; i < kPanelControlCount; ++i) {
        const ControlSpec& spec = kPanelControls[i];
        const Box box = control_box(spec, 0);
        EXPECT_TRUE(inside(box, spec.role == ControlRole::button ? footer : right_panel)) << i;
        for (int32_t j = 0; j < i; ++j) {
            EXPECT_FALSE(overlap(box, control_box(kPanelControls[j], 0))) << i << " " << j;
        }
    }
    // The numbers of a lookup by up to four inputs: below the last row, inside
    // the left panel.
    for (int32_t inputs = 1; inputs <= 4; ++inputs) {
        const Box box = control_box(kChoicesControl, input_row_top(inputs));
        EXPECT_TRUE(inside(box, left_panel)) << inputs;
        for (const ControlSpec& spec : kInputRowControls) {
            EXPECT_FALSE(overlap(box, control_box(spec, input_row_top(inputs - 1)))) << inputs;
        }
    }
    // The status line (step 14) stays clear of the buttons.
    for (const ControlSpec& spec : kPanelControls) {
        EXPECT_FALSE(overlap(control_box(spec, 0), step_box(14)));
    }
}

TEST(WindowLayout, PaintStepsInOrder) {
    struct Row {
        PaintKind kind;
        Box box;  // in a 1020 x 720 client area
        Rgb colour;
        FontId font;
        PaintText text;
        const wchar_t* fixed;
    };
    const Rgb white = {0xFF, 0xFF, 0xFF};
    const Rgb blue = {0x00, 0x6C, 0x96};
    const Rgb rule = {0xE4, 0xEA, 0xEE};
    const Row rows[kPaintStepCount] = {
        {PaintKind::fill, {0, 0, 1020, 720}, {0xF4, 0xF7, 0xF9}, kNoFont, PaintText::none, nullptr},
        {PaintKind::fill, {0, 0, 1020, 88}, blue, kNoFont, PaintText::none, nullptr},
        {PaintKind::fill, {0, 0, 8, 88}, {0x00, 0x84, 0xB0}, kNoFont, PaintText::none, nullptr},
        {PaintKind::text, {26, 12, 726, 50}, white, kTitleFont, PaintText::tool_name, nullptr},
        {PaintKind::text, {28, 48, 748, 76}, {0xD6, 0xEC, 0xF6}, kSubtitleFont, PaintText::subtitle, nullptr},
        {PaintKind::text_right, {780, 8, 994, 34}, {0xBE, 0xDC, 0xEB}, kSmallFont, PaintText::host_name, nullptr},
        {PaintKind::panel, {20, 96, 460, 648}, white, kNoFont, PaintText::none, nullptr},
        {PaintKind::panel, {476, 96, 1000, 648}, white, kNoFont, PaintText::none, nullptr},
        {PaintKind::text, {36, 104, 336, 134}, blue, kSubtitleFont, PaintText::fixed, L"输入参数"},
        {PaintKind::text, {492, 104, 792, 134}, blue, kSubtitleFont, PaintText::fixed, L"计算结果"},
        {PaintKind::fill, {36, 133, 444, 134}, rule, kNoFont, PaintText::none, nullptr},
        {PaintKind::fill, {492, 133, 984, 134}, rule, kNoFont, PaintText::none, nullptr},
        {PaintKind::fill, {0, 660, 1020, 720}, {0xEC, 0xF1, 0xF4}, kNoFont, PaintText::none, nullptr},
        {PaintKind::text_right, {740, 704, 1004, 720}, {0x78, 0x84, 0x8E}, kSmallFont, PaintText::status, nullptr},
    };
    for (int32_t i = 0; i < kPaintStepCount; ++i) {
        const PaintStep& step = kPaintSteps[i];
        const Box box = step_box(i + 1);
        EXPECT_EQ(step.number, i + 1);
        EXPECT_EQ(step.kind, rows[i].kind) << i + 1;
        EXPECT_EQ(box.left, rows[i].box.left) << i + 1;
        EXPECT_EQ(box.top, rows[i].box.top) << i + 1;
        EXPECT_EQ(box.right, rows[i].box.right) << i + 1;
        EXPECT_EQ(box.bottom, rows[i].box.bottom) << i + 1;
        EXPECT_TRUE(step.colour == rows[i].colour) << i + 1;
        EXPECT_EQ(step.font, rows[i].font) << i + 1;
        EXPECT_EQ(step.text, rows[i].text) << i + 1;
        if (rows[i].fixed != nullptr) EXPECT_EQ(std::wstring(step.fixed_text), rows[i].fixed);
        if (step.kind == PaintKind::panel) {
            EXPECT_TRUE(step.outline == (Rgb{0xDA, 0xE2, 0xE8})) << i + 1;
        }
    }
}

TEST(WindowLayout, PaintStepsFollowTheRealClientSize) {
    // A client area larger than asked for (a thinner window frame than the
    // tracking size assumes): the page, header and footer bands and the host
    // name follow the real width and height; everything else stays put.
    const int32_t width = 1030;
    const int32_t height = 755;
    struct Row {
        int32_t step;
        Box box;
    };
    const Row rows[] = {
        {1, {0, 0, 1030, 755}},  {2, {0, 0, 1030, 88}},      {6, {790, 8, 1004, 34}},
        {8, {476, 96, 1000, 648}}, {13, {0, 660, 1030, 720}}, {14, {740, 704, 1004, 720}},
    };
    for (const Row& row : rows) {
        const Box box = step_box(row.step, width, height);
        EXPECT_EQ(box.left, row.box.left) << row.step;
        EXPECT_EQ(box.top, row.box.top) << row.step;
        EXPECT_EQ(box.right, row.box.right) << row.step;
        EXPECT_EQ(box.bottom, row.box.bottom) << row.step;
    }
}

TEST(WindowLayout, FontsInCreationOrder) {
    struct Row {
        const wchar_t* face;
        int32_t height;
        int32_t weight;
    };
    const Row rows[kFontCount] = {
        {L"Microsoft YaHei UI", 27, 700}, {L"Microsoft YaHei UI", 14, 400},
        {L"Microsoft YaHei UI", 14, 400}, {L"Microsoft YaHei UI", 15, 400},
        {L"Microsoft YaHei UI", 21, 700}, {L"Consolas", 15, 400},
        {L"Microsoft YaHei UI", 15, 400}, {L"Microsoft YaHei UI", 12, 400},
    };
    for (int32_t i = 0; i < kFontCount; ++i) {
        EXPECT_EQ(kFontTable[i].id, i);
        EXPECT_EQ(std::wstring(kFontTable[i].face), rows[i].face) << i;
        EXPECT_EQ(kFontTable[i].height, rows[i].height) << i;
        EXPECT_EQ(kFontTable[i].weight, rows[i].weight) << i;
    }
}

TEST(WindowLayout, VerdictColourByLevel) {
    const Rgb normal = {0x00, 0x80, 0x60};
    struct Row {
        int32_t level;
        Rgb colour;
    };
    const Row rows[] = {
        {0, normal},
        {1, {0xB0, 0x84, 0x00}},
        {2, {0xD6, 0x6C, 0x00}},
        {3, {0xBE, 0x1E, 0x2D}},
        {4, normal},
        {-1, normal},
        {INT_MIN, normal},
        {INT_MAX, normal},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(verdict_colour(row.level) == row.colour) << row.level;
        EXPECT_TRUE(static_text_colour(ControlRole::verdict_label, row.level) == row.colour)
            << row.level;
    }
}

TEST(WindowLayout, StaticTextColoursByControl) {
    const Rgb ink = {0x2C, 0x38, 0x42};
    const Rgb muted = {0x78, 0x84, 0x8E};
    struct Row {
        ControlRole role;
        Rgb colour;
    };
    const Row rows[] = {
        {ControlRole::result_edit, ink},     {ControlRole::note_label, ink},
        {ControlRole::input_label, muted},   {ControlRole::unit_label, muted},
        {ControlRole::reference_label, muted},
    };
    for (const Row& row : rows) {
        // The level colours the verdict label only.
        EXPECT_TRUE(static_text_colour(row.role, 0) == row.colour);
        EXPECT_TRUE(static_text_colour(row.role, 3) == row.colour);
    }
    EXPECT_TRUE(kEditTextColour == ink);
    EXPECT_TRUE(kEditBackColour == (Rgb{0xFF, 0xFF, 0xFF}));
}

TEST(WindowLayout, ButtonLooks) {
    const ButtonLook& primary = button_look(kCalculateId);
    EXPECT_TRUE(primary.fill == (Rgb{0x00, 0x7A, 0xA8}));
    EXPECT_TRUE(primary.fill_pressed == (Rgb{0x00, 0x64, 0x8A}));
    EXPECT_TRUE(primary.outline == (Rgb{0x00, 0x6A, 0x94}));
    EXPECT_TRUE(primary.caption == (Rgb{0xFF, 0xFF, 0xFF}));
    for (int32_t id : {kSaveId, kCopyId, kResetId, kAboutId, 0, 3000}) {
        const ButtonLook& look = button_look(id);
        EXPECT_TRUE(look.fill == (Rgb{0xFF, 0xFF, 0xFF})) << id;
        EXPECT_TRUE(look.fill_pressed == (Rgb{0xE2, 0xEA, 0xF0})) << id;
        EXPECT_TRUE(look.outline == (Rgb{0xCE, 0xD8, 0xE0})) << id;
        EXPECT_TRUE(look.caption == (Rgb{0x2C, 0x38, 0x42})) << id;
    }
}

TEST(WindowLayout, WindowIsCentredAndNeverOffScreen) {
    struct Row {
        int32_t screen;
        int32_t window;
        int32_t origin;
    };
    const Row rows[] = {
        {1920, 1036, 442}, {1280, 1036, 122}, {1281, 1036, 122}, {1037, 1036, 0},
        {1036, 1036, 0},   {800, 1036, 0},    {0, 1036, 0},      {INT_MIN, INT_MAX, 0}, {INT_MAX, INT_MIN, INT_MAX},
        {INT_MAX, 0, INT_MAX / 2},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(centred_origin(row.screen, row.window), row.origin)
            << row.screen << " " << row.window;
    }
    EXPECT_EQ(std::wstring(kWindowClassName), L"ToviMedToolWnd");
    EXPECT_EQ(hex(kWindowStyle), "0x00CA0000");
}
