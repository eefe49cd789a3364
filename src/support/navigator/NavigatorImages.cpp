#include "support/navigator/NavigatorImages.h"

#include "platform/QtImageList.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>
#include <numbers>

namespace {

// Every pictogram is drawn on a 24-unit square and scaled to the size asked for.
constexpr qreal kUnits = 24;
constexpr int kDefaultGlyphSize = 16;

const QColor kBlue(40, 90, 180);
const QColor kGreen(40, 150, 60);
const QColor kRed(200, 55, 45);
const QColor kPencil(235, 170, 35);
const QColor kWood(245, 215, 165);
const QColor kLead(60, 60, 60);
const QColor kMetal(165, 165, 170);
const QColor kEraser(225, 120, 135);

// One look for all shapes: lit from above, with a darker outline.
void FillShape(QPainter& p, const QPainterPath& shape, const QColor& color) {
    const QRectF bounds = shape.boundingRect();
    QLinearGradient light(bounds.topLeft(), bounds.bottomLeft());
    light.setColorAt(0, color.lighter(140));
    light.setColorAt(1, color);
    p.setPen(QPen(color.darker(150), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(light);
    p.drawPath(shape);
}

// A thick line with round ends as a shape to fill.
QPainterPath Stroke(const QPainterPath& line, qreal width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line);
}

QPainterPath Polygon(const QPolygonF& points) {
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

// A triangle pointing left, its tip at x.
QPainterPath LeftTriangle(qreal tip, qreal base) {
    return Polygon({{base, 5.5}, {base, 18.5}, {tip, 12}});
}

void DrawFirst(QPainter& p) {
    QPainterPath bar;
    bar.addRoundedRect(QRectF(5, 5.5, 3, 13), 0.8, 0.8);
    FillShape(p, bar, kBlue);
    FillShape(p, LeftTriangle(9.5, 18.5), kBlue);
}

void DrawPrior(QPainter& p) {
    FillShape(p, LeftTriangle(7.5, 16.5), kBlue);
}

// The right-pointing buttons are their partners mirrored.
void Mirrored(QPainter& p, void (*draw)(QPainter&)) {
    p.translate(kUnits, 0);
    p.scale(-1, 1);
    draw(p);
}

void DrawNext(QPainter& p) {
    Mirrored(p, DrawPrior);
}

void DrawLast(QPainter& p) {
    Mirrored(p, DrawFirst);
}

void DrawInsert(QPainter& p) {
    QPainterPath upright, across;
    upright.addRect(QRectF(10, 4.5, 4, 15));
    across.addRect(QRectF(4.5, 10, 15, 4));
    FillShape(p, upright.united(across), kGreen);
}

void DrawDelete(QPainter& p) {
    QPainterPath minus;
    minus.addRect(QRectF(4.5, 10, 15, 4));
    FillShape(p, minus, kRed);
}

// A pencil lying from the lower left (its point) to the upper right (its eraser).
void DrawEdit(QPainter& p) {
    p.translate(12, 12);
    p.rotate(-45);
    const qreal half = 2.75;
    FillShape(p, Polygon({{-10, 0}, {-5.5, -half}, {-5.5, half}}), kWood);
    FillShape(p, Polygon({{-10, 0}, {-8.2, -1.1}, {-8.2, 1.1}}), kLead);
    QPainterPath body;
    body.addRect(QRectF(-5.5, -half, 11, 2 * half));
    FillShape(p, body, kPencil);
    QPainterPath ferrule;
    ferrule.addRect(QRectF(5.5, -half, 2, 2 * half));
    FillShape(p, ferrule, kMetal);
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(7.5, -half, 3, 2 * half), 1, 1);
    FillShape(p, eraser, kEraser);
}

void DrawPost(QPainter& p) {
    QPainterPath tick;
    tick.moveTo(5.5, 12.5);
    tick.lineTo(10, 17);
    tick.lineTo(18.5, 7);
    FillShape(p, Stroke(tick, 3.5), kGreen);
}

void DrawCancel(QPainter& p) {
    QPainterPath cross;
    cross.moveTo(6.5, 6.5);
    cross.lineTo(17.5, 17.5);
    cross.moveTo(17.5, 6.5);
    cross.lineTo(6.5, 17.5);
    FillShape(p, Stroke(cross, 3.5).simplified(), kRed);
}

// A circle of arrow turning anticlockwise, its head at the upper right.
void DrawRefresh(QPainter& p) {
    const QRectF circle(5.5, 5.5, 13, 13);
    const qreal endAngle = 30;
    QPainterPath arc;
    arc.arcMoveTo(circle, 100);
    arc.arcTo(circle, 100, 290);
    const qreal radians = endAngle * std::numbers::pi / 180;
    const QPointF end = arc.currentPosition();
    const QPointF along(-std::sin(radians), -std::cos(radians));
    const QPointF across(-along.y(), along.x());
    const QPainterPath head = Polygon(
        {end + along * 4.5, end - along * 1.5 + across * 4.8, end - along * 1.5 - across * 4.8});
    FillShape(p, Stroke(arc, 3).united(head), kBlue);
}

using Drawing = void (*)(QPainter&);

constexpr Drawing kDrawings[kNavButtonCount] = {DrawFirst,  DrawPrior,  DrawNext, DrawLast,
                                                DrawInsert, DrawDelete, DrawEdit, DrawPost,
                                                DrawCancel, DrawRefresh};

} // namespace

QImage NavigatorPicture(TNavigateBtn button, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kUnits, size / kUnits);
    kDrawings[button](painter);
    return image;
}

std::vector<QImage> NavigatorImages() {
    std::vector<QImage> images;
    for (int i = 0; i < kNavButtonCount; ++i)
        images.push_back(NavigatorPicture(static_cast<TNavigateBtn>(i), 24));
    return images;
}

std::unique_ptr<TQtImageList> CreateNavigatorImageList() {
    auto list = std::make_unique<TQtImageList>(24, 24);
    for (const QImage& image : NavigatorImages())
        list->Add(image);
    return list;
}

QImage GrayedPicture(const QImage& picture) {
    QImage grayed = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grayed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grayed.scanLine(y));
        for (int x = 0; x < grayed.width(); ++x) {
            const int level = 120 + qGray(line[x]) / 2;
            line[x] = qRgba(level, level, level, qAlpha(line[x]) * 3 / 5);
        }
    }
    return grayed;
}

QImage DefaultNavigatorGlyph(TNavigateBtn button) {
    const QImage picture = NavigatorPicture(button, kDefaultGlyphSize);
    QImage glyph(2 * kDefaultGlyphSize, kDefaultGlyphSize, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.drawImage(0, 0, picture);
    painter.drawImage(kDefaultGlyphSize, 0, GrayedPicture(picture));
    return glyph;
}
