#include "support/RecordingCanvas.h"

#include <cstdlib>

int RecordingCanvas::LineHeight(const TFont& font) {
    return std::abs(font.Height) + 2;
}

TCanvasOp& RecordingCanvas::Record(const std::string& kind, const TRect& rect) {
    Ops.push_back({kind, rect, {}, {}, 0, Pen, Brush, Font});
    return Ops.back();
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points) {
    Record("Polygon", {}).Points = points;
}

void RecordingCanvas::Polyline(const std::vector<TPoint>& points) {
    Record("Polyline", {}).Points = points;
}

// Word-breaking text takes as many characters per line as fit the width.
int RecordingCanvas::DrawText(const TRect& rect, const std::string& text, unsigned flags) {
    TCanvasOp& op = Record("DrawText", rect);
    op.Text = text;
    op.Flags = flags;
    if (flags & tfSingleLine || !(flags & tfWordBreak) || rect.Width() <= 0)
        return LineHeight(Font);
    int lines = 1;
    int x = 0;
    const int width = CharWidth(Font);
    for (char c : text) {
        if (c == '\r' || x + width > rect.Width()) {
            ++lines;
            x = c == '\r' ? 0 : width;
        } else {
            x += width;
        }
    }
    return lines * LineHeight(Font);
}

int RecordingCanvas::TextWidth(const std::string& text) {
    return static_cast<int>(text.size()) * CharWidth(Font);
}

int RecordingCanvas::TextHeight(const std::string&) {
    return LineHeight(Font);
}

std::vector<TCanvasOp> RecordingCanvas::OfKind(const std::string& kind) const {
    std::vector<TCanvasOp> result;
    for (const TCanvasOp& op : Ops)
        if (op.Kind == kind) result.push_back(op);
    return result;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> result;
    for (const TCanvasOp& op : OfKind("DrawText"))
        result.push_back(op.Text);
    return result;
}
