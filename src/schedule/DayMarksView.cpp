#include "schedule/DayMarksView.h"

#include "planner/widget/Planner.h"
#include "platform/Canvas.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr TColor kOverlapColor = clRed;
constexpr TColor kGapColor = 0x8080C0;
constexpr TColor kGapTextColor = clMaroon;
constexpr int kHatchStep = 8;
constexpr int kThinBand = 4;

std::string Title(const TDayBroadcast& broadcast) {
    if (broadcast.SeriesName.empty()) return broadcast.ProgramName;
    if (broadcast.ProgramName.empty()) return broadcast.SeriesName;
    return broadcast.SeriesName + " - " + broadcast.ProgramName;
}

std::string ClockText(TDateTime time) {
    const long minutes = std::lround(time * kMinsPerDay);
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld", minutes / 60, minutes % 60);
    return text;
}

void Hatch(TCanvas& canvas, const TRect& band) {
    canvas.PushClip(band);
    canvas.Pen = {kGapColor, 1};
    for (int x = band.Left - band.Height(); x < band.Right; x += kHatchStep)
        canvas.Polyline({{x, band.Bottom}, {x + band.Height(), band.Top}});
    canvas.PopClip();
}

// Items cover whole rows, so the band keeps to the rows the gap leaves empty; a gap inside one
// row is a thin band at the row's edge.
TRect GapBand(const TPlanner& planner, int position, const TDayGap& gap) {
    const double unit = std::max(1, planner.Display().DisplayUnit());
    const double start = std::ceil(gap.Start * kMinsPerDay / unit) * unit;
    const double end = std::floor(gap.End * kMinsPerDay / unit) * unit;
    TRect band = planner.PositionColumn(position);
    band.Top = planner.MinuteToPixel(std::min(start, end));
    band.Bottom = std::max(band.Top + kThinBand, planner.MinuteToPixel(end));
    if (end < start) band.Top -= kThinBand / 2, band.Bottom -= kThinBand / 2;
    return band;
}

void PaintGap(TCanvas& canvas, const TPlanner& planner, int position, const TDayGap& gap) {
    const TRect band = GapBand(planner, position, gap);
    Hatch(canvas, band);
    const std::string length = LengthText(gap.Length());
    if (band.Height() < canvas.TextHeight(length)) return;
    canvas.Brush.Color = clWhite;
    canvas.Font.Color = kGapTextColor;
    canvas.DrawText(band, " " + length + " ", tfCenter | tfVCenter | tfSingleLine);
}

// A yellow triangle with an exclamation mark at the right of the caption band.
void PaintWarningSign(TCanvas& canvas, const TRect& frame, int captionHeight) {
    const int size = std::max(8, std::min(captionHeight, 14) - 2);
    const int right = frame.Right - 3, top = frame.Top + 2;
    canvas.Pen = {kOverlapColor, 1};
    canvas.Brush.Color = clYellow;
    canvas.Polygon({{right - size / 2, top}, {right, top + size}, {right - size, top + size}});
    canvas.Brush.Color = clNone;
    canvas.Font.Color = kOverlapColor;
    canvas.DrawText({right - size, top + 1, right, top + size + 1}, "!",
                    tfCenter | tfVCenter | tfSingleLine);
}

void PaintOverlap(TCanvas& canvas, const TPlanner& planner, const TPlannerItem& item) {
    const TRect frame = planner.ItemBounds(item);
    canvas.Pen = {kOverlapColor, 2};
    canvas.Brush.Color = clNone;
    canvas.Rectangle({frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom});
    PaintWarningSign(canvas, frame, item.ViewState().CaptionHeight);
}

// The span reads past 24:00 for a broadcast that ends after midnight.
std::string PositionText(const TDayTotals& totals, bool withSpan) {
    std::string text =
        std::to_string(totals.Broadcasts) + " broadcasts, on air " + LengthText(totals.OnAir);
    if (withSpan && totals.FirstStart && totals.LastEnd)
        text += " (" + ClockText(*totals.FirstStart) + "\x96" + ClockText(*totals.LastEnd) + ")";
    return text + ", gaps " + LengthText(totals.Gaps) + ", dead air " + LengthText(totals.DeadAir);
}

} // namespace

void PaintDayMarks(TCanvas& canvas, const TPlanner& planner, const TDayMarks& marks,
                   bool drawGaps) {
    if (drawGaps)
        for (std::size_t p = 0; p < marks.Gaps.size(); ++p)
            for (const TDayGap& gap : marks.Gaps[p])
                PaintGap(canvas, planner, static_cast<int>(p), gap);
    const int items = std::min<int>(planner.Items().Count(), marks.Overlaps.size());
    for (int i = 0; i < items; ++i)
        if (!marks.Overlaps[i].empty()) PaintOverlap(canvas, planner, planner.Items()[i]);
}

std::string OverlapHint(const TScheduleDay& day, const TDayMarks& marks, int index) {
    std::string hint;
    if (index < 0 || index >= static_cast<int>(marks.Overlaps.size())) return hint;
    for (const TDayOverlap& overlap : marks.Overlaps[index]) {
        if (!hint.empty()) hint += "\n";
        hint += "Overlaps " + Title(day.Broadcasts[overlap.Other]) + " by " +
                LengthText(overlap.Length) + ".";
    }
    return hint;
}

std::string LengthText(TDateTime length) {
    const long minutes = std::lround(length * kMinsPerDay);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", minutes / 60, minutes % 60);
    return text;
}

std::string TotalsText(const TScheduleDay& day, const TDayMarks& marks) {
    const bool onePosition = marks.PositionTotals.size() < 2;
    std::string text = "Day: " + PositionText(marks.Totals, onePosition);
    if (onePosition) return text;
    for (std::size_t p = 0; p < marks.PositionTotals.size(); ++p) {
        const std::string caption = p + 1 < day.Captions.size() ? day.Captions[p + 1] : "";
        text += "   " + (caption.empty() ? "Position " + std::to_string(p + 1) : caption) + ": " +
                PositionText(marks.PositionTotals[p], true);
    }
    return text;
}
