#include "platform/QtCanvas.h"

#include "platform/ColorResolve.h"
#include "platform/QtText.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

namespace {

QColor ToQColor(TColor color) {
    const TRGB rgb = ColorToRGB(color);
    return QColor(rgb.R, rgb.G, rgb.B);
}

QRect ToQRect(const TRect& rect) {
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

// The outline of a shape lies on its pixels, the right and bottom ones excluded.
QRect OutlineRect(const TRect& rect) {
    return QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
}

QPolygon ToQPolygon(const std::vector<TPoint>& points) {
    QPolygon polygon;
    for (const TPoint& point : points)
        polygon << QPoint(point.X, point.Y);
    return polygon;
}

QFont ToQFont(const TFont& font) {
    QFont result(QString::fromLatin1(font.Name.c_str()));
    result.setPixelSize(std::max(1, std::abs(font.Height)));
    result.setBold(font.Style & fsBold);
    result.setItalic(font.Style & fsItalic);
    result.setUnderline(font.Style & fsUnderline);
    result.setStrikeOut(font.Style & fsStrikeOut);
    return result;
}

int AlignmentOf(unsigned flags) {
    int result = flags & tfRight    ? Qt::AlignRight
                 : flags & tfCenter ? Qt::AlignHCenter
                                    : Qt::AlignLeft;
    result |= flags & tfBottom    ? Qt::AlignBottom
              : flags & tfVCenter ? Qt::AlignVCenter
                                  : Qt::AlignTop;
    if (flags & tfSingleLine) result |= Qt::TextSingleLine;
    if (flags & tfWordBreak) result |= Qt::TextWordWrap;
    if (flags & tfExpandTabs) result |= Qt::TextExpandTabs;
    if (!(flags & tfNoPrefix)) result |= Qt::TextShowMnemonic;
    return result;
}

// Carriage returns break lines as the window system's text output does.
QString TextForQt(const std::string& text, unsigned flags) {
    QString result = ToQString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QChar('\r'), QChar('\n'));
    if (flags & tfSingleLine) result.replace(QChar('\n'), QChar(' '));
    return result;
}

} // namespace

TQtCanvas::TQtCanvas(QPainter& painter) : painter_(painter) {}

const QFontMetrics& TQtCanvas::UseFont() {
    if (current_ >= fonts_.size() || !(fonts_[current_].Font == Font)) {
        const auto same = [this](const TConvertedFont& font) { return font.Font == Font; };
        current_ = std::find_if(fonts_.begin(), fonts_.end(), same) - fonts_.begin();
        if (current_ == fonts_.size()) {
            const QFont font = ToQFont(Font);
            fonts_.push_back({Font, font, QFontMetrics(font), {}});
        }
    }
    return fonts_[current_].Metrics;
}

void TQtCanvas::UsePenAndBrush() {
    painter_.setPen(QPen(ToQColor(Pen.Color), Pen.Width));
    if (Brush.Color == clNone)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(ToQColor(Brush.Color));
}

void TQtCanvas::FillRect(const TRect& rect) {
    if (Brush.Color != clNone) painter_.fillRect(ToQRect(rect), ToQColor(Brush.Color));
}

void TQtCanvas::Rectangle(const TRect& rect) {
    UsePenAndBrush();
    painter_.drawRect(OutlineRect(rect));
}

