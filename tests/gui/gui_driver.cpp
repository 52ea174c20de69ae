// Drives the running program from outside, the way the GUI tests need it: finds
// the main window by its class, reads and sets control texts, clicks buttons,
// reads and closes message boxes, reads the clipboard, holds files and the
// clipboard, compares the painted status line, and checks the program's
// resources. A Windows console program, run under Wine next to the program.
//
//   gui_driver <command> [arguments] [<command> [arguments]] ...
//
// The driver is DPI aware, as the program is, so that it sees the window's
// real pixels at any DPI. Its layout checks scale the program's tables by the
// factor given with "scale" (1 until then).
//
// Commands run in order; the first that fails prints "FAIL ..." on stderr and
// ends the driver with exit code 1. Text arguments take the escapes \uXXXX, \r,
// \n, \t and \\, so that any text passes through the command line unharmed.
// Waiting commands poll until their condition holds or their time is up.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "window/window_layout.h"
#include "window/window_scale.h"

namespace {

const DWORD kPollMs = 25;
const DWORD kDefaultWaitMs = 10000;  // for every waiting command

HWND main_window = nullptr;
LayoutScale layout_scale = kDesignScale;  // the program's factor, as the case expects it
HANDLE held_file = INVALID_HANDLE_VALUE;
bool holding_clipboard = false;

// ---- Output ---------------------------------------------------------------

void write_utf8(HANDLE stream, const std::wstring& text) {
    if (text.empty()) return;
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], bytes,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(stream, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void print(const std::wstring& text) { write_utf8(GetStdHandle(STD_OUTPUT_HANDLE), text + L"\n"); }

// Shows control characters and non-ASCII units as escapes, for messages.
std::wstring visible(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') {
            out += L"\\r";
        } else if (c == L'\n') {
            out += L"\\n";
        } else if (c == L'\t') {
            out += L"\\t";
        } else {
            out += c;
        }
    }
    return out;
}

bool fail(const std::wstring& message) {
    write_utf8(GetStdHandle(STD_ERROR_HANDLE), L"FAIL " + message + L"\n");
    return false;
}

bool expect_equal(const wchar_t* what, const std::wstring& actual, const std::wstring& expected) {
    if (actual == expected) return true;
    return fail(std::wstring(what) + L": expected \"" + visible(expected) + L"\" but got \"" +
                visible(actual) + L"\"");
}

// ---- Arguments ------------------------------------------------------------

std::wstring unescape(const wchar_t* text) {
    std::wstring out;
    for (const wchar_t* p = text; *p != 0; ++p) {
        if (*p != L'\\' || p[1] == 0) {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
            case L'r': out += L'\r'; break;
            case L'n': out += L'\n'; break;
            case L't': out += L'\t'; break;
            case L'u': {
                wchar_t digits[5] = {};
                for (int i = 0; i < 4 && p[1] != 0; ++i) digits[i] = *++p;
                out += static_cast<wchar_t>(std::wcstoul(digits, nullptr, 16));
                break;
            }
            default: out += *p; break;
        }
    }
    return out;
}

int number(const wchar_t* text) { return static_cast<int>(std::wcstol(text, nullptr, 0)); }

// ---- Windows and controls -----------------------------------------------------

HWND find_main() {
    if (main_window == nullptr || !IsWindow(main_window)) {
        main_window = FindWindowW(kWindowClassName, nullptr);
    }
    return main_window;
}

HWND control(int id) {
    HWND window = find_main();
    return window ? GetDlgItem(window, id) : nullptr;
}

// The text of a window of another process: WM_GETTEXT reaches the control's own
// text (GetWindowTextW would only read the caption of a foreign window).
std::wstring window_text(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 2, L'\0');
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    return text.data();
}

std::wstring class_name(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

template <typename Condition>
bool wait_for(DWORD timeout_ms, Condition condition) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeout_ms) return false;
        Sleep(kPollMs);
    }
}

// Stops at the visible message box owned by the main window, storing it in
// *data. A named CALLBACK function: a 32-bit Windows calls it as stdcall.
BOOL CALLBACK stop_at_box(HWND window, LPARAM data) {
    if (IsWindowVisible(window) && class_name(window) == L"#32770" &&
        GetWindow(window, GW_OWNER) == main_window) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

// The visible message box owned by the main window, or null.
HWND find_box() {
    HWND found = nullptr;
    EnumWindows(stop_at_box, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The message text of a box: its longest static text (the icon's static is empty).
std::wstring box_text(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(class_name(child).c_str(), L"Static") != 0) continue;
        std::wstring candidate = window_text(child);
        if (candidate.size() > text.size()) text = candidate;
    }
    return text;
}

HWND focus_of_main() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(find_main(), nullptr), &info);
    return info.hwndFocus;
}

std::wstring clipboard_text() {
    std::wstring text;
    for (int attempt = 0; attempt < 40 && !OpenClipboard(nullptr); ++attempt) Sleep(kPollMs);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data != nullptr) {
        const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data));
        if (units != nullptr) text = units;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// ---- Painted status line --------------------------------------------------------

