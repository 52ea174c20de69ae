// The main window: creation, painting, colouring and the message loop. Layout,
// colours, fonts and texts come from window_layout.h, command_text.h and
// input_field.h; this file only hands them to Win32 and runs the commands of
// commands.h.
#include "main_window.h"

#include "../engine/wide_text.h"
#include "app_state.h"
#include "command_text.h"
#include "commands.h"
#include "input_field.h"
#include "print/print_command.h"
#include "window_layout.h"

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

void create_fonts_and_brushes() {
    for (const FontSpec& spec : kFontTable) {
        app_state.fonts[spec.id] =
            CreateFontW(-spec.height, 0, 0, 0, spec.weight, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, spec.face);
    }
    app_state.panel_brush = CreateSolidBrush(colour_ref(kPanelColour));
    app_state.background_brush = CreateSolidBrush(colour_ref(kBackgroundColour));
}

// Creates one control of the table at row top `row_top` (0 for panel controls)
// with the given id and text, and attaches its font.
HWND create_control(HWND parent, const ControlSpec& spec, int32_t row_top, int32_t id,
                    const wchar_t* text) {
    HWND control = CreateWindowExW(spec.ex_style, spec.class_name, text, spec.style, spec.x,
                                   row_top + spec.y, spec.width, spec.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   app_state.instance, nullptr);
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
        case ControlRole::result_edit: app_state.result_edit = control; break;
        case ControlRole::note_label: app_state.note_label = control; break;
        case ControlRole::button: app_state.buttons[spec.id - kCalculateId] = control; break;
        default: break;
    }
}

// ---- Message handlers -------------------------------------------------------

LRESULT on_create(HWND window) {
    app_state.main_window = window;
    for (int32_t i = 0; i < clamped_input_count(*app_state.tool); ++i) {
        create_input_row(window, i);
    }
    if (app_state.tool->input_count <= 0) create_panel_control(window, kNoInputsControl);
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
        const Box box = paint_step_box(step, client.right - client.left, client.bottom - client.top);
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
    SetTextColor(dc, colour_ref(static_text_colour(role, app_state.level)));
    return reinterpret_cast<LRESULT>(app_state.panel_brush);
}

// The window's outer size: a client area of kClientWidth x kClientHeight with
// the frame of kWindowStyle. The window is created at this size, and it is the
// only size it tracks, so the client area stays the one the layout is drawn for.
SIZE window_size() {
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kWindowStyle, FALSE);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
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

// Runs the command of a button; false for any other id.
bool run_command(int32_t id) {
    switch (id) {
        case kCalculateId: on_calculate(); return true;
        case kSaveId: on_save_record(); return true;
        case kCopyId: on_copy_result(); return true;
        case kResetId: on_reset_inputs(); return true;
        case kAboutId: on_about(); return true;
        case kPrintId: on_print(); return true;
        default: return false;
    }
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

// Enter or F5 aimed at any control of the main window runs calculate.
bool is_calculate_key(const MSG& message) {
    return message.message == WM_KEYDOWN &&
           (message.wParam == VK_RETURN || message.wParam == VK_F5) &&
           IsChild(app_state.main_window, message.hwnd);
}

// Ctrl+P (without Alt, which with Ctrl is AltGr) aimed at the main window or
// any of its controls runs print.
bool is_print_key(const MSG& message) {
    return message.message == WM_KEYDOWN && message.wParam == 'P' &&
           (GetKeyState(VK_CONTROL) & 0x8000) != 0 && (GetKeyState(VK_MENU) & 0x8000) == 0 &&
           (message.hwnd == app_state.main_window || IsChild(app_state.main_window, message.hwnd));
}

}  // namespace

int run_main_window(HINSTANCE instance, const ToolDef& tool) {
    app_state.instance = instance;
    app_state.tool = &tool;
    app_state.level = 0;
    app_state.detail_text[0] = 0;
    app_state.focus_to_restore = nullptr;
    app_state.filling_inputs = false;
    create_fonts_and_brushes();
    register_window_class();

    const SIZE size = window_size();
    const int32_t x = centred_origin(GetSystemMetrics(SM_CXSCREEN), size.cx);
    const int32_t y = centred_origin(GetSystemMetrics(SM_CYSCREEN), size.cy);
    HWND window = CreateWindowExW(0, kWindowClassName, tool.name, kWindowStyle, x, y, size.cx,
                                  size.cy, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;

    app_state.main_window = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(tool.input_count > 0 ? app_state.input_edits[0] : app_state.buttons[0]);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (is_calculate_key(message)) {
            on_calculate();
            continue;
        }
        if (is_print_key(message)) {
            on_print();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
