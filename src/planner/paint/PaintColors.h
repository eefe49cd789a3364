#pragma once

#include "platform/Canvas.h"

enum class TGradientDirection { LeftToRight, TopToBottom };

// Fills the rectangle in `steps` strips from colour `from` towards `to`; the last strip stops one
// step short of `to`. Leaves the canvas pen and brush as they were.
void GradientFill(TCanvas& canvas, TColor from, TColor to, TGradientDirection direction,
                  const TRect& rect, int steps);
// `percent` of colour a over colour b; 100 gives a itself.
TColor BlendColor(TColor a, TColor b, int percent);
