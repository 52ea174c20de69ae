#include "window_scale.h"

#include <cstdint>

namespace {

bool is_valid(LayoutScale scale) { return scale.numerator > 0 && scale.denominator > 0; }

// a < b for two valid factors; the products stay far inside 64 bits.
bool less_than(LayoutScale a, LayoutScale b) {
    return static_cast<int64_t>(a.numerator) * b.denominator <
           static_cast<int64_t>(b.numerator) * a.denominator;
}

LayoutScale smaller(LayoutScale a, LayoutScale b) { return less_than(b, a) ? b : a; }

// Whether a window at this factor fits the room left for its client area.
bool fits(LayoutScale scale, int32_t room_width, int32_t room_height) {
    return scaled_client_width(scale) <= room_width && scaled_client_height(scale) <= room_height;
}

}  // namespace

int32_t scale_length(int32_t design, LayoutScale scale) {
    if (!is_valid(scale)) return design;
    const int64_t product = static_cast<int64_t>(design) * scale.numerator;
    const int64_t half = scale.denominator / 2;
    const bool odd = (scale.denominator % 2) != 0;
    // Round half away from zero: |product| / denominator, with the remainder
    // compared to half the denominator exactly (an odd denominator has no half).
    const int64_t magnitude = product < 0 ? -product : product;
    int64_t quotient = magnitude / scale.denominator;
    const int64_t remainder = magnitude % scale.denominator;
    if (remainder > half || (remainder == half && !odd)) ++quotient;
    const int64_t rounded = product < 0 ? -quotient : quotient;
    if (rounded > INT32_MAX) return INT32_MAX;
    if (rounded < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(rounded);
}

Box scale_box(const Box& design, LayoutScale scale) {
    return Box{scale_length(design.left, scale), scale_length(design.top, scale),
               scale_length(design.right, scale), scale_length(design.bottom, scale)};
}

Box scaled_control_box(const ControlSpec& spec, int32_t row_top, LayoutScale scale) {
    const int32_t top = row_top + spec.y;
    return scale_box(Box{spec.x, top, spec.x + spec.width, top + spec.height}, scale);
}

Box scaled_paint_box(const PaintStep& step, int32_t client_width, int32_t client_height,
                     LayoutScale scale) {
    auto resolve = [scale](Edge edge, int32_t extent) {
        const int32_t offset = scale_length(edge.offset, scale);
        return edge.from_far_side ? extent + offset : offset;
    };
    return Box{resolve(step.left, client_width), resolve(step.top, client_height),
               resolve(step.right, client_width), resolve(step.bottom, client_height)};
}

int32_t scaled_font_height(const FontSpec& font, LayoutScale scale) {
    const int32_t height = scale_length(font.height, scale);
    return height < 1 ? 1 : height;
}

int32_t scaled_client_width(LayoutScale scale) { return scale_length(kClientWidth, scale); }

int32_t scaled_client_height(LayoutScale scale) { return scale_length(kClientHeight, scale); }

int32_t origin_inside(int32_t origin, int32_t extent, int32_t area_start, int32_t area_end) {
    const int64_t last = static_cast<int64_t>(area_end) - extent;  // the last origin that fits
    if (last < area_start || origin < area_start) return area_start;
    return origin > last ? static_cast<int32_t>(last) : origin;
}

LayoutScale window_scale(int32_t dpi, int32_t work_width, int32_t work_height,
                         int32_t frame_width, int32_t frame_height) {
    const LayoutScale by_dpi = {dpi > 0 ? dpi : kDesignDpi, kDesignDpi};
    const int64_t room_width = static_cast<int64_t>(work_width) - frame_width;
    const int64_t room_height = static_cast<int64_t>(work_height) - frame_height;
    if (room_width < scaled_client_width(kSmallestScale) ||
        room_height < scaled_client_height(kSmallestScale)) {
        return smaller(by_dpi, kSmallestScale);
    }
    // Past the check both rooms are positive; only a negative frame could take
    // them beyond the int32 range.
    const int32_t width = room_width > INT32_MAX ? INT32_MAX : static_cast<int32_t>(room_width);
    const int32_t height = room_height > INT32_MAX ? INT32_MAX : static_cast<int32_t>(room_height);
    if (fits(by_dpi, width, height)) return by_dpi;
    // The client area exactly as wide, or exactly as tall, as the room: the
    // smaller of the two fits both ways, and neither is below kSmallestScale
    // after the check above.
    return smaller(LayoutScale{width, kClientWidth}, LayoutScale{height, kClientHeight});
}
