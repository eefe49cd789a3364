#pragma once

#include "platform/Canvas.h"

#include <string>
#include <vector>

// One call made on a RecordingCanvas, with the canvas state it was made in.
struct TCanvasOp {
    std::string Kind; // "FillRect", "Rectangle", "RoundRect", "Ellipse", "Polygon", "Polyline",
                      // "DrawText", "FocusRect", "PushClip", "PopClip"
    TRect Rect;
    std::vector<TPoint> Points;
    std::string Text;
    unsigned Flags = 0;
    TPen Pen;
    TBrush Brush;
    TFont Font;
};

// A canvas that draws nothing and records every call. Its text metrics are fixed: each
// character is 6 pixels wide (7 when bold) and a text is |Font.Height| + 2 pixels high.
class RecordingCanvas : public TCanvas {
public:
    static int CharWidth(const TFont& font) { return font.Style & fsBold ? 7 : 6; }
    static int LineHeight(const TFont& font);

    std::vector<TCanvasOp> Ops;

    void FillRect(const TRect& rect) override { Record("FillRect", rect); }
    void Rectangle(const TRect& rect) override { Record("Rectangle", rect); }
    void RoundRect(const TRect& rect, int, int) override { Record("RoundRect", rect); }
    void Ellipse(const TRect& rect) override { Record("Ellipse", rect); }
    void Polygon(const std::vector<TPoint>& points) override;
    void Polyline(const std::vector<TPoint>& points) override;
    int DrawText(const TRect& rect, const std::string& text, unsigned flags) override;
    void DrawFocusRect(const TRect& rect) override { Record("FocusRect", rect); }
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void PushClip(const TRect& rect) override { Record("PushClip", rect); }
    void PopClip() override { Record("PopClip", {}); }

    // The recorded calls of one kind, in order.
    std::vector<TCanvasOp> OfKind(const std::string& kind) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;
    void Clear() { Ops.clear(); }

private:
    TCanvasOp& Record(const std::string& kind, const TRect& rect);
};