COLORREF colour_ref(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

// The paint step of the footer's status line, as the program's layout has it.
const PaintStep& status_step() {
    for (const PaintStep& step : kPaintSteps) {
        if (step.text == PaintText::status) return step;
    }
    return kPaintSteps[kPaintStepCount - 1];
}

// The status line's box in the main window's client area.
Box status_box() {
    RECT client = {};
    GetClientRect(find_main(), &client);
    return scaled_paint_box(status_step(), client.right, client.bottom, layout_scale);
}

// A 32-bit top-down bitmap of the status box's size with its own DC.
struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    DWORD* pixels;
    int width;
    int height;
};

Canvas make_canvas(int width, int height) {
    Canvas canvas = {};
    canvas.width = width;
    canvas.height = height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    canvas.dc = CreateCompatibleDC(nullptr);
    canvas.bitmap = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    canvas.pixels = static_cast<DWORD*>(bits);
    canvas.old = SelectObject(canvas.dc, canvas.bitmap);
    return canvas;
}

void free_canvas(Canvas& canvas) {
    SelectObject(canvas.dc, canvas.old);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
}

// A font of the program's table at the factor of the layout checks, made as
// the program makes it.
HFONT table_font(FontId id) {
    const FontSpec& spec = kFontTable[id];
    return CreateFontW(-scaled_font_height(spec, layout_scale), 0, 0, 0, spec.weight, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, spec.face);
}

// The status text as the program paints it: the status step's font and colour,
// right aligned, over the footer band.
void render_status(Canvas& canvas, const std::wstring& text) {
    const PaintStep& step = status_step();
    RECT all = {0, 0, canvas.width, canvas.height};
    HBRUSH brush = CreateSolidBrush(colour_ref(kFooterColour));
    FillRect(canvas.dc, &all, brush);
    DeleteObject(brush);
    HFONT font = table_font(step.font);
    HGDIOBJ old_font = SelectObject(canvas.dc, font);
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, colour_ref(step.colour));
    DrawTextW(canvas.dc, text.c_str(), -1, &all,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_RIGHT);
    SelectObject(canvas.dc, old_font);
    DeleteObject(font);
}

// What the screen shows in the status box of the main window.
void capture_status(Canvas& canvas) {
    const Box box = status_box();
    POINT origin = {box.left, box.top};
    ClientToScreen(find_main(), &origin);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

int differing_pixels(const Canvas& a, const Canvas& b) {
    int count = 0;
    for (int i = 0; i < a.width * a.height; ++i) {
        if ((a.pixels[i] & 0xFFFFFF) != (b.pixels[i] & 0xFFFFFF)) ++count;
    }
    return count;
}

// ---- Resources of an executable ---------------------------------------------------

uint32_t big_endian32(const BYTE* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

const void* resource_data(HMODULE module, const wchar_t* type, const wchar_t* name, DWORD* size) {
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) return nullptr;
    *size = SizeofResource(module, found);
    return LockResource(LoadResource(module, found));
}

bool check_icon(HMODULE module) {
    DWORD size = 0;
    const BYTE* group =
        static_cast<const BYTE*>(resource_data(module, RT_GROUP_ICON, MAKEINTRESOURCEW(1), &size));
    if (group == nullptr) return fail(L"check-resources: no icon group 1");
    const GroupIconHeader* header = reinterpret_cast<const GroupIconHeader*>(group);
    if (header->count != 7) return fail(L"check-resources: icon group 1 has " +
                                        std::to_wstring(header->count) + L" images, not 7");
    const int sizes[7] = {16, 24, 32, 48, 64, 128, 256};
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    for (int i = 0; i < 7; ++i) {
        DWORD image_size = 0;
        const BYTE* image = static_cast<const BYTE*>(
            resource_data(module, RT_ICON, MAKEINTRESOURCEW(entries[i].id), &image_size));
        const BYTE png_signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        if (image == nullptr || image_size < 24 || memcmp(image, png_signature, 8) != 0) {
            return fail(L"check-resources: icon image " + std::to_wstring(i) + L" is not a PNG");
        }
        const uint32_t width = big_endian32(image + 16);
        const uint32_t height = big_endian32(image + 20);
        if (width != uint32_t(sizes[i]) || height != uint32_t(sizes[i])) {
            return fail(L"check-resources: icon image " + std::to_wstring(i) + L" is " +
                        std::to_wstring(width) + L"x" + std::to_wstring(height));
        }
    }
    print(L"icon group 1: 7 PNG images 16..256");
    return true;
}

bool check_version(const wchar_t* path, const std::wstring& publisher) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return fail(L"check-resources: no version resource");
    std::vector<BYTE> info(size);
    GetFileVersionInfoW(path, 0, size, info.data());
    struct Expected {
        const wchar_t* key;
        std::wstring value;
    };
    const Expected expected[] = {
        {L"ProductName", L"Kinetora"},
        {L"ProductVersion", L"1.0"},
        {L"FileVersion", L"1.0"},
        {L"CompanyName", publisher},
    };
    for (const Expected& item : expected) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\080404B0\\") + item.key;
        wchar_t* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) {
            return fail(std::wstring(L"check-resources: version has no ") + item.key);
        }
        if (!expect_equal(item.key, value, item.value)) return false;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
    if (fixed == nullptr || fixed->dwProductVersionMS != MAKELONG(0, 1)) {
        return fail(L"check-resources: fixed product version is not 1.0");
    }
    print(L"version: Kinetora 1.0, " + publisher);
    return true;
}

