#include "support/markup/MarkupLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kToggleSize = 16;

struct TPictureSize {
    int Index = -1;
    int Width = 0;
    int Height = 0;
};

// Only image-list pictures exist here; other sources draw nothing and take no room.
TPictureSize PictureSize(const TMarkupCall& call, const TMarkupTag& tag) {
    const std::string source = Attribute(tag, "SRC");
    const TImageList* images = call.Options.Images;
    if (!images || UpperCase(source.substr(0, 4)) != "IDX:") return {};
    const int index = MarkupNumber(source.substr(4));
    if (index < 0 || index >= images->Count()) return {};
    TPictureSize size{index, MarkupNumber(Attribute(tag, "WIDTH")),
                      MarkupNumber(Attribute(tag, "HEIGHT"))};
    if (size.Width <= 0 || size.Height <= 0) {
        size.Width = images->Width();
        size.Height = images->Height();
    }
    if (call.Options.Printing) {
        size.Width = static_cast<int>(std::lround(size.Width * call.Options.PrintScale));
        size.Height = static_cast<int>(std::lround(size.Height * call.Options.PrintScale));
    }
    return size;
}

void AlignPicture(TMarkupLine& line, const TMarkupTag& tag) {
    const std::string align = UpperCase(Attribute(tag, "ALIGN"));
    if (align == "TOP") line.ImageOffset = line.Height - line.BaseHeight;
    if (align == "MIDDLE") line.ImageOffset = (line.Height - line.BaseHeight) / 2;
}

void TestPicture(TMarkupCall& call, const TMarkupState& state, TMarkupLine& line,
                 const TRect& area) {
    if (!state.InLink || !area.Contains(call.Options.PointX, call.Options.PointY)) return;
    call.Result.LinkTarget = state.LinkTarget;
    call.Result.LinkUnderPoint = state.LinkCount - 1;
    call.Result.HoverRect = area;
    line.PointOnElement = true;
}

struct TControl {
    std::string Type;
    std::string Id;
    std::string Value;
    int Width = 0;
    int Height = 0;
};

TControl ReadControl(TCanvas& canvas, const TMarkupTag& tag) {
    TControl control{UpperCase(Attribute(tag, "TYPE")), Attribute(tag, "ID"),
                     Attribute(tag, "VALUE"), MarkupNumber(Attribute(tag, "WIDTH")), 0};
    if (control.Type == "CHECK" || control.Type == "RADIO") {
        control.Width = kToggleSize;
        control.Height = kToggleSize;
    } else if (control.Type == "EDIT") {
        control.Height = canvas.TextHeight("gh") + 6;
    } else if (control.Type == "COMBO") {
        control.Height = 25;
    } else if (control.Type == "BUTTON") {
        control.Height = 24;
    }
    return control;
}

void DrawToggle(TCanvas& canvas, const TControl& control, const TRect& area) {
    const bool on = UpperCase(control.Value) == "TRUE";
    canvas.Brush.Color = clWindow;
    canvas.Pen = {clBlack, 1};
    if (control.Type == "RADIO") {
        canvas.Ellipse(area);
        canvas.Brush.Color = clBlack;
        if (on) canvas.Ellipse(area.Inflate(-5, -5));
        return;
    }
    canvas.Rectangle(area);
    canvas.Pen = {clBlack, 2};
    if (on)
        canvas.Polyline({{area.Left + 3, area.Top + 8},
                         {area.Left + 6, area.Top + 11},
                         {area.Left + 12, area.Top + 4}});
}

// A plain look: the window system's themes play no part.
void DrawControl(TCanvas& canvas, const TControl& control, const TRect& area, bool pressed) {
    const TPen pen = canvas.Pen;
    const TColor brush = canvas.Brush.Color;
    if (control.Type == "CHECK" || control.Type == "RADIO") {
        DrawToggle(canvas, control, area);
    } else {
        const bool button = control.Type == "BUTTON";
        canvas.Pen = {clBlack, 1};
        canvas.Brush.Color = button ? (pressed ? clBtnShadow : clBtnFace) : clWindow;
        canvas.Rectangle(area);
        canvas.Brush.Color = clNone;
        const unsigned align = button ? tfCenter : tfLeft;
        canvas.DrawText(area.Inflate(-3, 0), control.Value,
                        align | tfVCenter | tfSingleLine | tfNoPrefix | tfEndEllipsis);
    }
    canvas.Pen = pen;
    canvas.Brush.Color = brush;
}

void TestControl(TMarkupCall& call, TMarkupLine& line, const TControl& control, const TRect& area) {
    if (!area.Contains(call.Options.PointX, call.Options.PointY)) return;
    TMarkupResult& result = call.Result;
    result.ControlRect = area;
    result.ControlId = control.Id;
    result.ControlValue = control.Value;
    result.ControlType = control.Type;
    result.LinkTarget = "ctrl";
    line.PointOnElement = true;
}

} // namespace

TTagOutcome Picture(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                    const TMarkupTag& tag, TMarkupPass pass) {
    const TPictureSize size = PictureSize(call, tag);
    if (size.Index < 0) return TTagOutcome::Continue;
    AlignPicture(line, tag);
    if (pass == TMarkupPass::Measure && line.X + size.Width > line.Box.Right &&
        size.Width < line.Box.Width() && line.Runs > 0)
        return TTagOutcome::EndBefore;
    const int bottom = pass == TMarkupPass::Draw ? line.Box.Bottom : line.Box.Top + size.Height;
    const TRect area{line.X, bottom - size.Height, line.X + size.Width, bottom};
    if (TestsPoint(call, pass)) TestPicture(call, state, line, area);
    if (Draws(call, pass)) call.Options.Images->Draw(call.Canvas, size.Index, area);
    line.X += size.Width;
    line.Height = std::max(line.Height, size.Height);
    if (pass == TMarkupPass::Measure) line.Width += size.Width;
    ++line.Runs;
    return TTagOutcome::Continue;
}

TTagOutcome FormControl(TMarkupCall& call, TMarkupState&, TMarkupLine& line, const TMarkupTag& tag,
                        TMarkupPass pass) {
    const TControl control = ReadControl(call.Canvas, tag);
    const int bottom = pass == TMarkupPass::Draw ? line.Box.Bottom : line.Box.Top + control.Height;
    const TRect area{line.X, bottom - control.Height, line.X + control.Width, bottom};
    if (TestsPoint(call, pass)) TestControl(call, line, control, area);
    if (Draws(call, pass)) {
        const TMarkupOptions& options = call.Options;
        const bool pressed =
            options.ControlPressed && area.Contains(options.PointX, options.PointY);
        DrawControl(call.Canvas, control, area, pressed);
    }
    line.X += control.Width;
    line.Height = std::max(line.Height, control.Height);
    if (pass == TMarkupPass::Measure) line.Width += control.Width;
    ++line.Runs;
    return TTagOutcome::Continue;
}
