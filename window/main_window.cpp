// The main window: creation, painting, colouring and the message loop. Layout,
// colours, fonts and texts come from window_layout.h, command_text.h and
// input_field.h; this file only hands them to Win32 and runs the commands of
// commands.h.
#include "main_window.h"

#include "../engine/custom_report.h"
#include "../engine/line_break.h"
#include "../engine/wide_text.h"
#include "app_state.h"
#include "command_text.h"
#include "commands.h"
#include "display.h"
#include "input_field.h"
#include "keyboard.h"
#include "window_layout.h"
#include "window_scale.h"

namespace {

static_assert(kStyleChild == WS_CHILD && kStyleVisible == WS_VISIBLE &&
                  kStyleVScroll == WS_VSCROLL,
              "window style bits");
static_assert(kStyleStaticRight == SS_RIGHT && kStyleEditMultiline == ES_MULTILINE &&
                  kStyleEditAutoVScroll == ES_AUTOVSCROLL &&
                  kStyleEditAutoHScroll == ES_AUTOHSCROLL &&
                  kStyleEditReadOnly == ES_READONLY && kStyleButtonOwnerDraw == BS_OWNERDRAW &&
                  kExStyleClientEdge == WS_EX_CLIENTEDGE,
              "control style bits");
static_assert(kWindowStyle == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), "window style");
static_assert(kKeyTab == VK_TAB && kKeyReturn == VK_RETURN && kKeyF5 == VK_F5 && kKeyS == 'S' &&
                  kKeyP == 'P',
              "virtual-key codes");

// Sent when the window's DPI changes (Windows 8.1 and later); the build's
// Windows 7 headers do not name it.
constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED

COLORREF colour_ref(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

// ---- Painting operations ----------------------------------------------------

void fill_box(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT box = {x, y, x + width, y + height};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void frame_box(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, x, y, x + width, y + height);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}

void text_box(HDC dc, int x, int y, int width, int height, const wchar_t* text,
              COLORREF colour, HFONT font, UINT extra_flags) {
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT box = {x, y, x + width, y + height};
    DrawTextW(dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | extra_flags);
    SelectObject(dc, old_font);
}

// ---- Creation -----------------------------------------------------------------

// The fonts of kFontTable at the window's scale.
void create_fonts(HFONT* fonts) {
    for (const FontSpec& spec : kFontTable) {
        const wchar_t* face = spec.id == kReportFont ? face_drawing_every_glyph(
                                                           spec.face, kReportFallbackFace,
                                                           kReportGlyphProbe)
                                                     : spec.face;
        fonts[spec.id] =
            CreateFontW(-scaled_font_height(spec, app_state.scale), 0, 0, 0, spec.weight, FALSE,
                        FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    }
}

void create_fonts_and_brushes() {
    create_fonts(app_state.fonts);
    app_state.panel_brush = CreateSolidBrush(colour_ref(kPanelColour));
    app_state.background_brush = CreateSolidBrush(colour_ref(kBackgroundColour));
}

// Creates one control of the table at row top `row_top` (0 for panel controls)
// with the given id and text at the window's scale, attaches its font, and
// keeps it among the placed controls.
HWND create_control(HWND parent, const ControlSpec& spec, int32_t row_top, int32_t id,
                    const wchar_t* text) {
    const Box box = scaled_control_box(spec, row_top, app_state.scale);
    HWND control = CreateWindowExW(spec.ex_style, spec.class_name, text, spec.style, box.left,
                                   box.top, box.right - box.left, box.bottom - box.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   app_state.instance, nullptr);
    if (control != nullptr && app_state.placed_count < kPlacedControlCapacity) {
        app_state.placed[app_state.placed_count++] = PlacedControl{control, &spec, row_top};
    }
    if (spec.font != kNoFont) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(app_state.fonts[spec.font]),
                     TRUE);
    }
    return control;
}

void create_input_row(HWND parent, int32_t index) {
    const ToolInput& input = app_state.tool->inputs[index];
    const int32_t top = input_row_top(index);
    for (const ControlSpec& spec : kInputRowControls) {
        switch (spec.text) {
            case ControlText::input_label:
                create_control(parent, spec, top, spec.id, input.label);
                break;
            case ControlText::input_default: {
                HWND edit = create_control(parent, spec, top, spec.id + index, L"");
                wchar_t text[kDefaultTextCapacity];
                format_default_value(input.default_value, text, kDefaultTextCapacity);
                app_state.filling_inputs = true;
                SetWindowTextW(edit, text);
                app_state.filling_inputs = false;
                app_state.input_edits[index] = edit;
                break;
            }
            case ControlText::input_unit:
                if (input.unit != nullptr && input.unit[0] != 0) {
                    create_control(parent, spec, top, spec.id, input.unit);
                }
                break;
            default:
                break;
        }
    }
}