bool check_manifest(HMODULE module) {
    DWORD size = 0;
    const char* data =
        static_cast<const char*>(resource_data(module, RT_MANIFEST, MAKEINTRESOURCEW(1), &size));
    if (data == nullptr) return fail(L"check-resources: no manifest 1");
    const std::string manifest(data, size);
    const char* required[] = {
        "level=\"asInvoker\"",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
    };
    for (const char* text : required) {
        std::string flat;  // the manifest with runs of white space made single blanks
        for (char c : manifest) {
            const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
            if (!(blank && !flat.empty() && flat.back() == ' ')) flat += blank ? ' ' : c;
        }
        if (flat.find(text) == std::string::npos) {
            std::wstring wide(text, text + strlen(text));
            return fail(L"check-resources: manifest lacks " + wide);
        }
    }
    if (manifest.find("dpiAware") != std::string::npos ||
        manifest.find("dpiAwareness") != std::string::npos) {
        return fail(L"check-resources: manifest declares DPI awareness");
    }
    print(L"manifest: asInvoker, Windows 7 to 11, Common Controls 6, no DPI entry");
    return true;
}

// ---- Commands ---------------------------------------------------------------

using Args = wchar_t**;

bool cmd_wait_window(Args a) {
    if (!wait_for(number(a[0]), [] { return find_main() && IsWindowVisible(main_window); })) {
        return fail(std::wstring(L"wait-window: no visible window of class ") + kWindowClassName);
    }
    DWORD process_id = 0;
    GetWindowThreadProcessId(main_window, &process_id);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process_id);
    if (process != nullptr) {
        WaitForInputIdle(process, number(a[0]));
        CloseHandle(process);
    }
    return true;
}

bool cmd_wait_gone(Args a) {
    if (!wait_for(number(a[0]), [] { return FindWindowW(kWindowClassName, nullptr) == nullptr; })) {
        return fail(L"wait-gone: the main window is still there");
    }
    return true;
}

bool cmd_close(Args) {
    if (!find_main()) return fail(L"close: no main window");
    PostMessageW(main_window, WM_CLOSE, 0, 0);
    return true;
}

bool cmd_geometry(Args) {
    if (!find_main()) return fail(L"geometry: no main window");
    RECT client = {};
    GetClientRect(main_window, &client);
    POINT origin = {0, 0};
    ClientToScreen(main_window, &origin);
    print(std::to_wstring(origin.x) + L" " + std::to_wstring(origin.y) + L" " +
          std::to_wstring(client.right) + L" " + std::to_wstring(client.bottom));
    return true;
}

// The main window's outer rectangle and the screen's size:
// "<left> <top> <width> <height> <screen width> <screen height>".
bool cmd_window_rect(Args) {
    if (!find_main()) return fail(L"window-rect: no main window");
    RECT box = {};
    GetWindowRect(main_window, &box);
    print(std::to_wstring(box.left) + L" " + std::to_wstring(box.top) + L" " +
          std::to_wstring(box.right - box.left) + L" " + std::to_wstring(box.bottom - box.top) +
          L" " + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" " +
          std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    return true;
}

bool cmd_centre(Args a) {
    HWND target = control(number(a[0]));
    if (!target) return fail(L"centre: no control " + std::wstring(a[0]));
    RECT box = {};
    GetWindowRect(target, &box);
    print(std::to_wstring((box.left + box.right) / 2) + L" " +
          std::to_wstring((box.top + box.bottom) / 2));
    return true;
}

bool cmd_text(Args a) {
    HWND target = control(number(a[0]));
    if (!target) return fail(L"text: no control " + std::wstring(a[0]));
    print(window_text(target));
    return true;
}

bool cmd_expect_text(Args a) {
    const std::wstring expected = unescape(a[1]);
    HWND target = control(number(a[0]));
    if (!target) return fail(L"expect-text: no control " + std::wstring(a[0]));
    if (wait_for(kDefaultWaitMs, [&] { return window_text(target) == expected; })) return true;
    return expect_equal((L"expect-text " + std::wstring(a[0])).c_str(), window_text(target), expected);
}

// The child control whose top-left corner is at (x, y) of the client area: the
// way to reach the statics, which have no ids.
HWND control_at(int x, int y) {
    if (!find_main()) return nullptr;
    for (HWND child = GetWindow(main_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box = {};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&box), 2);
        if (box.left == x && box.top == y) return child;
    }
    return nullptr;
}

bool cmd_expect_text_at(Args a) {
    const std::wstring expected = unescape(a[2]);
    HWND target = control_at(number(a[0]), number(a[1]));
    if (!target) return fail(L"expect-text-at: no control at " + std::wstring(a[0]) + L"," + a[1]);
    if (wait_for(kDefaultWaitMs, [&] { return window_text(target) == expected; })) return true;
    return expect_equal(L"expect-text-at", window_text(target), expected);
}

// Line n (from 0; lines end with CR LF) of a control's text.
std::wstring text_line(const std::wstring& text, int n) {
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) return L"<no line " + std::to_wstring(n) + L">";
        start = end + 2;
    }
    const size_t end = text.find(L"\r\n", start);
    return text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

