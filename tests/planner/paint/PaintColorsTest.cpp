#include "planner/paint/PaintColors.h"

#include "platform/ColorResolve.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(PaintColors, ColoursResolveToComponents) {
    EXPECT_EQ(ColorToRGB(clRed), (TRGB{255, 0, 0}));
    EXPECT_EQ(ColorToRGB(15302738), (TRGB{82, 128, 233}));
    EXPECT_EQ(ColorToRGB(clNone), (TRGB{0, 0, 0}));
    EXPECT_EQ(RGBToColor({82, 128, 233}), 15302738u);
}

TEST(PaintColors, BlendColorRoundsHalvesToEven) {
    EXPECT_EQ(BlendColor(clHighlight, clWhite, 20), 0xFFEBD6u);
    EXPECT_EQ(BlendColor(0x000003, 0x000000, 50), 0x000002u);
    EXPECT_EQ(BlendColor(0x000001, 0x000000, 50), 0x000000u);
    EXPECT_EQ(BlendColor(clHighlight, clWhite, 100), clHighlight);
}

TEST(PaintColors, GradientFillStepsStopShortOfTheEndColour) {
    RecordingCanvas canvas;
    GradientFill(canvas, clBlack, 0x000020, TGradientDirection::LeftToRight, {0, 0, 60, 24}, 32);
    const auto strips = canvas.OfKind("Rectangle");
    ASSERT_EQ(strips.size(), 32u);
    EXPECT_EQ(strips[0].Rect, (TRect{0, 0, 2, 24}));
    EXPECT_EQ(strips[1].Rect, (TRect{2, 0, 4, 24}));
    EXPECT_EQ(strips[31].Rect, (TRect{58, 0, 60, 24}));
    EXPECT_EQ(strips[31].Brush.Color, 0x00001Fu);
    EXPECT_EQ(strips[31].Pen.Color, 0x00001Fu);
    EXPECT_EQ(strips[16].Brush.Color, 0x000010u);

    RecordingCanvas vertical;
    GradientFill(vertical, clWhite, clBlack, TGradientDirection::TopToBottom, {0, 0, 10, 100}, 3);
    const auto bands = vertical.OfKind("Rectangle");
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[1].Rect, (TRect{0, 33, 10, 67}));
    EXPECT_EQ(bands[2].Rect, (TRect{0, 67, 10, 100}));
    EXPECT_EQ(bands[1].Brush.Color, 0xAAAAAAu);

    RecordingCanvas single;
    GradientFill(single, clRed, clBlue, TGradientDirection::LeftToRight, {0, 0, 10, 10}, 0);
    ASSERT_EQ(single.OfKind("Rectangle").size(), 1u);
    EXPECT_EQ(single.OfKind("Rectangle")[0].Rect, (TRect{0, 0, 10, 10}));
}

} // namespace