void TQtCanvas::RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight) {
    UsePenAndBrush();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.drawRoundedRect(OutlineRect(rect), ellipseWidth / 2.0, ellipseHeight / 2.0);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void TQtCanvas::Ellipse(const TRect& rect) {
    UsePenAndBrush();
    painter_.drawEllipse(OutlineRect(rect));
}

void TQtCanvas::Polygon(const std::vector<TPoint>& points) {
    UsePenAndBrush();
    painter_.drawPolygon(ToQPolygon(points));
}

void TQtCanvas::Polyline(const std::vector<TPoint>& points) {
    painter_.setPen(QPen(ToQColor(Pen.Color), Pen.Width));
    painter_.drawPolyline(ToQPolygon(points));
}

// One plain line that fits its rectangle needs neither a layout nor a clip.
bool TQtCanvas::DrawPlainLine(const TRect& rect, const std::string& text, unsigned flags) {
    const bool plain = (flags & tfSingleLine) && Font.Orientation == 0 &&
                       text.find_first_of("\r\n\t") == std::string::npos &&
                       ((flags & tfNoPrefix) || text.find('&') == std::string::npos);
    if (!plain) return false;
    const int width = TextWidth(text);
    const QFontMetrics& metrics = fonts_[current_].Metrics;
    const int height = metrics.height();
    if (width > rect.Width() || height > rect.Height()) return false;
    const int left = flags & tfRight    ? rect.Right - width
                     : flags & tfCenter ? rect.Left + (rect.Width() - width) / 2
                                        : rect.Left;
    const int top = flags & tfBottom    ? rect.Bottom - height
                    : flags & tfVCenter ? rect.Top + (rect.Height() - height) / 2
                                        : rect.Top;
    if (Brush.Color != clNone) painter_.fillRect(left, top, width, height, ToQColor(Brush.Color));
    painter_.setFont(fonts_[current_].Qt);
    painter_.setPen(ToQColor(Font.Color));
    painter_.drawText(QPoint(left, top + metrics.ascent()), ToQString(text));
    return true;
}

int TQtCanvas::DrawText(const TRect& rect, const std::string& text, unsigned flags) {
    const QFontMetrics& metrics = UseFont();
    if (DrawPlainLine(rect, text, flags)) return metrics.height();
    QString shown = TextForQt(text, flags);
    const int alignment = AlignmentOf(flags);
    if (flags & tfEndEllipsis && !(flags & tfWordBreak))
        shown = metrics.elidedText(shown, Qt::ElideRight, rect.Width(), alignment);
    // Single lines need no layout for their height unless a background goes behind them.
    const bool measure = Brush.Color != clNone || !(flags & tfSingleLine);
    const QRect bounds = measure ? metrics.boundingRect(ToQRect(rect), alignment, shown) : QRect();
    painter_.save();
    painter_.setFont(fonts_[current_].Qt);
    if (!(flags & tfNoClip)) painter_.setClipRect(ToQRect(rect), Qt::IntersectClip);
    if (Brush.Color != clNone) painter_.fillRect(bounds, ToQColor(Brush.Color));
    painter_.setPen(ToQColor(Font.Color));
    if (Font.Orientation != 0) {
        painter_.translate(rect.Left, rect.Bottom);
        painter_.rotate(-Font.Orientation / 10.0);
        painter_.drawText(QPoint(0, 0), shown);
    } else {
        painter_.drawText(ToQRect(rect), alignment, shown);
    }
    painter_.restore();
    return measure ? bounds.height() : metrics.height();
}

void TQtCanvas::DrawFocusRect(const TRect& rect) {
    painter_.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(OutlineRect(rect));
}

int TQtCanvas::TextWidth(const std::string& text) {
    constexpr size_t kMaxWidths = 4096;
    const QFontMetrics& metrics = UseFont();
    auto& widths = fonts_[current_].Widths;
    if (const auto found = widths.find(text); found != widths.end()) return found->second;
    if (widths.size() >= kMaxWidths) widths.clear();
    const int width = metrics.horizontalAdvance(ToQString(text));
    widths.emplace(text, width);
    return width;
}

int TQtCanvas::TextHeight(const std::string&) {
    return UseFont().height();
}

void TQtCanvas::PushClip(const TRect& rect) {
    painter_.save();
    painter_.setClipRect(ToQRect(rect), Qt::IntersectClip);
}

void TQtCanvas::PopClip() {
    painter_.restore();
}