bool cmd_expect_text_line(Args a) {
    const std::wstring expected = unescape(a[2]);
    HWND target = control(number(a[0]));
    const int n = number(a[1]);
    if (!target) return fail(L"expect-text-line: no control " + std::wstring(a[0]));
    if (wait_for(kDefaultWaitMs, [&] { return text_line(window_text(target), n) == expected; })) {
        return true;
    }
    return expect_equal((L"expect-text-line " + std::wstring(a[0]) + L" " + a[1]).c_str(),
                        text_line(window_text(target), n), expected);
}

bool cmd_expect_length(Args a) {
    HWND target = control(number(a[0]));
    if (!target) return fail(L"expect-length: no control " + std::wstring(a[0]));
    const size_t expected = size_t(number(a[1]));
    if (wait_for(kDefaultWaitMs, [&] { return window_text(target).size() == expected; })) return true;
    const size_t length = window_text(target).size();
    return fail(L"expect-length " + std::wstring(a[0]) + L": " + std::to_wstring(length) +
                L" units, expected " + a[1]);
}

// Types text into the window that has the keyboard focus as an input method
// delivers it: one Unicode key event (VK_PACKET) per unit, down and up.
bool cmd_type_unicode(Args a) {
    const std::wstring text = unescape(a[0]);
    for (wchar_t unit : text) {
        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = unit;
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        if (SendInput(2, keys, sizeof(INPUT)) != 2) return fail(L"type-unicode: input refused");
    }
    return true;
}

