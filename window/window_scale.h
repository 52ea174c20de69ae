// From the layout's 96-dpi design units to the pixels of one window. The whole
// layout takes one factor: the window's DPI over 96, times the fit factor that
// keeps the window inside the work area of its monitor. Every coordinate, size
// and font height of window_layout.h goes through scale_length where the
// Win32 layer reads it; boxes are scaled edge by edge, so boxes that share an
// edge in the design share it on screen too. Plain data, no Win32.
#pragma once

#include <cstdint>

#include "window_layout.h"

// A factor numerator / denominator; both positive in every factor made here.
struct LayoutScale {
    int32_t numerator;
    int32_t denominator;
};

constexpr int32_t kDesignDpi = 96;
constexpr LayoutScale kDesignScale = {1, 1};
// The fit factor stops here: below half the design size the text is no longer
// readable, and a window that still does not fit is placed at the work area's
// top-left corner instead.
constexpr LayoutScale kSmallestScale = {1, 2};

// design × factor, rounded to the nearest integer, halves away from zero, and
// held inside the int32 range. A factor with a numerator or denominator that is
// not positive leaves the length as it is.
int32_t scale_length(int32_t design, LayoutScale scale);

// Each edge scaled on its own.
Box scale_box(const Box& design, LayoutScale scale);

// A control of the tables at `row_top` (0 for the panel's controls), in pixels.
Box scaled_control_box(const ControlSpec& spec, int32_t row_top, LayoutScale scale);

// A paint step's box in a client area of the given size in pixels: the far
// side's edges follow the real client area, as paint_step_box's do, and the
// offsets are scaled. At kDesignScale it is paint_step_box's box.
Box scaled_paint_box(const PaintStep& step, int32_t client_width, int32_t client_height,
                     LayoutScale scale);

// A font's character height in pixels; at least 1.
int32_t scaled_font_height(const FontSpec& font, LayoutScale scale);

// The client area's width and height at this factor.
int32_t scaled_client_width(LayoutScale scale);
int32_t scaled_client_height(LayoutScale scale);

// Where a window of `extent` starting at `origin` goes on one axis so that it
// lies inside the area from `area_start` to `area_end`: moved in as little as
// possible, and to the area's start when it is larger than the area.
int32_t origin_inside(int32_t origin, int32_t extent, int32_t area_start, int32_t area_end);

// The factor of a window on a monitor of `dpi` (not positive: 96) whose work
// area is work_width × work_height pixels, with a window frame that adds
// frame_width × frame_height to the client area at that DPI. It is dpi / 96
// when the window fits the work area at that factor; otherwise the largest
// factor at which the client area and the frame fit, but not below
// kSmallestScale.
LayoutScale window_scale(int32_t dpi, int32_t work_width, int32_t work_height,
                         int32_t frame_width, int32_t frame_height);
