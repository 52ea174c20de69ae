#include "window_layout.h"

#include "command_text.h"

namespace {

constexpr uint32_t kChildVisible = kStyleChild | kStyleVisible;
constexpr uint32_t kInputLabelStyle = kChildVisible | kStyleStaticRight;
constexpr uint32_t kInputEditStyle = kChildVisible | kStyleEditAutoHScroll;
constexpr uint32_t kStaticStyle = kChildVisible;
constexpr uint32_t kResultEditStyle = kChildVisible | kStyleVScroll | kStyleEditMultiline |
                                      kStyleEditAutoVScroll | kStyleEditReadOnly;
constexpr uint32_t kButtonStyle = kChildVisible | kStyleButtonOwnerDraw;

constexpr int32_t kFirstRowTop = 150;
constexpr int32_t kRowPitch = 34;

constexpr Edge at(int32_t offset) { return Edge{false, offset}; }
constexpr Edge far_minus(int32_t offset) { return Edge{true, -offset}; }
constexpr Edge far_side() { return Edge{true, 0}; }

constexpr Rgb kWhite = {0xFF, 0xFF, 0xFF};
constexpr Rgb kSubtitleColour = {0xD6, 0xEC, 0xF6};
constexpr Rgb kHostNameColour = {0xBE, 0xDC, 0xEB};
constexpr Rgb kTitleRuleColour = {0xE4, 0xEA, 0xEE};
constexpr Rgb kNone = {0, 0, 0};

constexpr Rgb kVerdictNormal = {0x00, 0x80, 0x60};
constexpr Rgb kVerdictLevel1 = {0xB0, 0x84, 0x00};
constexpr Rgb kVerdictLevel2 = {0xD6, 0x6C, 0x00};
constexpr Rgb kVerdictLevel3 = {0xBE, 0x1E, 0x2D};

constexpr ButtonLook kPrimaryButton = {
    // fill              fill pressed        outline             caption
    {0x00, 0x7A, 0xA8}, {0x00, 0x64, 0x8A}, {0x00, 0x6A, 0x94}, {0xFF, 0xFF, 0xFF}};
constexpr ButtonLook kCommonButton = {
    {0xFF, 0xFF, 0xFF}, {0xE2, 0xEA, 0xF0}, {0xCE, 0xD8, 0xE0}, {0x2C, 0x38, 0x42}};

}  // namespace

const FontSpec kFontTable[kFontCount] = {
    // id             face                   height  weight
    {kTitleFont,     L"Microsoft YaHei UI",  27,     700},
    {kSubtitleFont,  L"Microsoft YaHei UI",  14,     400},
    {kLabelFont,     L"Microsoft YaHei UI",  14,     400},
    {kEditFont,      L"Microsoft YaHei UI",  15,     400},
    {kVerdictFont,   L"Microsoft YaHei UI",  21,     700},
    {kReportFont,    L"Consolas",            15,     400},
    {kButtonFont,    L"Microsoft YaHei UI",  15,     400},
    {kSmallFont,     L"Microsoft YaHei UI",  12,     400},
};

const ControlSpec kInputRowControls[kInputRowControlCount] = {
    // role                     class      ex style            style             x    dy  w    h   id                  font        text                       caption
    {ControlRole::input_label, L"STATIC", 0,                  kInputLabelStyle, 24,  1,  184, 22, 0,                  kLabelFont, ControlText::input_label,   nullptr},
    {ControlRole::input_edit,  L"EDIT",   kExStyleClientEdge, kInputEditStyle,  216, -4, 152, 27, kFirstInputEditId,  kEditFont,  ControlText::input_default, nullptr},
    {ControlRole::unit_label,  L"STATIC", 0,                  kStaticStyle,     374, 0,  78,  22, 0,                  kSmallFont, ControlText::input_unit,    nullptr},
};

const ControlSpec kPanelControls[kPanelControlCount] = {
    // role                         class      ex style            style             x    y    w    h    id             font          text                    caption
    {ControlRole::verdict_label,   L"STATIC", 0,                  kStaticStyle,     492, 142, 492, 46,  0,             kVerdictFont, ControlText::caption,   kVerdictHint},
    {ControlRole::result_edit,     L"EDIT",   kExStyleClientEdge, kResultEditStyle, 492, 196, 492, 232, kResultEditId, kReportFont,  ControlText::empty,     nullptr},
    {ControlRole::note_label,      L"STATIC", 0,                  kStaticStyle,     492, 444, 492, 120, 0,             kSmallFont,   ControlText::tool_note, nullptr},
    {ControlRole::reference_label, L"STATIC", 0,                  kStaticStyle,     492, 576, 492, 56,  0,             kSmallFont,   ControlText::reference, nullptr},
    {ControlRole::button,          L"BUTTON", 0,                  kButtonStyle,     20,  668, 152, 40,  kCalculateId,  kNoFont,      ControlText::caption,   L"计算 (F5)"},
    {ControlRole::button,          L"BUTTON", 0,                  kButtonStyle,     184, 668, 112, 40,  kSaveId,       kNoFont,      ControlText::caption,   L"保存记录"},
    {ControlRole::button,          L"BUTTON", 0,                  kButtonStyle,     308, 668, 112, 40,  kCopyId,       kNoFont,      ControlText::caption,   L"复制结果"},
    {ControlRole::button,          L"BUTTON", 0,                  kButtonStyle,     432, 668, 112, 40,  kResetId,      kNoFont,      ControlText::caption,   L"清空重填"},
    {ControlRole::button,          L"BUTTON", 0,                  kButtonStyle,     556, 668, 80,  40,  kAboutId,      kNoFont,      ControlText::caption,   L"关于"},
    // The sixth button ends 12 units left of the status line (paint step 14),
    // which keeps its whole width for texts such as the ready status.
    {ControlRole::button,          L"BUTTON", 0,                  kButtonStyle,     648, 668, 80,  40,  kPrintId,      kNoFont,      ControlText::caption,   L"打印"},
};