bool cmd_set_text(Args a) {
    HWND target = control(number(a[0]));
    if (!target) return fail(L"set-text: no control " + std::wstring(a[0]));
    const std::wstring text = unescape(a[1]);
    SendMessageW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

bool cmd_click(Args a) {
    HWND target = control(number(a[0]));
    if (!target) return fail(L"click: no control " + std::wstring(a[0]));
    PostMessageW(target, BM_CLICK, 0, 0);
    return true;
}

bool cmd_expect_box(Args a) {
    const std::wstring caption = unescape(a[0]);
    const std::wstring text = unescape(a[1]);
    if (!find_main()) return fail(L"expect-box: no main window");
    HWND box = nullptr;
    if (!wait_for(kDefaultWaitMs, [&] { return (box = find_box()) != nullptr; })) {
        return fail(L"expect-box: no message box \"" + caption + L"\" appeared");
    }
    // The text control is filled when the box is created; read once it is shown.
    wait_for(kDefaultWaitMs, [&] { return !box_text(box).empty(); });
    const std::wstring actual_caption = window_text(box);
    const std::wstring actual_text = box_text(box);
    HWND ok_button = GetDlgItem(box, IDOK);
    if (ok_button != nullptr) {
        PostMessageW(ok_button, BM_CLICK, 0, 0);
    } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    if (!wait_for(kDefaultWaitMs, [&] { return !IsWindow(box); })) {
        return fail(L"expect-box: the box did not close");
    }
    return expect_equal(L"box caption", actual_caption, caption) &&
           expect_equal(L"box text", actual_text, text);
}

// Waits for a message box with the caption and leaves it open, for a real key
// to close it.
bool cmd_wait_box(Args a) {
    const std::wstring caption = unescape(a[0]);
    if (!find_main()) return fail(L"wait-box: no main window");
    HWND box = nullptr;
    if (!wait_for(kDefaultWaitMs, [&] { return (box = find_box()) != nullptr; })) {
        return fail(L"wait-box: no message box \"" + caption + L"\" appeared");
    }
    return expect_equal(L"box caption", window_text(box), caption);
}

bool cmd_wait_no_box(Args) {
    if (!find_main()) return fail(L"wait-no-box: no main window");
    if (wait_for(kDefaultWaitMs, [] { return find_box() == nullptr; })) return true;
    return fail(L"wait-no-box: the box is still open");
}

bool cmd_expect_no_box(Args) {
    if (!find_main()) return fail(L"expect-no-box: no main window");
    HWND box = find_box();
    if (box == nullptr) return true;
    return fail(L"expect-no-box: a box is open: \"" + window_text(box) + L"\" " +
                visible(box_text(box)));
}

bool cmd_expect_focus(Args a) {
    const int id = number(a[0]);
    HWND expected = id == 0 ? find_main() : control(id);
    if (wait_for(kDefaultWaitMs, [&] { return focus_of_main() == expected; })) return true;
    HWND actual = focus_of_main();
    return fail(L"expect-focus: focus is on id " + std::to_wstring(GetDlgCtrlID(actual)) + L" (" +
                class_name(actual) + L"), expected " + a[0]);
}

bool cmd_expect_clipboard(Args a) {
    const std::wstring expected = unescape(a[0]);
    if (wait_for(kDefaultWaitMs, [&] { return clipboard_text() == expected; })) return true;
    return expect_equal(L"clipboard", clipboard_text(), expected);
}

// The clipboard holds the window caption, CR LF, the inputs line given (with
// the driver's escapes), CR LF and the report box's whole text: a custom
// report's copy, however long.
bool cmd_expect_clipboard_report(Args a) {
    if (!find_main()) return fail(L"expect-clipboard-report: no main window");
    const std::wstring expected = window_text(main_window) + L"\r\n" + unescape(a[0]) + L"\r\n" +
                                  window_text(control(3000));
    if (wait_for(kDefaultWaitMs, [&] { return clipboard_text() == expected; })) return true;
    const std::wstring got = clipboard_text();
    if (got.size() != expected.size()) {
        return fail(L"expect-clipboard-report: " + std::to_wstring(got.size()) + L" units, expected " +
                    std::to_wstring(expected.size()) + L": the caption, the inputs line and the whole report");
    }
    return expect_equal(L"clipboard report", got, expected);
}

bool cmd_set_clipboard(Args a) {
    const std::wstring text = unescape(a[0]);
    if (!OpenClipboard(nullptr)) return fail(L"set-clipboard: cannot open the clipboard");
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    CloseClipboard();
    return true;
}

// Writes the bytes of the clipboard's registered format NAME (as the program
// placed them, up to the block's first zero byte) to FILE (escaped, as texts
// are); fails when the clipboard holds no such format.
bool cmd_save_clipboard_format(Args a) {
    const UINT format = RegisterClipboardFormatW(a[0]);
    for (int attempt = 0; attempt < 40 && !OpenClipboard(nullptr); ++attempt) Sleep(kPollMs);
    HANDLE data = GetClipboardData(format);
    std::string bytes;
    const char* block = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (block != nullptr) {
        bytes.assign(block, strnlen(block, GlobalSize(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    if (block == nullptr) return fail(std::wstring(L"save-clipboard-format: no ") + a[0] + L" on the clipboard");
    const std::wstring path = unescape(a[1]);
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) return fail(L"save-clipboard-format: cannot write " + path);
    const bool whole = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (fclose(file) == 0 && whole) || fail(L"save-clipboard-format: write failed");
}

bool cmd_hold_clipboard(Args) {
    if (!OpenClipboard(nullptr)) return fail(L"hold-clipboard: cannot open the clipboard");
    holding_clipboard = true;
    return true;
}

bool cmd_release_clipboard(Args) {
    if (holding_clipboard) CloseClipboard();
    holding_clipboard = false;
    return true;
}

// Opens the file without any sharing, as a spreadsheet program does, and keeps it
// open until unlock-file or the driver's end.
bool cmd_lock_file(Args a) {
    held_file = CreateFileW(unescape(a[0]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held_file == INVALID_HANDLE_VALUE) return fail(L"lock-file: cannot open " + std::wstring(a[0]));
    return true;
}

bool cmd_unlock_file(Args) {
    if (held_file != INVALID_HANDLE_VALUE) CloseHandle(held_file);
    held_file = INVALID_HANDLE_VALUE;
    return true;
}

bool cmd_expect_status(Args a) {
    const std::wstring text = unescape(a[0]);
    if (!find_main()) return fail(L"expect-status: no main window");
    const Box box = status_box();
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    Canvas expected = make_canvas(width, height);
    Canvas actual = make_canvas(width, height);
    render_status(expected, text);
    int differing = 0;
    const bool same = wait_for(kDefaultWaitMs, [&] {
        capture_status(actual);
        differing = differing_pixels(expected, actual);
        return differing == 0;
    });
    free_canvas(expected);
    free_canvas(actual);
    if (same) return true;
    return fail(L"expect-status: the status line does not show \"" + text + L"\" (" +
                std::to_wstring(differing) + L" pixels differ)");
}

bool cmd_local_appdata(Args) {
    wchar_t folder[MAX_PATH] = {};
    typedef HRESULT(WINAPI * GetFolderPath)(HWND, int, HANDLE, DWORD, wchar_t*);
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    GetFolderPath get = reinterpret_cast<GetFolderPath>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathW")));
    if (get == nullptr || get(nullptr, 0x1C /* CSIDL_LOCAL_APPDATA */, nullptr, 0, folder) != S_OK) {
        return fail(L"local-appdata: the folder query failed");
    }
    print(folder);
    return true;
}

// The Unix path of a Windows path, through Wine's own export.
bool cmd_unix_path(Args a) {
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    ToUnix to_unix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (to_unix == nullptr) return fail(L"unix-path: not running under Wine");
    char* path = to_unix(unescape(a[0]).c_str());
    if (path == nullptr) return fail(L"unix-path: no Unix path for " + std::wstring(a[0]));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), path, static_cast<DWORD>(strlen(path)), &written, nullptr);
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "\n", 1, &written, nullptr);
    HeapFree(GetProcessHeap(), 0, path);
    return true;
}

bool cmd_window_info(Args) {
    if (!find_main()) return fail(L"window-info: no main window");
    RECT client = {};
    GetClientRect(main_window, &client);
    MINMAXINFO limits = {};
    SendMessageW(main_window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    wchar_t line[256];
    swprintf(line, 256, L"class-style=0x%lX style=0x%08lX exstyle=0x%08lX client=%ldx%ld "
             L"min-track=%ldx%ld max-track=%ldx%ld caption=",
             static_cast<unsigned long>(GetClassLongPtrW(main_window, GCL_STYLE)),
             static_cast<unsigned long>(GetWindowLongW(main_window, GWL_STYLE)),
             static_cast<unsigned long>(GetWindowLongW(main_window, GWL_EXSTYLE)),
             client.right, client.bottom, limits.ptMinTrackSize.x, limits.ptMinTrackSize.y,
             limits.ptMaxTrackSize.x, limits.ptMaxTrackSize.y);
    print(line + window_text(main_window));
    return true;
}

// One line per child control in creation order: class, id, style, extended
// style, rectangle in client coordinates, text.
bool cmd_controls(Args) {
    if (!find_main()) return fail(L"controls: no main window");
    for (HWND child = GetWindow(main_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box = {};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&box), 2);
        wchar_t line[160];
        swprintf(line, 160, L"%ls id=%d style=0x%08lX exstyle=0x%08lX at=%ld,%ld size=%ldx%ld text=",
                 class_name(child).c_str(), GetDlgCtrlID(child),
                 static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)),
                 static_cast<unsigned long>(GetWindowLongW(child, GWL_EXSTYLE)), box.left, box.top,
                 box.right - box.left, box.bottom - box.top);
        print(line + visible(window_text(child)));
    }
    return true;
}

