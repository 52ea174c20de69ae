#include "print_gdi.h"

#include <commdlg.h>

#include "../../engine/platform.h"
#include "../../engine/wide_text.h"
#include "../display.h"

namespace {

// The page's margins: 20 mm on every side, measured from the paper's edge.
constexpr int32_t kMarginTenthMillimetres = 200;

struct GdiPrintContext {
    HWND owner;
    HDC dc;                          // the prepared device context
    HFONT fonts[kPrintStyleCount];   // by PrintStyle, made for `dc`
    int32_t overstrike[kPrintStyleCount];  // 0, or the offset of a bold style's second stroke
};

// A bold style whose face has no bold member of its own: the system makes the
// screen's bold from the regular outlines, but a printer driver may print them
// as they are (Wine's PostScript driver does). Such a font still reports the
// face's "regular" bit (fsSelection bit 6), which a true bold face never
// carries; its text is then struck twice, the second time this far (1/30 em,
// at least a device pixel) to the right, and reads bold. Each character is
// struck twice before the next, so that text readers take the strokes as one.
int32_t bold_overstrike(HDC dc, const PrintStyleSpec& spec, int32_t em) {
    if (spec.weight < FW_SEMIBOLD) return 0;
    OUTLINETEXTMETRICW metrics = {};
    metrics.otmSize = sizeof metrics;
    if (GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) == 0) return 0;
    if ((metrics.otmfsSelection & 0x40) == 0) return 0;
    return em / 30 > 1 ? em / 30 : 1;
}

GdiPrintContext gdi_context;

GdiPrintContext& context_of(void* context) { return *static_cast<GdiPrintContext*>(context); }

// The error of the call that just failed; kPrintErrorUnknown when the system
// left none, so that a failure is never taken for success.
uint32_t last_error() {
    const DWORD error = GetLastError();
    return error != 0 ? error : kPrintErrorUnknown;
}

// The chosen printer's name out of a DEVNAMES block.
void printer_name(HGLOBAL names, wchar_t* out, int32_t capacity) {
    out[0] = 0;
    const DEVNAMES* block = names ? static_cast<const DEVNAMES*>(GlobalLock(names)) : nullptr;
    if (block == nullptr) return;
    wtext_copy(out, capacity, reinterpret_cast<const wchar_t*>(block) + block->wDeviceOffset);
    GlobalUnlock(names);
}

// The paper of the printout: A4 portrait, unless the user picks another in
// the printer's own settings; the layout follows the paper it gets.
void ask_for_a4_portrait(HGLOBAL mode) {
    DEVMODEW* devmode = mode ? static_cast<DEVMODEW*>(GlobalLock(mode)) : nullptr;
    if (devmode == nullptr) return;
    devmode->dmPaperSize = DMPAPER_A4;
    devmode->dmOrientation = DMORIENT_PORTRAIT;
    devmode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
    GlobalUnlock(mode);
}

void dialog_failure(PrintDialogResult* result) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) {
        result->choice = PrintChoice::cancelled;
    } else if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) {
        result->choice = PrintChoice::no_printer;
    } else {
        result->choice = PrintChoice::failed;
        result->error = error;
    }
}

void gdi_choose(void* context, int32_t max_pages, PrintDialogResult* result) {
    // First the default printer's settings without a dialog (none: no printer
    // is installed), set to A4 portrait, then the dialog starting from them.
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = context_of(context).owner;
    dialog.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
    if (!PrintDlgW(&dialog)) {
        dialog_failure(result);
        return;
    }
    ask_for_a4_portrait(dialog.hDevMode);
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_NOWARNING;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 1;
    dialog.nMaxPage = static_cast<WORD>(max_pages);
    dialog.nCopies = 1;
    if (PrintDlgW(&dialog)) {
        result->choice = PrintChoice::print;
        result->dc = dialog.hDC;
        result->page_range = (dialog.Flags & PD_PAGENUMS) != 0;
        result->from_page = dialog.nFromPage;
        result->to_page = dialog.nToPage;
        printer_name(dialog.hDevNames, result->printer, kPrinterNameCapacity);
    } else {
        dialog_failure(result);
    }
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
}

