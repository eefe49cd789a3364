#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;

// Draws on a QPainter that outlives it; text meets Unicode only here.
class TQtCanvas : public TCanvas {
public:
    explicit TQtCanvas(QPainter& painter);

    void FillRect(const TRect& rect) override;
    void Rectangle(const TRect& rect) override;
    void RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight) override;
    void Ellipse(const TRect& rect) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Polyline(const std::vector<TPoint>& points) override;
    int DrawText(const TRect& rect, const std::string& text, unsigned flags) override;
    void DrawFocusRect(const TRect& rect) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void PushClip(const TRect& rect) override;
    void PopClip() override;

private:
    struct TConvertedFont {
        TFont Font;
        QFont Qt;
        QFontMetrics Metrics;
        std::unordered_map<std::string, int> Widths; // runs repeat within a paint
    };

    // Each font is converted once per canvas.
    const QFontMetrics& UseFont();
    bool DrawPlainLine(const TRect& rect, const std::string& text, unsigned flags);
    void UsePenAndBrush();

    QPainter& painter_;
    std::vector<TConvertedFont> fonts_;
    size_t current_ = 0;
};