bool cmd_check_resources(Args a) {
    const std::wstring path = unescape(a[0]);
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return fail(L"check-resources: cannot load " + path);
    const bool ok = check_icon(module) && check_manifest(module) &&
                    check_version(path.c_str(), unescape(a[1]));
    FreeLibrary(module);
    return ok;
}

bool cmd_sleep(Args a) {
    Sleep(number(a[0]));
    return true;
}

// Where the open message box shows its parts, in screen pixels, for the cases'
// pixel checks; the box stays open (expect-box closes it). Prints
//   box X Y W H             the box's client area
//   text X Y W H            its message (the longest static text)
//   button X Y W H <text>   each of its buttons
void print_rect(const wchar_t* what, const RECT& r, const std::wstring& text) {
    print(std::wstring(what) + L" " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) +
          L" " + std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top) +
          (text.empty() ? L"" : L" " + text));
}

RECT window_rect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

bool cmd_box_layout(Args) {
    if (!find_main()) return fail(L"box-layout: no main window");
    HWND box = nullptr;
    if (!wait_for(kDefaultWaitMs, [&] { return (box = find_box()) != nullptr; })) {
        return fail(L"box-layout: no message box appeared");
    }
    wait_for(kDefaultWaitMs, [&] { return !box_text(box).empty(); });
    RECT client;
    GetClientRect(box, &client);
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
    print_rect(L"box", client, L"");
    HWND message = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = class_name(child);
        if (_wcsicmp(kind.c_str(), L"Button") == 0) {
            print_rect(L"button", window_rect(child), window_text(child));
        }
        if (_wcsicmp(kind.c_str(), L"Static") == 0 &&
            (message == nullptr || window_text(child).size() > window_text(message).size())) {
            message = child;
        }
    }
    if (message == nullptr) return fail(L"box-layout: the box has no text");
    print_rect(L"text", window_rect(message), L"");
    return true;
}

// The factor of the program's layout for the checks that follow: its DPI over
// 96, or its fit factor, as the case expects it.
bool cmd_scale(Args a) {
    layout_scale = LayoutScale{number(a[0]), number(a[1])};
    if (layout_scale.numerator > 0 && layout_scale.denominator > 0) return true;
    return fail(L"scale: not a factor: " + std::wstring(a[0]) + L"/" + a[1]);
}

// The work area of the main window's monitor: "<left> <top> <right> <bottom>".
bool cmd_work_area(Args) {
    if (!find_main()) return fail(L"work-area: no main window");
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(main_window, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& r = info.rcWork;
    print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) +
          L" " + std::to_wstring(r.bottom));
    return true;
}

// The table entry a control of the main window was made from: the one whose
// box at the layout factor is the control's box. Input rows are tried for
// every row a tool can have.
const ControlSpec* spec_of(const RECT& box) {
    auto same = [&](const ControlSpec& spec, int32_t row_top) {
        const Box scaled = scaled_control_box(spec, row_top, layout_scale);
        return scaled.left == box.left && scaled.top == box.top && scaled.right == box.right &&
               scaled.bottom == box.bottom;
    };
    for (const ControlSpec& spec : kPanelControls) {
        if (same(spec, 0)) return &spec;
    }
    if (same(kNoInputsControl, 0)) return &kNoInputsControl;
    for (int32_t row = 0; row < 16; ++row) {
        for (const ControlSpec& spec : kInputRowControls) {
            if (same(spec, input_row_top(row))) return &spec;
        }
        if (same(kChoicesControl, input_row_top(row))) return &kChoicesControl;
    }
    return nullptr;
}