void free_fonts(GdiPrintContext& c) {
    for (HFONT& font : c.fonts) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
}

uint32_t gdi_prepare(void* context, void* dc_pointer, PrintGeometry* geometry) {
    GdiPrintContext& c = context_of(context);
    HDC dc = static_cast<HDC>(dc_pointer);
    c.dc = dc;
    const int dpi_x = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
    const int printable_width = GetDeviceCaps(dc, HORZRES);
    const int printable_height = GetDeviceCaps(dc, VERTRES);
    int paper_width = GetDeviceCaps(dc, PHYSICALWIDTH);
    int paper_height = GetDeviceCaps(dc, PHYSICALHEIGHT);
    const int offset_x = GetDeviceCaps(dc, PHYSICALOFFSETX);
    const int offset_y = GetDeviceCaps(dc, PHYSICALOFFSETY);
    if (dpi_x <= 0 || dpi_y <= 0 || printable_width <= 0 || printable_height <= 0) {
        return last_error();
    }
    if (paper_width <= 0 || paper_height <= 0) {
        paper_width = printable_width;
        paper_height = printable_height;
    }
    // Device coordinates start at the printable area's corner, `offset` from
    // the paper's; no text goes into the part the printer cannot reach.
    const int margin_x = MulDiv(kMarginTenthMillimetres, dpi_x, 254);
    const int margin_y = MulDiv(kMarginTenthMillimetres, dpi_y, 254);
    geometry->left = margin_x - offset_x > 0 ? margin_x - offset_x : 0;
    geometry->top = margin_y - offset_y > 0 ? margin_y - offset_y : 0;
    const int right = paper_width - margin_x - offset_x;
    const int bottom = paper_height - margin_y - offset_y;
    geometry->right = right < printable_width ? right : printable_width;
    geometry->bottom = bottom < printable_height ? bottom : printable_height;

    free_fonts(c);
    for (const PrintStyleSpec& spec : kPrintStyles) {
        const int em = MulDiv(spec.tenth_points, dpi_y, 720);
        // The report in the face the screen shows it in: one that draws every sign.
        const wchar_t* face = spec.style == kPrintReport
                                  ? face_drawing_every_glyph(spec.face, kReportFallbackFace,
                                                             kReportGlyphProbe)
                                  : spec.face;
        HFONT font = CreateFontW(-em, 0, 0, 0, spec.weight,
                                 FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, face);
        if (font == nullptr) {
            const uint32_t error = last_error();
            free_fonts(c);
            return error;
        }
        c.fonts[spec.style] = font;
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics = {};
        const BOOL measured = GetTextMetricsW(dc, &metrics);
        c.overstrike[spec.style] = bold_overstrike(dc, spec, em);
        SelectObject(dc, old);
        if (!measured) {
            const uint32_t error = last_error();
            free_fonts(c);
            return error;
        }
        geometry->line_height[spec.style] = metrics.tmHeight + metrics.tmExternalLeading;
    }
    return 0;
}

int32_t gdi_measure(void* context, PrintStyle style, const wchar_t* text, int32_t length) {
    GdiPrintContext& c = context_of(context);
    HGDIOBJ old = SelectObject(c.dc, c.fonts[style]);
    SIZE size = {};
    GetTextExtentPoint32W(c.dc, text, length, &size);
    SelectObject(c.dc, old);
    return size.cx;
}

uint32_t gdi_start_document(void*, void* dc, const wchar_t* name) {
    DOCINFOW info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = name;
    SetLastError(0);
    return StartDocW(static_cast<HDC>(dc), &info) > 0 ? 0 : last_error();
}

uint32_t gdi_start_page(void*, void* dc) {
    SetLastError(0);
    return StartPage(static_cast<HDC>(dc)) > 0 ? 0 : last_error();
}

// Longest run drawn character by character; a longer one (no bold line is)
// is struck twice whole.
constexpr int32_t kOverstrikeRunCapacity = 512;

