#include "display.h"

#include "../engine/wide_text.h"

namespace {

// Values of the system headers for Windows 8.1 and 10, which the build's
// Windows 7 headers do not offer.
const INT_PTR kPerMonitorAwareV2 = -4;  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
const INT_PTR kPerMonitorAware = -3;    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE
const int kEffectiveDpi = 0;            // MDT_EFFECTIVE_DPI

using SetAwarenessContext = BOOL(WINAPI*)(HANDLE);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// A function of a DLL of the system folder, or null where this Windows lacks
// it. The full path keeps a DLL of the same name elsewhere (the program's own
// folder) from being loaded instead. The DLL stays loaded for the process.
void* system_function(const wchar_t* dll, const char* name) {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    wtext_append(path, MAX_PATH, L"\\");
    wtext_append(path, MAX_PATH, dll);
    HMODULE module = LoadLibraryW(path);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(module, name));
}

// A function of a system DLL looked up on first use, once: the window's thread
// is the only caller, so plain variables do (a function-local static would
// bring the runtime's thread-safe guards, and with them a threads library).
struct LateFunction {
    const wchar_t* dll;
    const char* name;
    bool looked_up;
    void* address;
};

void* late_function(LateFunction* function) {
    if (!function->looked_up) {
        function->address = system_function(function->dll, function->name);
        function->looked_up = true;
    }
    return function->address;
}

LateFunction get_dpi_for_monitor = {L"shcore.dll", "GetDpiForMonitor", false, nullptr};
LateFunction adjust_window_rect_for_dpi = {L"user32.dll", "AdjustWindowRectExForDpi", false,
                                           nullptr};

int32_t system_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

void declare_dpi_awareness() {
    auto set_context = reinterpret_cast<SetAwarenessContext>(
        system_function(L"user32.dll", "SetProcessDpiAwarenessContext"));
    if (set_context != nullptr &&
        (set_context(reinterpret_cast<HANDLE>(kPerMonitorAwareV2)) ||
         set_context(reinterpret_cast<HANDLE>(kPerMonitorAware)))) {
        return;
    }
    SetProcessDPIAware();
}

int32_t monitor_dpi(HMONITOR monitor) {
    const auto get_dpi =
        reinterpret_cast<GetDpiForMonitorFunction>(late_function(&get_dpi_for_monitor));
    UINT dpi_x = 0;
    UINT dpi_y = 0;
    if (get_dpi != nullptr && monitor != nullptr &&
        get_dpi(monitor, kEffectiveDpi, &dpi_x, &dpi_y) == S_OK && dpi_y > 0) {
        return static_cast<int32_t>(dpi_y);
    }
    return system_dpi();
}

RECT monitor_work_area(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return screen;
}

SIZE window_frame_size(uint32_t style, int32_t dpi) {
    const auto adjust = reinterpret_cast<AdjustForDpi>(late_function(&adjust_window_rect_for_dpi));
    RECT frame = {0, 0, 0, 0};
    if (adjust == nullptr || !adjust(&frame, style, FALSE, 0, static_cast<UINT>(dpi))) {
        frame = RECT{0, 0, 0, 0};
        AdjustWindowRect(&frame, style, FALSE);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

namespace {

// The drawing of one character with the font selected into `dc`: black on
// white in a monochrome bitmap of kGlyphCell x kGlyphCell pixels, read back
// row by row into `bits`.
constexpr int kGlyphCell = 48;
constexpr int kGlyphRowBytes = kGlyphCell / 8;  // a multiple of 2: rows of words
constexpr int kGlyphBytes = kGlyphRowBytes * kGlyphCell;

bool draw_glyph(HDC dc, HBITMAP bitmap, wchar_t c, BYTE* bits) {
    RECT cell = {0, 0, kGlyphCell, kGlyphCell};
    FillRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TextOutW(dc, 4, 4, &c, 1);
    GdiFlush();
    return GetBitmapBits(bitmap, kGlyphBytes, bits) == kGlyphBytes;
}

bool has_ink(const BYTE* bits) {
    for (int i = 0; i < kGlyphBytes; ++i) {
        if (bits[i] != 0xFF) return true;
    }
    return false;
}

bool same_drawing(const BYTE* a, const BYTE* b) {
    for (int i = 0; i < kGlyphBytes; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

bool draws_every_glyph(const wchar_t* face, const wchar_t* probe) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(kGlyphCell, kGlyphCell, 1, 1, nullptr);
    HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    bool every = dc != nullptr && bitmap != nullptr && font != nullptr;
    if (every) {
        HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
        HGDIOBJ old_font = SelectObject(dc, font);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        // U+FFFE is no character: what the font draws for it is its picture of
        // a missing one (an empty box, or nothing).
        BYTE missing[kGlyphBytes];
        BYTE glyph[kGlyphBytes];
        every = draw_glyph(dc, bitmap, 0xFFFE, missing);
        for (const wchar_t* c = probe; every && *c != 0; ++c) {
            every = draw_glyph(dc, bitmap, *c, glyph) && has_ink(glyph) &&
                    !same_drawing(glyph, missing);
        }
        SelectObject(dc, old_font);
        SelectObject(dc, old_bitmap);
    }
    if (font != nullptr) DeleteObject(font);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (dc != nullptr) DeleteDC(dc);
    return every;
}

const wchar_t* chosen_face = nullptr;

}  // namespace

const wchar_t* face_drawing_every_glyph(const wchar_t* face, const wchar_t* fallback,
                                        const wchar_t* probe) {
    if (chosen_face == nullptr) chosen_face = draws_every_glyph(face, probe) ? face : fallback;
    return chosen_face;
}
