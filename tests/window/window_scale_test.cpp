// Scaling of the layout tables to a window's pixels: the one rounding rule, the
// factor for a monitor's DPI and work area, and a scaled layout that still
// lines up.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "window/window_scale.h"

namespace {

constexpr LayoutScale k120Dpi = {120, 96};
constexpr LayoutScale k144Dpi = {144, 96};
constexpr LayoutScale k192Dpi = {192, 96};

}  // namespace

TEST(WindowScale, LengthsRoundToNearestHalvesAwayFromZero) {
    struct Row {
        int32_t design;
        LayoutScale scale;
        int32_t pixels;
    };
    const Row rows[] = {
        {1020, k120Dpi, 1275},   {720, k120Dpi, 900},     {1020, k144Dpi, 1530},
        {720, k192Dpi, 1440},    {27, k144Dpi, 41},       {133, k120Dpi, 166},
        {134, k120Dpi, 168},     {-240, k120Dpi, -300},   {-3, {1, 2}, -2},
        {3, {1, 2}, 2},          {1, {1, 3}, 0},          {2, {1, 3}, 1},
        {1020, {703, 720}, 996}, {12, {703, 720}, 12},    {27, {703, 720}, 26},
        {7, kDesignScale, 7},    {-7, kDesignScale, -7},  {INT_MAX, {2, 1}, INT_MAX},
        {INT_MIN, {2, 1}, INT_MIN}, {INT_MAX, {1, INT_MAX}, 1},
        // A factor that is no factor leaves the length alone.
        {15, {0, 96}, 15},       {15, {96, 0}, 15},       {15, {-96, 96}, 15},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(scale_length(row.design, row.scale), row.pixels)
            << row.design << " x " << row.scale.numerator << "/" << row.scale.denominator;
    }
}

TEST(WindowScale, FactorOfTheMonitorAndItsWorkArea) {
    // Frames as Wine draws them: 6 wide; 25, 30, 34 and 43 tall at 96, 120,
    // 144 and 192 dpi.
    struct Row {
        int32_t dpi;
        int32_t work_width;
        int32_t work_height;
        int32_t frame_width;
        int32_t frame_height;
        int32_t client_width;
        int32_t client_height;
        int32_t title_font;  // the 27-unit title font
    };
    const Row rows[] = {
        // Room enough: the DPI alone, 96 dpi exactly the design.
        {96, 1280, 1024, 6, 25, 1020, 720, 27},
        {96, 1026, 745, 6, 25, 1020, 720, 27},
        {120, 1920, 1080, 6, 30, 1275, 900, 34},
        {144, 1920, 1200, 6, 34, 1530, 1080, 41},
        {192, 2560, 1600, 6, 43, 2040, 1440, 54},
        // One pixel short: the fit factor takes over on that axis.
        {96, 1025, 745, 6, 25, 1019, 719, 27},
        {96, 1026, 744, 6, 25, 1019, 719, 27},
        // A taskbar of 40 pixels under 1366 x 768 and 1024 x 768: the client
        // area as tall as the room, the width in proportion.
        {96, 1366, 728, 6, 25, 996, 703, 26},
        {96, 1024, 728, 6, 25, 996, 703, 26},
        // Narrow and tall: the width decides.
        {96, 800, 1000, 6, 25, 794, 560, 21},
        // Both factors: 150 % on a 1366 x 728 work area.
        {144, 1366, 728, 6, 34, 983, 694, 26},
        {192, 1920, 1040, 6, 43, 1412, 997, 37},
        // Far too small a work area: never below half the design.
        {96, 400, 300, 6, 25, 510, 360, 14},
        {96, 0, 0, 6, 25, 510, 360, 14},
        {96, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 510, 360, 14},
        // No DPI known: 96.
        {0, 1280, 1024, 6, 25, 1020, 720, 27},
        {-120, 1280, 1024, 6, 25, 1020, 720, 27},
        // A frame of a negative size gives the client area no more room than the work area has.
        {96, 1280, 1024, INT_MIN, INT_MIN, 1020, 720, 27},
    };
    for (const Row& row : rows) {
        const LayoutScale scale = window_scale(row.dpi, row.work_width, row.work_height,
                                               row.frame_width, row.frame_height);
        EXPECT_EQ(scaled_client_width(scale), row.client_width)
            << row.dpi << " dpi, " << row.work_width << "x" << row.work_height;
        EXPECT_EQ(scaled_client_height(scale), row.client_height)
            << row.dpi << " dpi, " << row.work_width << "x" << row.work_height;
        EXPECT_EQ(scaled_font_height(kFontTable[kTitleFont], scale), row.title_font)
            << row.dpi << " dpi, " << row.work_width << "x" << row.work_height;
    }
}

