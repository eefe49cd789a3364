#pragma once

#include "platform/Colors.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

#include <string>
#include <vector>

// Text placement bits for TCanvas::DrawText; left and top alignment are the zero defaults.
enum TTextFlags : unsigned {
    tfLeft = 0,
    tfCenter = 1,
    tfRight = 2,
    tfTop = 0,
    tfVCenter = 4,
    tfBottom = 8,
    tfSingleLine = 16,
    tfWordBreak = 32,
    tfNoPrefix = 64, // '&' is drawn as is instead of underlining the next character
    tfExpandTabs = 128,
    tfEndEllipsis = 256,
    tfNoClip = 512,
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
};

// A brush of colour clNone fills nothing; text is then drawn without a background.
struct TBrush {
    TColor Color = clWhite;
};

// Text bytes are Windows-1251 throughout.
class TCanvas {
public:
    virtual ~TCanvas() = default;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    virtual void FillRect(const TRect& rect) = 0;
    // Outlined with the pen inside the rectangle and filled with the brush.
    virtual void Rectangle(const TRect& rect) = 0;
    virtual void RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight) = 0;
    virtual void Ellipse(const TRect& rect) = 0;
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    // Joined segments; the last point itself is not drawn.
    virtual void Polyline(const std::vector<TPoint>& points) = 0;
    void Line(int x1, int y1, int x2, int y2) { Polyline({{x1, y1}, {x2, y2}}); }
    // Returns the height of the text drawn.
    virtual int DrawText(const TRect& rect, const std::string& text, unsigned flags) = 0;
    virtual void DrawFocusRect(const TRect& rect) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // Clips further drawing to the rectangle within the current clip until the matching PopClip.
    virtual void PushClip(const TRect& rect) = 0;
    virtual void PopClip() = 0;
};

// The pictures of an image list, drawn by index.
class TImageList {
public:
    virtual ~TImageList() = default;
    virtual int Count() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Stretched into the rectangle; an index outside the list draws nothing.
    virtual void Draw(TCanvas& canvas, int index, const TRect& rect) const = 0;
};
