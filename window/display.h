// The display the main window is shown on: the process's DPI awareness, a
// monitor's DPI and work area, and the window frame at a DPI. Windows 7 is the
// floor: every function newer than it is looked up at run time, and without it
// the system DPI and the system's frame metrics apply.
#pragma once

#include <windows.h>

#include <cstdint>

// Per-monitor DPI awareness (version 2, else version 1) where the system
// offers it; system DPI awareness otherwise (Windows 7, 8 and 8.1). Called
// once, before any window exists.
void declare_dpi_awareness();

// The DPI the process sees for the monitor: its own under per-monitor
// awareness, the system DPI otherwise.
int32_t monitor_dpi(HMONITOR monitor);

// The monitor's work area: the screen less the taskbar and other docked bars.
RECT monitor_work_area(HMONITOR monitor);

// The extra width and height the frame of a window of `style` (no menu, no
// extended style) adds to its client area at `dpi`.
SIZE window_frame_size(uint32_t style, int32_t dpi);

// The face the report is shown and printed in: `face` when it draws every
// character of `probe` (each alone, as ink that is not the picture of a
// character no font has), otherwise `fallback`. A face the system stands in
// for (font linking, a replacement) counts with what it draws. Decided once
// per process, at 24 pixels, for the first pair asked about; the window's
// thread is the only caller.
const wchar_t* face_drawing_every_glyph(const wchar_t* face, const wchar_t* fallback,
                                        const wchar_t* probe);