// Every control of the main window sits where the program's tables put it at
// the layout factor, and every static text and button caption fits its
// control at the table's font at that factor: a static's text, wrapped as the
// static wraps it, within its box; a button's caption on one line inside its
// focus rectangle. Prints one line per control measured.
bool cmd_check_text_fit(Args) {
    if (!find_main()) return fail(L"check-text-fit: no main window");
    HDC dc = CreateCompatibleDC(nullptr);
    int measured = 0;
    bool ok = true;
    for (HWND child = GetWindow(main_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box = {};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&box), 2);
        const std::wstring kind = class_name(child);
        const std::wstring where = kind + L" at " + std::to_wstring(box.left) + L"," +
                                   std::to_wstring(box.top) + L" " +
                                   std::to_wstring(box.right - box.left) + L"x" +
                                   std::to_wstring(box.bottom - box.top);
        const ControlSpec* spec = spec_of(box);
        if (spec == nullptr) {
            ok = fail(L"check-text-fit: " + where + L" is no box of the layout at " +
                      std::to_wstring(layout_scale.numerator) + L"/" +
                      std::to_wstring(layout_scale.denominator));
            continue;
        }
        const bool is_button = spec->role == ControlRole::button;
        if (_wcsicmp(kind.c_str(), L"Static") != 0 && !is_button) continue;
        const std::wstring text = window_text(child);
        if (text.empty()) continue;
        HFONT font = table_font(is_button ? kButtonFont : spec->font);
        HGDIOBJ old_font = SelectObject(dc, font);
        const int width = box.right - box.left;
        const int height = box.bottom - box.top;
        int room_width = width;
        int room_height = height;
        RECT need = {0, 0, width, 0};
        if (is_button) {
            const int inset = scale_length(kButtonFocusInset, layout_scale) + 1;
            room_width -= 2 * inset;
            room_height -= 2 * inset;
            SIZE extent = {};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            need.right = extent.cx;
            need.bottom = extent.cy;
        } else {
            DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        }
        SelectObject(dc, old_font);
        DeleteObject(font);
        ++measured;
        const std::wstring sizes = L"needs " + std::to_wstring(need.right - need.left) + L"x" +
                                   std::to_wstring(need.bottom - need.top) + L", has " +
                                   std::to_wstring(room_width) + L"x" + std::to_wstring(room_height);
        if (need.right - need.left > room_width || need.bottom - need.top > room_height) {
            ok = fail(L"check-text-fit: " + where + L" \"" + visible(text) + L"\" is clipped: " + sizes);
        } else {
            print(where + L": " + sizes);
        }
    }
    DeleteDC(dc);
    if (measured == 0) return fail(L"check-text-fit: no text measured");
    return ok;
}

// The lines an edit control shows, one a line as it wraps them (CR LF left out).
bool cmd_shown_lines(Args a) {
    HWND target = control(number(a[0]));
    if (!target) return fail(L"shown-lines: no control " + std::wstring(a[0]));
    const std::wstring text = window_text(target);
    const int count = static_cast<int>(SendMessageW(target, EM_GETLINECOUNT, 0, 0));
    for (int line = 0; line < count; ++line) {
        const int start = static_cast<int>(SendMessageW(target, EM_LINEINDEX, line, 0));
        const int length = static_cast<int>(SendMessageW(target, EM_LINELENGTH, start, 0));
        if (start < 0 || start + length > static_cast<int>(text.size())) {
            return fail(L"shown-lines: line " + std::to_wstring(line) + L" lies outside the text");
        }
        print(text.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
    }
    return true;
}

// Each character an edit control shows draws as ink, and not as the picture of
// a character no font has: a face without the character draws nothing there,
// or its missing-glyph box. That picture is read from U+0378 (never assigned),
// which the text should hold; "口" and "o" are boxes of their own. Reads the
// screen, one cell a character from EM_POSFROMCHAR, for the first showing of
// each character in the lines in view; the text should hold its characters
// apart (a blank after each), as a neighbour's ink would count. Prints the
// number of characters read.
bool cmd_check_glyphs(Args a) {
    constexpr wchar_t kNoCharacter = 0x0378;
    HWND target = control(number(a[0]));
    if (!target) return fail(L"check-glyphs: no control " + std::wstring(a[0]));
    const std::wstring text = window_text(target);
    RECT client = {};
    GetClientRect(target, &client);
    Canvas canvas = make_canvas(client.right, client.bottom);
    POINT origin = {0, 0};
    ClientToScreen(target, &origin);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const DWORD background = canvas.pixels[0] & 0xFFFFFF;
    auto ink = [&](int x, int y) {
        const DWORD p = canvas.pixels[y * canvas.width + x];
        int darkest = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = static_cast<int>((background >> shift) & 0xFF) -
                          static_cast<int>((p >> shift) & 0xFF);
            if (d > darkest) darkest = d;
        }
        return darkest > 32;
    };
    std::vector<POINT> at(text.size() + 1);
    int line_height = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const LRESULT r = SendMessageW(target, EM_POSFROMCHAR, i, 0);
        at[i] = POINT{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
        if (i > 0 && at[i].y > at[i - 1].y &&
            (line_height == 0 || at[i].y - at[i - 1].y < line_height)) {
            line_height = at[i].y - at[i - 1].y;
        }
    }
    if (line_height <= 0) line_height = client.bottom;
    // The ink of character i's cell, one mark a pixel; empty when the cell is
    // not wholly in view.
    auto picture = [&](size_t i) {
        std::wstring marks;
        const int left = at[i].x;
        const int right = at[i + 1].x;
        const int top = at[i].y;
        if (at[i + 1].y != top || right <= left || top < 0 || left < 0 ||
            right > canvas.width || top + line_height > canvas.height) {
            return marks;
        }
        for (int y = top; y < top + line_height; ++y) {
            for (int x = left; x < right; ++x) marks += ink(x, y) ? L'#' : L'.';
            marks += L'|';
        }
        return marks;
    };
    const size_t probe = text.find(kNoCharacter);
    const std::wstring no_character = probe == std::wstring::npos ? L"" : picture(probe);
    if (no_character.empty()) return fail(L"check-glyphs: U+0378 is not in view");
    std::wstring seen;
    std::wstring missing;
    int read = 0;
    for (size_t i = 0; i + 1 < at.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L' ' || c == L'\r' || c == L'\n' || c == kNoCharacter ||
            seen.find(c) != std::wstring::npos) {
            continue;
        }
        const std::wstring marks = picture(i);
        if (marks.empty()) continue;
        seen += c;
        ++read;
        if (marks.find(L'#') == std::wstring::npos || marks == no_character) missing += c;
    }
    free_canvas(canvas);
    print(L"glyphs read " + std::to_wstring(read));
    if (read == 0) return fail(L"check-glyphs: no character in view");
    if (!missing.empty()) return fail(L"check-glyphs: drawn blank or as a missing glyph: " + missing);
    return true;
}

