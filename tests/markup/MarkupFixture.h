#pragma once

#include "support/RecordingCanvas.h"
#include "support/markup/Markup.h"

#include <string>

// The item text the schedule window builds, as the planner hands it over: lines joined
// without a separator.
inline std::string ScheduleText(const std::string& series, const std::string& program,
                                const std::string& language) {
    return "<html> <body><b>Series:</b> <p>" + series + "</p><b>Program:</b> <p>" + program +
           "</p><b>Language: </b> <p>" + language + "</p></body></html>";
}

// Draws with the recording canvas in its default font: 6 pixels a character (7 bold), lines
// 13 pixels high.
struct MarkupDrawing {
    RecordingCanvas Canvas;
    TMarkupOptions Options;
    TMarkupResult Result;
    bool PointOnLink = false;

    MarkupDrawing& Draw(const std::string& text, const TRect& rect) {
        PointOnLink = DrawMarkupText(Canvas, text, rect, Options, Result);
        return *this;
    }
    std::vector<std::string> Texts() const { return Canvas.Texts(); }
    TCanvasOp Text(size_t index) const { return Canvas.OfKind("DrawText").at(index); }
};