// The report box's word-break procedure: its lines wrap only where
// line_break_allowed lets a line break (no line begins with "。" or "）", "次/分"
// stays whole). `text` starts at a line of the box, `count` units long.
int CALLBACK report_word_break(LPWSTR text, int index, int count, int code) {
    switch (code) {
        case WB_LEFT:
            for (int i = index - 1; i > 0; --i) {
                if (line_break_allowed(text, count, i)) return i;
            }
            return 0;
        case WB_RIGHT:
            for (int i = index + 1; i < count; ++i) {
                if (line_break_allowed(text, count, i)) return i;
            }
            return count;
        case WB_ISDELIMITER: return index >= 0 && index < count && text[index] == L' ';
        default: return 0;
    }
}

void create_panel_control(HWND parent, const ControlSpec& spec) {
    wchar_t reference[kReferenceCapacity];
    const wchar_t* text = L"";
    switch (spec.text) {
        case ControlText::caption: text = spec.caption; break;
        case ControlText::tool_note: text = app_state.tool->note ? app_state.tool->note : L""; break;
        case ControlText::reference:
            build_reference_text(*app_state.tool, reference, kReferenceCapacity);
            text = reference;
            break;
        default: break;
    }
    HWND control = create_control(parent, spec, 0, spec.id, text);
    switch (spec.role) {
        case ControlRole::verdict_label: app_state.verdict_label = control; break;
        case ControlRole::result_edit:
            app_state.result_edit = control;
            SendMessageW(control, EM_SETWORDBREAKPROC, 0,
                         reinterpret_cast<LPARAM>(report_word_break));
            break;
        case ControlRole::note_label: app_state.note_label = control; break;
        case ControlRole::button: app_state.buttons[spec.id - kCalculateId] = control; break;
        default: break;
    }
}

// The numbers the tool's report looks up by, under the last input row; nothing
// for a tool whose report has none.
void create_choices_control(HWND parent) {
    const int32_t kind = app_state.tool->custom_report_kind;
    if (kind == 0) return;
    // The heading, then the list whole (or no control at all).
    wchar_t text[kChoicesCapacity];
    wtext_copy(text, kChoicesCapacity, kChoicesControl.caption);
    wtext_append(text, kChoicesCapacity, L"\r\n");
    const int32_t head = wtext_length(text);
    if (build_custom_report_choices(kind, text + head, kChoicesCapacity - head) <= 0) return;
    create_control(parent, kChoicesControl, input_row_top(clamped_input_count(*app_state.tool)),
                   kChoicesControl.id, text);
}

// ---- Message handlers -------------------------------------------------------

LRESULT on_create(HWND window) {
    app_state.main_window = window;
    for (int32_t i = 0; i < clamped_input_count(*app_state.tool); ++i) {
        create_input_row(window, i);
    }
    if (app_state.tool->input_count <= 0) create_panel_control(window, kNoInputsControl);
    create_choices_control(window);
    for (const ControlSpec& spec : kPanelControls) create_panel_control(window, spec);
    wtext_copy(app_state.status_text, kStatusCapacity, kReadyStatus);
    return 0;
}

// The text a paint step draws, or null for fills.
const wchar_t* paint_step_text(const PaintStep& step, wchar_t* scratch) {
    switch (step.text) {
        case PaintText::tool_name: return app_state.tool->name;
        case PaintText::subtitle:
            build_subtitle(*app_state.tool, scratch, kSubtitleCapacity);
            return scratch;
        case PaintText::host_name:
            wtext_copy(scratch, kHostNameCapacity, kPublisherHost);
            return scratch;
        case PaintText::fixed: return step.fixed_text;
        case PaintText::status: return app_state.status_text;
        default: return nullptr;
    }
}

void paint_main_window(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    wchar_t scratch[kSubtitleCapacity];
    for (const PaintStep& step : kPaintSteps) {
        const Box box = scaled_paint_box(step, client.right - client.left,
                                         client.bottom - client.top, app_state.scale);
        const int width = box.right - box.left;
        const int height = box.bottom - box.top;
        switch (step.kind) {
            case PaintKind::fill:
                fill_box(dc, box.left, box.top, width, height, colour_ref(step.colour));
                break;
            case PaintKind::panel:
                fill_box(dc, box.left, box.top, width, height, colour_ref(step.colour));
                frame_box(dc, box.left, box.top, width, height, colour_ref(step.outline));
                break;
            case PaintKind::text:
            case PaintKind::text_right:
                text_box(dc, box.left, box.top, width, height, paint_step_text(step, scratch),
                         colour_ref(step.colour), app_state.fonts[step.font],
                         step.kind == PaintKind::text_right ? DT_RIGHT : 0);
                break;
        }
    }
    EndPaint(window, &paint);
}