// Sends the main window WM_DPICHANGED for <dpi>, as Windows does when the
// window moves to a monitor of that DPI, suggesting the window's present
// rectangle. The message carries a pointer to that rectangle, so it is written
// into the program's own memory.
bool cmd_dpi_changed(Args a) {
    if (!find_main()) return fail(L"dpi-changed: no main window");
    const int dpi = number(a[0]);
    DWORD process_id = 0;
    GetWindowThreadProcessId(main_window, &process_id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_id);
    if (process == nullptr) return fail(L"dpi-changed: cannot open the program's process");
    RECT suggested = {};
    GetWindowRect(main_window, &suggested);
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    bool ok = remote != nullptr &&
              WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    DWORD_PTR result = 0;
    if (ok) {
        ok = SendMessageTimeoutW(main_window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                                 reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 10000,
                                 &result) != 0;
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok ? true : fail(L"dpi-changed: the message could not be delivered");
}

struct Command {
    const wchar_t* name;
    int argument_count;
    bool (*run)(Args);
};

const Command kCommands[] = {
    // name                       args  handler
    {L"wait-window",              1,    cmd_wait_window},
    {L"wait-gone",                1,    cmd_wait_gone},
    {L"close",                    0,    cmd_close},
    {L"geometry",                 0,    cmd_geometry},
    {L"window-rect",              0,    cmd_window_rect},
    {L"centre",                   1,    cmd_centre},
    {L"text",                     1,    cmd_text},
    {L"expect-text",              2,    cmd_expect_text},
    {L"expect-text-at",           3,    cmd_expect_text_at},
    {L"expect-text-line",         3,    cmd_expect_text_line},
    {L"expect-length",            2,    cmd_expect_length},
    {L"set-text",                 2,    cmd_set_text},
    {L"type-unicode",             1,    cmd_type_unicode},
    {L"click",                    1,    cmd_click},
    {L"expect-box",               2,    cmd_expect_box},
    {L"wait-box",                 1,    cmd_wait_box},
    {L"wait-no-box",              0,    cmd_wait_no_box},
    {L"expect-no-box",            0,    cmd_expect_no_box},
    {L"expect-focus",             1,    cmd_expect_focus},
    {L"expect-clipboard",         1,    cmd_expect_clipboard},
    {L"expect-clipboard-report",  1,    cmd_expect_clipboard_report},
    {L"set-clipboard",            1,    cmd_set_clipboard},
    {L"save-clipboard-format",    2,    cmd_save_clipboard_format},
    {L"hold-clipboard",           0,    cmd_hold_clipboard},
    {L"release-clipboard",        0,    cmd_release_clipboard},
    {L"lock-file",                1,    cmd_lock_file},
    {L"unlock-file",              0,    cmd_unlock_file},
    {L"expect-status",            1,    cmd_expect_status},
    {L"local-appdata",            0,    cmd_local_appdata},
    {L"unix-path",                1,    cmd_unix_path},
    {L"window-info",              0,    cmd_window_info},
    {L"controls",                 0,    cmd_controls},
    {L"check-resources",          2,    cmd_check_resources},
    {L"sleep",                    1,    cmd_sleep},
    {L"box-layout",               0,    cmd_box_layout},
    {L"scale",                    2,    cmd_scale},
    {L"work-area",                0,    cmd_work_area},
    {L"check-text-fit",           0,    cmd_check_text_fit},
    {L"dpi-changed",              1,    cmd_dpi_changed},
    {L"shown-lines",              1,    cmd_shown_lines},
    {L"check-glyphs",             1,    cmd_check_glyphs},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    int i = 1;
    while (i < argc) {
        const Command* command = nullptr;
        for (const Command& candidate : kCommands) {
            if (wcscmp(candidate.name, argv[i]) == 0) command = &candidate;
        }
        if (command == nullptr) {
            fail(std::wstring(L"unknown command ") + argv[i]);
            return 2;
        }
        if (i + command->argument_count > argc - 1) {
            fail(std::wstring(L"missing arguments for ") + argv[i]);
            return 2;
        }
        if (!command->run(argv + i + 1)) {
            cmd_unlock_file(nullptr);
            cmd_release_clipboard(nullptr);
            return 1;
        }
        i += 1 + command->argument_count;
    }
    cmd_unlock_file(nullptr);
    cmd_release_clipboard(nullptr);
    return 0;
}
