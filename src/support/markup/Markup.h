#pragma once

#include "platform/Canvas.h"

#include <string>

// How a marked-up text is drawn and what is tested; the defaults draw everything.
struct TMarkupOptions {
    const TImageList* Images = nullptr; // pictures of IMG sources "IDX:n"
    int PointX = -1;                    // point tested for links and controls
    int PointY = -1;
    int FocusedLink = -1; // link drawn with a focus rectangle; -1 none
    int HoverLink = -1;   // link under the mouse; -1 none
    int ShadowOffset = 1;
    bool HitTestOnly = false; // lines are measured and tested, nothing is drawn
    bool MeasureOnly = false; // lines are only measured, without stopping at the bottom
    bool Printing = false;
    bool Selected = false; // colour tags are ignored so that selection colours stay
    bool BlinkOn = true;
    bool HoverOnly = false; // link styling applies only to the hover link
    bool WordWrap = true;   // otherwise lines are cut at the right edge with an ellipsis
    bool ControlPressed = false;
    double PrintScale = 1.0;
    TColor LinkColor = clBlue;
    TColor HoverBackground = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = clGray;
};

struct TMarkupResult {
    std::string LinkTarget; // of the link under the point
    std::string PlainText;  // the runs without tags, a CR for each BR
    std::string FocusedLinkTarget;
    int Width = 0;    // widest line without its trailing space
    int Height = 0;   // sum of the line heights, at least one line of the entry font
    bool Cut = false; // lines were left out at the rectangle's bottom
    int LinkCount = 0;
    int LinkUnderPoint = -1;
    TRect HoverRect;   // the link under the point on its line
    TRect ControlRect; // the form control under the point
    std::string ControlId;
    std::string ControlValue;
    std::string ControlType;
};

// Draws, measures or tests the text in the rectangle; true when the point lies on a link or a
// form control. The canvas gets its font and brush back.
bool DrawMarkupText(TCanvas& canvas, const std::string& text, const TRect& rect,
                    const TMarkupOptions& options, TMarkupResult& result);
// BR and HR become CR LF; every other complete tag is removed.
std::string MarkupToPlainText(const std::string& text);
// The colour of a lower-case name such as "clred"; 0 for an unknown name.
TColor ColorByName(const std::string& name);