const ControlSpec kNoInputsControl =
    {ControlRole::input_label, L"STATIC", 0, kStaticStyle, 36, 151, 408, 22, 0, kLabelFont, ControlText::caption, kNoInputsNotice};

const ControlSpec kChoicesControl =
    {ControlRole::choices_label, L"STATIC", 0, kStaticStyle, 36, 10, 408, 250, 0, kLabelFont, ControlText::report_choices, L"编号对照："};

const PaintStep kPaintSteps[kPaintStepCount] = {
    // no kind                  left            top        right           bottom       colour             outline              font           text                  fixed text
    {1,  PaintKind::fill,       at(0),          at(0),     far_side(),     far_side(),  kBackgroundColour, kNone,               kNoFont,       PaintText::none,      nullptr},
    {2,  PaintKind::fill,       at(0),          at(0),     far_side(),     at(88),      kHeaderColour,     kNone,               kNoFont,       PaintText::none,      nullptr},
    {3,  PaintKind::fill,       at(0),          at(0),     at(8),          at(88),      kAccentColour,     kNone,               kNoFont,       PaintText::none,      nullptr},
    {4,  PaintKind::text,       at(26),         at(12),    at(726),        at(50),      kWhite,            kNone,               kTitleFont,    PaintText::tool_name, nullptr},
    {5,  PaintKind::text,       at(28),         at(48),    at(748),        at(76),      kSubtitleColour,   kNone,               kSubtitleFont, PaintText::subtitle,  nullptr},
    {6,  PaintKind::text_right, far_minus(240), at(8),     far_minus(26),  at(34),      kHostNameColour,   kNone,               kSmallFont,    PaintText::host_name, nullptr},
    {7,  PaintKind::panel,      at(20),         at(96),    at(460),        at(648),     kPanelColour,      kPanelOutlineColour, kNoFont,       PaintText::none,      nullptr},
    {8,  PaintKind::panel,      at(476),        at(96),    at(1000),       at(648),     kPanelColour,      kPanelOutlineColour, kNoFont,       PaintText::none,      nullptr},
    {9,  PaintKind::text,       at(36),         at(104),   at(336),        at(134),     kHeaderColour,     kNone,               kSubtitleFont, PaintText::fixed,     L"输入参数"},
    {10, PaintKind::text,       at(492),        at(104),   at(792),        at(134),     kHeaderColour,     kNone,               kSubtitleFont, PaintText::fixed,     L"计算结果"},
    {11, PaintKind::fill,       at(36),         at(133),   at(444),        at(134),     kTitleRuleColour,  kNone,               kNoFont,       PaintText::none,      nullptr},
    {12, PaintKind::fill,       at(492),        at(133),   at(984),        at(134),     kTitleRuleColour,  kNone,               kNoFont,       PaintText::none,      nullptr},
    {13, PaintKind::fill,       at(0),          at(660),   far_side(),     at(720),     kFooterColour,     kNone,               kNoFont,       PaintText::none,      nullptr},
    {14, PaintKind::text_right, at(740),        at(704),   at(1004),       at(720),     kMutedColour,      kNone,               kSmallFont,    PaintText::status,    nullptr},
};

Rgb verdict_colour(int32_t level) {
    switch (level) {
        case 1: return kVerdictLevel1;
        case 2: return kVerdictLevel2;
        case 3: return kVerdictLevel3;
        default: return kVerdictNormal;
    }
}

Rgb static_text_colour(ControlRole role, int32_t level) {
    switch (role) {
        case ControlRole::verdict_label: return verdict_colour(level);
        case ControlRole::result_edit:
        case ControlRole::note_label: return kInkColour;
        default: return kMutedColour;
    }
}

int32_t centred_origin(int32_t screen_extent, int32_t window_extent) {
    // Both extents are pixel counts well inside int32; the difference is taken
    // in 64 bits all the same so that no pair of values can overflow.
    int64_t origin = (static_cast<int64_t>(screen_extent) - window_extent) / 2;
    return origin < 0 ? 0 : static_cast<int32_t>(origin);
}

int32_t input_row_top(int32_t index) { return kFirstRowTop + kRowPitch * index; }

Box paint_step_box(const PaintStep& step, int32_t client_width, int32_t client_height) {
    auto resolve = [](Edge edge, int32_t extent) {
        return edge.from_far_side ? extent + edge.offset : edge.offset;
    };
    return Box{resolve(step.left, client_width), resolve(step.top, client_height),
               resolve(step.right, client_width), resolve(step.bottom, client_height)};
}

const ButtonLook& button_look(int32_t control_id) {
    return control_id == kCalculateId ? kPrimaryButton : kCommonButton;
}
