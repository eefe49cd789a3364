#include "platform/QtImageList.h"

#include "support/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(QtImageList, DrawsOpaquePixelsStretchedThroughTheCanvas) {
    TQtImageList list(2, 2);
    QImage image(2, 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(1, 1, qRgb(0, 0, 255));
    list.Add(image);

    RecordingCanvas canvas;
    canvas.Brush.Color = clWhite;
    list.Draw(canvas, 0, {10, 10, 30, 30});
    list.Draw(canvas, 1, {10, 10, 30, 30});
    const auto fills = canvas.OfKind("FillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Rect, (TRect{10, 10, 30, 20}));
    EXPECT_EQ(fills[0].Brush.Color, 0x0000FFu);
    EXPECT_EQ(fills[1].Rect, (TRect{20, 20, 30, 30}));
    EXPECT_EQ(fills[1].Brush.Color, 0xFF0000u);
    EXPECT_EQ(canvas.Brush.Color, clWhite);
}
