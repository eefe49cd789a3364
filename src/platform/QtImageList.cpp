#include "platform/QtImageList.h"

#include <QPixmap>

namespace {

constexpr int kOpaqueAlpha = 128;

TColor ColorOf(QRgb pixel) {
    return static_cast<TColor>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16);
}

bool Opaque(QRgb pixel) {
    return qAlpha(pixel) >= kOpaqueAlpha;
}

// Pixel column x of a picture `size` wide, stretched over [from, to).
int Scaled(int x, int size, int from, int to) {
    return from + x * (to - from) / size;
}

// One row of the picture as runs of equal opaque colour.
void DrawRow(TCanvas& canvas, const QImage& image, int y, const TRect& rect) {
    const int width = image.width();
    const int top = Scaled(y, image.height(), rect.Top, rect.Bottom);
    const int bottom = Scaled(y + 1, image.height(), rect.Top, rect.Bottom);
    for (int x = 0; x < width;) {
        const QRgb pixel = image.pixel(x, y);
        int end = x + 1;
        while (end < width && image.pixel(end, y) == pixel)
            ++end;
        if (Opaque(pixel)) {
            canvas.Brush.Color = ColorOf(pixel);
            canvas.FillRect({Scaled(x, width, rect.Left, rect.Right), top,
                             Scaled(end, width, rect.Left, rect.Right), bottom});
        }
        x = end;
    }
}

} // namespace

TQtImageList::TQtImageList(int width, int height) : width_(width), height_(height) {}

void TQtImageList::Add(const QImage& image) {
    QImage sized =
        image.size() == QSize(width_, height_)
            ? image
            : image.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    images_.push_back(sized.convertToFormat(QImage::Format_ARGB32));
}

QIcon TQtImageList::Icon(int index) const {
    return QIcon(QPixmap::fromImage(Image(index)));
}

void TQtImageList::Draw(TCanvas& canvas, int index, const TRect& rect) const {
    if (index < 0 || index >= Count() || rect.Empty()) return;
    const TBrush brush = canvas.Brush;
    const QImage& image = images_[index];
    for (int y = 0; y < image.height(); ++y)
        DrawRow(canvas, image, y, rect);
    canvas.Brush = brush;
}
