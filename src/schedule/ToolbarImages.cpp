#include "schedule/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kOutline(60, 60, 60);
const QColor kGreen(40, 150, 60);
const QColor kBlue(40, 90, 180);

QImage Picture(int size, const std::function<void(QPainter&)>& draw) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return image;
}

// A sheet with its top right corner folded over.
void DrawPage(QPainter& p, const QRectF& r) {
    const qreal fold = r.width() / 3;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

// A thick arrow along y = mid from x `from` to the point at x `to`.
void DrawArrow(QPainter& p, qreal from, qreal to, qreal mid, const QColor& color) {
    const qreal dir = to > from ? 1 : -1;
    const qreal head = to - dir * 8;
    const QPolygonF arrow({{from, mid - 3},
                           {head, mid - 3},
                           {head, mid - 8},
                           {to, mid},
                           {head, mid + 8},
                           {head, mid + 3},
                           {from, mid + 3}});
    p.setPen(QPen(color.darker(130), 1));
    p.setBrush(color);
    p.drawPolygon(arrow);
}

void DrawAddProgram(QPainter& p) {
    DrawPage(p, QRectF(4.5, 2.5, 19, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(23, 23), 8, 8);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(22, 18, 2, 10));
    p.drawRect(QRectF(18, 22, 10, 2));
}

void DrawAllPrograms(QPainter& p) {
    for (int row = 0; row < 4; ++row) {
        const qreal y = 6 + row * 7;
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(3, y, 5, 5));
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(11, y + 1, 18, 3));
    }
}

void DrawSave(QPainter& p) {
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(3.5, 3.5, 25, 25), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 3.5, 15, 10));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(9.5, 19.5, 13, 9));
    p.setBrush(kOutline);
    p.drawRect(QRectF(18, 5.5, 3, 6));
}

void DrawExport(QPainter& p) {
    DrawPage(p, QRectF(2.5, 2.5, 18, 26));
    DrawArrow(p, 12, 30, 18, kGreen);
}

void DrawNeutral(QPainter& p) {
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QPointF(16, 16), 11, 11);
}

void DrawImport(QPainter& p) {
    DrawPage(p, QRectF(11.5, 2.5, 18, 26));
    DrawArrow(p, 2, 21, 18, kBlue);
}

void DrawClock(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

// A curved arrow turning back (undo) or forward (redo).
void DrawTurn(QPainter& p, bool back) {
    if (!back) p.translate(32, 0), p.scale(-1, 1);
    QPainterPath curve;
    curve.moveTo(8, 14);
    curve.cubicTo(14, 6, 28, 8, 27, 19);
    curve.cubicTo(26, 26, 18, 28, 13, 26);
    p.setPen(QPen(kBlue, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{2, 18}, {4, 6}, {14, 12}}));
}

} // namespace

std::vector<QImage> UndoRedoImages() {
    return {Picture(32, [](QPainter& p) { DrawTurn(p, true); }),
            Picture(32, [](QPainter& p) { DrawTurn(p, false); })};
}

std::vector<QImage> ToolbarImages() {
    std::vector<QImage> images;
    for (auto draw :
         {DrawAddProgram, DrawAllPrograms, DrawSave, DrawExport, DrawNeutral, DrawImport})
        images.push_back(Picture(32, draw));
    return images;
}

QImage PlannerItemImage() {
    return Picture(16, DrawClock);
}