namespace {

// A box of the layout in design units and as the window shows it at a factor.
struct Placed {
    Box design;
    Box pixels;
};

std::vector<Placed> every_box(LayoutScale scale) {
    std::vector<Placed> boxes;
    const int32_t width = scaled_client_width(scale);
    const int32_t height = scaled_client_height(scale);
    for (const PaintStep& step : kPaintSteps) {
        boxes.push_back({paint_step_box(step, kClientWidth, kClientHeight),
                         scaled_paint_box(step, width, height, scale)});
    }
    for (const ControlSpec& spec : kPanelControls) {
        boxes.push_back({Box{spec.x, spec.y, spec.x + spec.width, spec.y + spec.height},
                         scaled_control_box(spec, 0, scale)});
    }
    for (int32_t row = 0; row < 13; ++row) {
        const int32_t top = input_row_top(row);
        for (const ControlSpec& spec : kInputRowControls) {
            boxes.push_back({Box{spec.x, top + spec.y, spec.x + spec.width, top + spec.y + spec.height},
                             scaled_control_box(spec, top, scale)});
        }
    }
    const ControlSpec& line = kNoInputsControl;
    boxes.push_back({Box{line.x, line.y, line.x + line.width, line.y + line.height},
                     scaled_control_box(line, 0, scale)});
    return boxes;
}

// Every pair of edges on one axis keeps its order: edges that meet in the
// design meet on screen, and none passes another.
void expect_edges_keep_their_order(const std::vector<Placed>& boxes, bool horizontal,
                                   LayoutScale scale) {
    std::vector<std::pair<int32_t, int32_t>> edges;  // design, pixels
    for (const Placed& box : boxes) {
        if (horizontal) {
            edges.push_back({box.design.left, box.pixels.left});
            edges.push_back({box.design.right, box.pixels.right});
        } else {
            edges.push_back({box.design.top, box.pixels.top});
            edges.push_back({box.design.bottom, box.pixels.bottom});
        }
    }
    for (const auto& a : edges) {
        for (const auto& b : edges) {
            if (a.first == b.first) {
                ASSERT_EQ(a.second, b.second) << "design edge " << a.first << " at "
                                              << scale.numerator << "/" << scale.denominator;
            } else if (a.first < b.first) {
                ASSERT_LE(a.second, b.second) << "design edges " << a.first << " < " << b.first
                                              << " at " << scale.numerator << "/"
                                              << scale.denominator;
            }
        }
    }
}

}  // namespace

TEST(WindowScale, ScaledLayoutLinesUpAsTheDesignDoes) {
    const LayoutScale scales[] = {kDesignScale, k120Dpi, k144Dpi, k192Dpi, {703, 720},
                                  {794, 1020},  {1, 2},  {168, 96}};
    for (LayoutScale scale : scales) {
        const std::vector<Placed> boxes = every_box(scale);
        expect_edges_keep_their_order(boxes, true, scale);
        expect_edges_keep_their_order(boxes, false, scale);
    }
}

TEST(WindowScale, DesignScaleIsTheDesign) {
    for (const Placed& box : every_box(kDesignScale)) {
        EXPECT_EQ(box.pixels.left, box.design.left);
        EXPECT_EQ(box.pixels.top, box.design.top);
        EXPECT_EQ(box.pixels.right, box.design.right);
        EXPECT_EQ(box.pixels.bottom, box.design.bottom);
    }
    for (const FontSpec& font : kFontTable) {
        EXPECT_EQ(scaled_font_height(font, kDesignScale), font.height) << font.id;
    }
}

TEST(WindowScale, FarSideFollowsTheRealClientArea) {
    // A client area a few pixels larger than asked for at 150 %: the bands
    // reach its far edges and the host name keeps its scaled distance to them.
    struct Row {
        int32_t step;
        Box box;
    };
    const Row rows[] = {
        {1, {0, 0, 1536, 1090}},  {2, {0, 0, 1536, 132}},     {6, {1176, 12, 1497, 51}},
        {8, {714, 144, 1500, 972}}, {13, {0, 990, 1536, 1080}},
    };
    for (const Row& row : rows) {
        const Box box = scaled_paint_box(kPaintSteps[row.step - 1], 1536, 1090, k144Dpi);
        EXPECT_EQ(box.left, row.box.left) << row.step;
        EXPECT_EQ(box.top, row.box.top) << row.step;
        EXPECT_EQ(box.right, row.box.right) << row.step;
        EXPECT_EQ(box.bottom, row.box.bottom) << row.step;
    }
}

TEST(WindowScale, WindowKeptInsideTheWorkArea) {
    struct Row {
        int32_t origin;
        int32_t extent;
        int32_t start;
        int32_t end;
        int32_t placed;
    };
    const Row rows[] = {
        {100, 1026, 0, 1366, 100},   // inside: stays
        {500, 1026, 0, 1366, 340},   // past the far edge: moved back
        {-30, 1026, 0, 1366, 0},     // before the start: moved in
        {1500, 1026, 1366, 2646, 1500},
        {1200, 1026, 1366, 2646, 1366},  // a second monitor to the right
        {40, 1100, 0, 1024, 0},      // larger than the area: at its start
        {INT_MAX, INT_MAX, INT_MIN, INT_MAX, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(origin_inside(row.origin, row.extent, row.start, row.end), row.placed)
            << row.origin << " " << row.extent << " in " << row.start << ".." << row.end;
    }
}