LRESULT draw_button(const DRAWITEMSTRUCT* item) {
    const ButtonLook& look = button_look(static_cast<int32_t>(item->CtlID));
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    const RECT& r = item->rcItem;
    fill_box(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top,
             colour_ref(pressed ? look.fill_pressed : look.fill));
    frame_box(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top,
              colour_ref(look.outline));
    wchar_t caption[kCaptionCapacity];
    GetWindowTextW(item->hwndItem, caption, kCaptionCapacity);
    HGDIOBJ old_font = SelectObject(item->hDC, app_state.fonts[kButtonFont]);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, colour_ref(look.caption));
    RECT box = r;
    DrawTextW(item->hDC, caption, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(item->hDC, old_font);
    // The focused button shows a focus rectangle, unless the system hides them
    // until the keyboard is used.
    if ((item->itemState & ODS_FOCUS) != 0 && (item->itemState & ODS_NOFOCUSRECT) == 0) {
        const int32_t inset = scale_length(kButtonFocusInset, app_state.scale);
        RECT focus = {r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
        DrawFocusRect(item->hDC, &focus);
    }
    return TRUE;
}

LRESULT control_colour_edit(HDC dc) {
    SetTextColor(dc, colour_ref(kEditTextColour));
    SetBkColor(dc, colour_ref(kEditBackColour));
    return reinterpret_cast<LRESULT>(app_state.panel_brush);
}

LRESULT control_colour_static(HDC dc, HWND control) {
    ControlRole role = ControlRole::reference_label;  // every other static
    if (control == app_state.verdict_label) role = ControlRole::verdict_label;
    if (control == app_state.result_edit) role = ControlRole::result_edit;
    if (control == app_state.note_label) role = ControlRole::note_label;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_ref(static_text_colour(role, shown_level(app_state.result))));
    return reinterpret_cast<LRESULT>(app_state.panel_brush);
}

// The window's outer size: a client area of kClientWidth x kClientHeight at the
// window's scale with the frame of kWindowStyle at its DPI. The window is
// created at this size, and it is the only size it tracks, so the client area
// stays the one the layout is drawn for.
SIZE window_size() {
    const SIZE frame = window_frame_size(kWindowStyle, app_state.dpi);
    return SIZE{scaled_client_width(app_state.scale) + frame.cx,
                scaled_client_height(app_state.scale) + frame.cy};
}

// The window's DPI and scale on a monitor; returns the monitor's work area.
RECT take_monitor(HMONITOR monitor, int32_t dpi) {
    const RECT work = monitor_work_area(monitor);
    const SIZE frame = window_frame_size(kWindowStyle, dpi);
    app_state.dpi = dpi;
    app_state.scale =
        window_scale(dpi, work.right - work.left, work.bottom - work.top, frame.cx, frame.cy);
    return work;
}

