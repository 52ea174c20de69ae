// Layout, fonts and colours of the main window as plain constant data. The
// Win32 layer (main_window.cpp) creates, paints and colours from these tables
// and adds nothing of its own; the host tests read them directly.
#pragma once

#include <cstdint>

// ---- Colours --------------------------------------------------------------

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

constexpr bool operator==(Rgb a, Rgb b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
constexpr bool operator!=(Rgb a, Rgb b) { return !(a == b); }

constexpr Rgb kPanelColour = {0xFF, 0xFF, 0xFF};       // panel_brush, control backgrounds
constexpr Rgb kBackgroundColour = {0xF4, 0xF7, 0xF9};  // background_brush, page background
constexpr Rgb kHeaderColour = {0x00, 0x6C, 0x96};      // header band, panel titles, the icon
constexpr Rgb kAccentColour = {0x00, 0x84, 0xB0};      // accent strip left of the header
constexpr Rgb kFooterColour = {0xEC, 0xF1, 0xF4};      // footer band behind the buttons
constexpr Rgb kInkColour = {0x2C, 0x38, 0x42};         // input edits, report box, note
constexpr Rgb kMutedColour = {0x78, 0x84, 0x8E};       // other statics, status line
constexpr Rgb kPanelOutlineColour = {0xDA, 0xE2, 0xE8};

// Verdict label colour by level: 1, 2 and 3 have their own; every other level
// (0 included, negative and above 3 too) is the "normal" green.
Rgb verdict_colour(int32_t level);

// ---- Window ---------------------------------------------------------------

constexpr const wchar_t* kWindowClassName = L"ToviMedToolWnd";
constexpr uint32_t kWindowStyle = 0x00CA0000u;  // WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
// The client area the whole layout is drawn for. The window is created with,
// and tracks only, the outer size that holds exactly this client area.
constexpr int32_t kClientWidth = 1020;
constexpr int32_t kClientHeight = 720;

// Where a window of `window_extent` starts on a screen of `screen_extent` on one
// axis: centred by truncating division, never negative.
int32_t centred_origin(int32_t screen_extent, int32_t window_extent);

// ---- Fonts ----------------------------------------------------------------

enum FontId : int32_t {
    kTitleFont,
    kSubtitleFont,
    kLabelFont,
    kEditFont,
    kVerdictFont,
    kReportFont,
    kButtonFont,
    kSmallFont,
    kFontCount,
    kNoFont = -1,
};

struct FontSpec {
    FontId id;
    const wchar_t* face;
    int32_t height;  // character height in pixels; CreateFontW gets its negative
    int32_t weight;
};

// In creation order; entry i has id i. Heights are in 96-dpi design units.
extern const FontSpec kFontTable[kFontCount];

// The report box and the printed report use kReportFont's face where it draws
// every character of kReportGlyphProbe, and this face otherwise: a fixed-pitch
// face of every Chinese Windows, with the signs the reports write ("℃", "＿",
// "×" ...) that a Latin face lacks.
constexpr const wchar_t* kReportFallbackFace = L"NSimSun";
// The signs the reports write besides ASCII, and a few ideographs.
constexpr const wchar_t* kReportGlyphProbe = L"℃＿×–→≤≥、。《》【】（），：；体温次分";

// ---- Controls -------------------------------------------------------------

// Values of the Win32 style constants the controls use; the Win32 layer checks
// them against the system headers at compile time.
constexpr uint32_t kStyleChild = 0x40000000u;       // WS_CHILD
constexpr uint32_t kStyleVisible = 0x10000000u;     // WS_VISIBLE
constexpr uint32_t kStyleVScroll = 0x00200000u;     // WS_VSCROLL
constexpr uint32_t kStyleStaticRight = 0x0002u;     // SS_RIGHT
constexpr uint32_t kStyleEditMultiline = 0x0004u;   // ES_MULTILINE
constexpr uint32_t kStyleEditAutoVScroll = 0x0040u; // ES_AUTOVSCROLL
constexpr uint32_t kStyleEditAutoHScroll = 0x0080u; // ES_AUTOHSCROLL
constexpr uint32_t kStyleEditReadOnly = 0x0800u;    // ES_READONLY
constexpr uint32_t kStyleButtonOwnerDraw = 0x000Bu; // BS_OWNERDRAW
constexpr uint32_t kExStyleClientEdge = 0x0200u;    // WS_EX_CLIENTEDGE

// Control ids.
constexpr int32_t kCalculateId = 1001;
constexpr int32_t kSaveId = 1002;
constexpr int32_t kCopyId = 1003;
constexpr int32_t kResetId = 1004;
constexpr int32_t kAboutId = 1005;
constexpr int32_t kPrintId = 1006;
constexpr int32_t kButtonCount = 6;     // ids kCalculateId .. kPrintId
constexpr int32_t kFirstInputEditId = 2000;  // input edit i has id 2000 + i
constexpr int32_t kResultEditId = 3000;

enum class ControlRole : int32_t {
    input_label,
    input_edit,
    unit_label,
    verdict_label,
    result_edit,
    note_label,
    reference_label,
    choices_label,
    button,
};

// Where a control's starting text comes from.
enum class ControlText : int32_t {
    input_label,    // the input's label
    input_default,  // created empty, then the default value in "%.6g" form
    input_unit,     // the input's unit
    caption,        // the fixed text in ControlSpec::caption
    tool_note,      // the tool's note, empty when it has none
    reference,      // "参考依据：" and the tool's reference
    report_choices, // ControlSpec::caption, then the report's numbers one a line
    empty,
};

struct ControlSpec {
    ControlRole role;
    const wchar_t* class_name;
    uint32_t ex_style;
    uint32_t style;   // complete: WS_CHILD | WS_VISIBLE and the control's own bits
    int32_t x;
    int32_t y;        // input row controls: offset from the row's top
    int32_t width;
    int32_t height;
    int32_t id;       // input edits: the id of input 0; 0 = no id
    FontId font;      // kNoFont: none is attached (the owner-drawn buttons)
    ControlText text;
    const wchar_t* caption;
};

// One input row: label, edit and unit label (the unit label only when the
// input's unit is present and not empty). Positions and sizes are in 96-dpi
// design units.
constexpr int32_t kInputRowControlCount = 3;
extern const ControlSpec kInputRowControls[kInputRowControlCount];

// Top of input row i.
int32_t input_row_top(int32_t index);

// The right panel's controls and the six buttons, in creation order, in 96-dpi
// design units.
constexpr int32_t kPanelControlCount = 10;
extern const ControlSpec kPanelControls[kPanelControlCount];

// A tool without inputs gets, in place of the input rows, this one line saying
// that calculate needs nothing; the calculate button then takes the initial
// focus, so Enter and F5 work at once.
extern const ControlSpec kNoInputsControl;

// A tool whose report looks a row up by number (build_custom_report_choices)
// lists the numbers and what each names under its inputs: this control, its y
// an offset from the top of the row after the last input, created only when
// the list is not empty. Its height holds a heading and 12 lines.
extern const ControlSpec kChoicesControl;
constexpr int32_t kChoicesCapacity = 512;  // the control's text, terminator included

// Texts colours of the controls (WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC).
constexpr Rgb kEditTextColour = kInkColour;
constexpr Rgb kEditBackColour = kPanelColour;
Rgb static_text_colour(ControlRole role, int32_t level);

// ---- Painting -------------------------------------------------------------

// One edge of a painted box: a fixed coordinate, or an offset from the far side
// of the client area (its width for x, its height for y).
struct Edge {
    bool from_far_side;
    int32_t offset;
};

enum class PaintKind : int32_t {
    fill,        // fill_box
    panel,       // fill_box, then frame_box over the same box in `outline`
    text,        // text_box, left-aligned
    text_right,  // text_box with DT_RIGHT
};

enum class PaintText : int32_t {
    none,
    tool_name,
    subtitle,   // "%ls  ·  %ls" with the category and description
    host_name,  // the publisher's host name
    fixed,      // PaintStep::fixed_text
    status,     // AppState::status_text
};

struct PaintStep {
    int32_t number;
    PaintKind kind;
    Edge left;
    Edge top;
    Edge right;
    Edge bottom;
    Rgb colour;    // fill or text colour
    Rgb outline;   // panels only
    FontId font;   // texts only
    PaintText text;
    const wchar_t* fixed_text;
};

// In painting order; coordinates in 96-dpi design units.
constexpr int32_t kPaintStepCount = 14;
extern const PaintStep kPaintSteps[kPaintStepCount];

struct Box {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The step's box in a client area of the given size.
Box paint_step_box(const PaintStep& step, int32_t client_width, int32_t client_height);

// ---- Owner-drawn buttons --------------------------------------------------

struct ButtonLook {
    Rgb fill;
    Rgb fill_pressed;
    Rgb outline;   // both states
    Rgb caption;
};

// The calculate button is the primary one; every other id has the common look.
const ButtonLook& button_look(int32_t control_id);

// The focus rectangle of the focused button lies this far inside its edge
// (96-dpi design units).
constexpr int32_t kButtonFocusInset = 4;