// Draws a run twice, `offset` apart, character by character; false with the
// system's error when a stroke fails.
bool overstrike_text(HDC dc, const PrintRun& run, int32_t offset) {
    static int extents[kOverstrikeRunCapacity];
    SIZE size = {};
    if (run.length > kOverstrikeRunCapacity ||
        !GetTextExtentExPointW(dc, run.text, run.length, 0, nullptr, extents, &size)) {
        return TextOutW(dc, run.x, run.y, run.text, run.length) &&
               TextOutW(dc, run.x + offset, run.y, run.text, run.length);
    }
    for (int32_t i = 0; i < run.length;) {
        const bool pair = i + 1 < run.length && run.text[i] >= 0xD800 && run.text[i] <= 0xDBFF;
        const int32_t units = pair ? 2 : 1;
        const int x = run.x + (i > 0 ? extents[i - 1] : 0);
        if (!TextOutW(dc, x, run.y, run.text + i, units) ||
            !TextOutW(dc, x + offset, run.y, run.text + i, units)) {
            return false;
        }
        i += units;
    }
    return true;
}

uint32_t gdi_draw_page(void* context, void* dc_pointer, const PrintLayout& layout, int32_t page) {
    GdiPrintContext& c = context_of(context);
    HDC dc = static_cast<HDC>(dc_pointer);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const int pen_width = GetDeviceCaps(dc, LOGPIXELSY) / 150 > 1 ? GetDeviceCaps(dc, LOGPIXELSY) / 150 : 1;
    HGDIOBJ old_font = SelectObject(dc, c.fonts[kPrintBody]);
    for (int32_t i = 0; i < layout.run_count; ++i) {
        const PrintRun& run = layout.runs[i];
        if (run.page != page) continue;
        const COLORREF colour = RGB(run.colour.red, run.colour.green, run.colour.blue);
        if (run.kind == PrintRunKind::rule) {
            HPEN pen = CreatePen(PS_SOLID, pen_width, colour);
            HGDIOBJ old_pen = SelectObject(dc, pen);
            MoveToEx(dc, run.x, run.y, nullptr);
            LineTo(dc, run.x + run.width, run.y);
            SelectObject(dc, old_pen);
            DeleteObject(pen);
            continue;
        }
        SelectObject(dc, c.fonts[run.style]);
        SetTextColor(dc, colour);
        SetLastError(0);
        const int32_t overstrike = c.overstrike[run.style];
        const bool drawn = overstrike > 0 ? overstrike_text(dc, run, overstrike)
                                          : TextOutW(dc, run.x, run.y, run.text, run.length) != 0;
        if (!drawn) {
            const uint32_t error = last_error();
            SelectObject(dc, old_font);
            return error;
        }
    }
    SelectObject(dc, old_font);
    return 0;
}

uint32_t gdi_end_page(void*, void* dc) {
    SetLastError(0);
    return EndPage(static_cast<HDC>(dc)) > 0 ? 0 : last_error();
}

uint32_t gdi_end_document(void*, void* dc) {
    SetLastError(0);
    return EndDoc(static_cast<HDC>(dc)) > 0 ? 0 : last_error();
}

void gdi_abort_document(void*, void* dc) { AbortDoc(static_cast<HDC>(dc)); }

void gdi_release(void* context, void* dc) {
    GdiPrintContext& c = context_of(context);
    free_fonts(c);
    if (dc) DeleteDC(static_cast<HDC>(dc));
    c.dc = nullptr;
}

void gdi_error_text(void*, uint32_t error, wchar_t* text, int32_t capacity) {
    system_error_text(error, text, capacity);
}

const PrintOps kSystemPrintOps = {
    /* context */ &gdi_context,
    /* choose */ gdi_choose,
    /* prepare */ gdi_prepare,
    /* measure */ gdi_measure,
    /* start_document */ gdi_start_document,
    /* start_page */ gdi_start_page,
    /* draw_page */ gdi_draw_page,
    /* end_page */ gdi_end_page,
    /* end_document */ gdi_end_document,
    /* abort_document */ gdi_abort_document,
    /* release */ gdi_release,
    /* error_text */ gdi_error_text,
};

}  // namespace

const PrintOps& system_print_ops(HWND owner) {
    gdi_context.owner = owner;
    return kSystemPrintOps;
}
