#include "platform/QtCanvas.h"

#include "support/TestApplication.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(QtCanvas, DrawsWithTheCanvasState) {
    TestApplication();
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.Brush.Color = clRed;
    canvas.FillRect({0, 0, 10, 10});
    canvas.Brush.Color = clNone;
    canvas.Pen = {clBlue, 1};
    canvas.Rectangle({20, 0, 30, 10});
    canvas.PushClip({40, 0, 45, 10});
    canvas.Brush.Color = clLime;
    canvas.FillRect({40, 0, 60, 10});
    canvas.PopClip();
    const int height = canvas.DrawText({0, 12, 100, 40}, "Wide text", tfSingleLine);
    EXPECT_EQ(height, canvas.TextHeight("gh"));
    EXPECT_GT(canvas.TextWidth("WW"), canvas.TextWidth("W"));
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(20, 5), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(29, 5), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(25, 5), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(44, 5), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(45, 5), QColor(255, 255, 255));
}