// Places every control again at the window's scale with the fonts of that
// scale; the previous fonts are released once no control holds them.
void place_controls() {
    HFONT previous[kFontCount];
    for (int32_t i = 0; i < kFontCount; ++i) previous[i] = app_state.fonts[i];
    create_fonts(app_state.fonts);
    for (int32_t i = 0; i < app_state.placed_count; ++i) {
        const PlacedControl& placed = app_state.placed[i];
        const Box box = scaled_control_box(*placed.spec, placed.row_top, app_state.scale);
        SetWindowPos(placed.control, nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (placed.spec->font != kNoFont) {
            SendMessageW(placed.control, WM_SETFONT,
                         reinterpret_cast<WPARAM>(app_state.fonts[placed.spec->font]), TRUE);
        }
    }
    for (HFONT font : previous) DeleteObject(font);
}

// The window moved to a monitor of another DPI, or the monitor's DPI changed:
// the scale follows, and the window takes the place Windows suggests, kept
// inside that monitor's work area. Without a suggestion it stays where it is.
LRESULT on_dpi_changed(HWND window, WPARAM wparam, const RECT* suggested) {
    RECT present;
    if (suggested == nullptr) {
        GetWindowRect(window, &present);
        suggested = &present;
    }
    const RECT work =
        take_monitor(MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST), HIWORD(wparam));
    place_controls();
    const SIZE size = window_size();
    SetWindowPos(window, nullptr, origin_inside(suggested->left, size.cx, work.left, work.right),
                 origin_inside(suggested->top, size.cy, work.top, work.bottom), size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT on_get_min_max_info(MINMAXINFO* info) {
    const SIZE size = window_size();
    info->ptMinTrackSize.x = size.cx;
    info->ptMinTrackSize.y = size.cy;
    info->ptMaxTrackSize.x = size.cx;
    info->ptMaxTrackSize.y = size.cy;
    return 0;
}

// Keeps the keyboard focus across deactivation: a message box, another program.
// Leaving, the focused control of this window is remembered; coming back (not
// minimised), it gets the focus again instead of the window itself. Returns
// false when the system's handling applies. A command that moves the focus
// after its message box (the input error) still has the last word, since the
// box hands activation back before MessageBoxW returns.
bool on_activate(HWND window, WPARAM wparam) {
    if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        app_state.focus_to_restore = IsChild(window, focus) ? focus : nullptr;
        return false;
    }
    if (HIWORD(wparam) != 0 || app_state.focus_to_restore == nullptr) return false;
    SetFocus(app_state.focus_to_restore);
    return true;
}

// An input edit's control id (a notification from it names its id).
bool is_input_edit(int32_t id) {
    return id >= kFirstInputEditId && id < kFirstInputEditId + clamped_input_count(*app_state.tool);
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: return on_create(window);
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_PAINT: paint_main_window(window); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_GETMINMAXINFO: return on_get_min_max_info(reinterpret_cast<MINMAXINFO*>(lparam));
        case WM_ACTIVATE:
            if (on_activate(window, wparam)) return 0;
            break;
        case WM_DRAWITEM: return draw_button(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        case kDpiChangedMessage:
            return on_dpi_changed(window, wparam, reinterpret_cast<const RECT*>(lparam));
        case WM_COMMAND:
            if (HIWORD(wparam) == EN_CHANGE && is_input_edit(LOWORD(wparam))) {
                on_input_changed();
                return 0;
            }
            if (run_command(LOWORD(wparam))) return 0;
            break;
        case WM_CTLCOLOREDIT: return control_colour_edit(reinterpret_cast<HDC>(wparam));
        case WM_CTLCOLORSTATIC:
            return control_colour_static(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
        default: break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void register_window_class() {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.style = 0;
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = app_state.instance;
    window_class.hIcon = LoadIconW(app_state.instance, MAKEINTRESOURCEW(1));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = app_state.background_brush;
    window_class.lpszClassName = kWindowClassName;
    RegisterClassExW(&window_class);  // a failure shows up as a failed creation
}

// Tab and Shift+Tab: the focus to the next or previous stop of keyboard.h. An
// edit entered this way has its whole text selected, so typing replaces it.
void move_focus(bool backwards) {
    FocusStop stops[kFocusStopCapacity];
    const int32_t count =
        focus_order(clamped_input_count(*app_state.tool), stops, kFocusStopCapacity);
    HWND focus = GetFocus();
    const int32_t current = IsChild(app_state.main_window, focus) ? GetDlgCtrlID(focus) : 0;
    const FocusStop* next = next_focus_stop(stops, count, current, backwards);
    HWND target = next != nullptr ? GetDlgItem(app_state.main_window, next->id) : nullptr;
    if (target == nullptr) return;
    // Keyboard use shows focus rectangles from now on, as in a dialog.
    SendMessageW(app_state.main_window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(target);
    if (next->selects_text) SendMessageW(target, EM_SETSEL, 0, -1);
}

// A key down for the main window or one of its controls that the window
// handles itself (keyboard.h). True when it is handled: it then goes no
// further, so the control never sees it.
bool handle_window_key(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    const bool at_main_window = message.hwnd == app_state.main_window;
    if (!at_main_window && !IsChild(app_state.main_window, message.hwnd)) return false;
    const KeyPress press = {static_cast<uint32_t>(message.wParam), GetKeyState(VK_CONTROL) < 0,
                            GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0, at_main_window,
                            (message.lParam & (LPARAM{1} << 30)) != 0};
    switch (key_action(press)) {
        case KeyAction::command: return run_command(key_command(press));
        case KeyAction::focus_next: move_focus(false); return true;
        case KeyAction::focus_previous: move_focus(true); return true;
        case KeyAction::none: return false;
    }
    return false;
}

}  // namespace

int run_main_window(HINSTANCE instance, const ToolDef& tool) {
    app_state.instance = instance;
    app_state.tool = &tool;
    app_state.result.state = ResultState::none;
    app_state.focus_to_restore = nullptr;
    app_state.filling_inputs = false;
    app_state.placed_count = 0;
    // The window opens on the primary monitor, centred on its work area (the
    // taskbar left clear), at the monitor's DPI, and smaller where it would
    // not fit that work area.
    HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const RECT work = take_monitor(monitor, monitor_dpi(monitor));
    create_fonts_and_brushes();
    register_window_class();

    const SIZE size = window_size();
    const int32_t x = work.left + centred_origin(work.right - work.left, size.cx);
    const int32_t y = work.top + centred_origin(work.bottom - work.top, size.cy);
    HWND window = CreateWindowExW(0, kWindowClassName, tool.name, kWindowStyle, x, y, size.cx,
                                  size.cy, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;

    app_state.main_window = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(tool.input_count > 0 ? app_state.input_edits[0] : app_state.buttons[0]);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handle_window_key(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
