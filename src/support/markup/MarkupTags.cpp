#include "support/markup/MarkupLine.h"

#include <cstdlib>

namespace {

constexpr int kListStep = 12;

bool Is(const TMarkupTag& tag, size_t at, char c) {
    return tag.Upper.size() > at && tag.Upper[at] == c;
}

void SetBrush(TCanvas& canvas, TColor color) {
    canvas.Brush.Color = color;
}

void FillLineAcross(TMarkupCall& call, const TMarkupLine& line, TColor color) {
    const TColor brush = call.Canvas.Brush.Color;
    call.Canvas.Brush.Color = color;
    call.Canvas.FillRect({call.Rect.Left, line.Box.Top, call.Rect.Right, line.Box.Bottom});
    call.Canvas.Brush.Color = brush;
}

void StartLink(TMarkupCall& call, TMarkupState& state, TMarkupLine& line, const TMarkupTag& tag) {
    const TMarkupOptions& options = call.Options;
    TCanvas& canvas = call.Canvas;
    state.InLink = true;
    const int index = state.LinkCount++;
    state.LinkTarget = FirstQuotedValue(tag.Original);
    line.LinkStart = line.X;
    state.LinkStyled = !(options.HoverOnly && index != options.HoverLink);
    state.HoverTextApplied = false;
    if (!state.LinkStyled) return;
    canvas.Font.Style |= fsUnderline;
    const bool hover = index == options.HoverLink;
    state.BrushBeforeHover = canvas.Brush.Color;
    if (hover && options.HoverBackground != clNone) SetBrush(canvas, options.HoverBackground);
    state.HoverTextApplied = hover && options.HoverTextColor != clNone;
    if (state.HoverTextApplied)
        canvas.Font.Color = options.HoverTextColor;
    else if (!options.Selected)
        canvas.Font.Color = options.LinkColor;
}

void EndLink(TMarkupCall& call, TMarkupState& state, const TMarkupLine& line, TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    state.InLink = false;
    if (state.LinkStyled) {
        canvas.Font.Style &= ~fsUnderline;
        SetBrush(canvas, state.BrushBeforeHover);
        state.LinkStyled = false;
    }
    if (!call.Options.Selected) canvas.Font.Color = call.EntryFont.Color;
    if (Draws(call, pass) && state.LinkCount - 1 == call.Options.FocusedLink)
        canvas.DrawFocusRect({line.LinkStart, line.Box.Top, line.X, line.Box.Bottom});
}

void StartFont(TMarkupCall& call, TMarkupState& state, const TMarkupTag& tag, TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    const std::string face = Attribute(tag, "FACE");
    if (!face.empty()) canvas.Font.Name = face;
    const std::string color = Attribute(tag, "COLOR");
    if (!color.empty() && !call.Options.Selected) canvas.Font.Color = MarkupColor(color);
    const std::string background = Attribute(tag, "BGCOLOR");
    if (!background.empty() && pass == TMarkupPass::Draw && !call.Options.Selected) {
        state.FontBackground = canvas.Brush.Color;
        SetBrush(canvas, MarkupColor(background));
    }
    const int size = MarkupNumber(Attribute(tag, "SIZE"));
    static constexpr int kSizes[] = {8, 10, 12, 14, 16};
    if (size >= 1 && size <= 5)
        SetFontSize(canvas.Font, kSizes[size - 1]);
    else if (size > 0)
        SetFontSize(canvas.Font, size);
}

void EndFont(TMarkupCall& call, TMarkupState& state, TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    canvas.Font.Name = call.EntryFont.Name;
    canvas.Font.Height = call.EntryFont.Height;
    if (pass != TMarkupPass::Draw || call.Options.Selected) return;
    canvas.Font.Color = call.EntryFont.Color;
    SetBrush(canvas, state.FontBackground);
}

void StartHighlight(TCanvas& canvas, TMarkupState& state) {
    state.HighlightSaved = true;
    state.HighlightText = canvas.Font.Color;
    state.HighlightBackground = canvas.Brush.Color;
    SetBrush(canvas, clHighlight);
    canvas.Font.Color = clHighlightText;
}

void EndHighlight(TCanvas& canvas, const TMarkupState& state) {
    if (!state.HighlightSaved) return;
    canvas.Font.Color = state.HighlightText;
    SetBrush(canvas, state.HighlightBackground);
}

void StartParagraph(TMarkupCall& call, TMarkupState& state, const TMarkupLine& line,
                    const TMarkupTag& tag, TMarkupPass pass) {
    const std::string align = UpperCase(Attribute(tag, "ALIGN"));
    if (align == "LEFT") state.Align = TMarkupAlign::Left;
    if (align == "RIGHT") state.Align = TMarkupAlign::Right;
    if (align == "CENTER") state.Align = TMarkupAlign::Center;
    const std::string indent = Attribute(tag, "INDENT");
    if (!indent.empty()) state.Indent = MarkupNumber(indent);
    const std::string background = Attribute(tag, "BGCOLOR");
    if (background.empty() || pass != TMarkupPass::Draw) return;
    state.ParagraphBackground = call.Canvas.Brush.Color;
    state.ParagraphFill = MarkupColor(background);
    SetBrush(call.Canvas, state.ParagraphFill);
    FillLineAcross(call, line, state.ParagraphFill);
}

void FillBody(TMarkupCall& call, const TMarkupTag& tag) {
    const std::string background = Attribute(tag, "BGCOLOR");
    if (background.empty()) return;
    const TColor brush = call.Canvas.Brush.Color;
    SetBrush(call.Canvas, MarkupColor(background));
    call.Canvas.FillRect(call.Rect);
    SetBrush(call.Canvas, brush);
}

void ListItem(TMarkupCall& call, const TMarkupState& state, TMarkupLine& line, TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    const int shift = (state.ListLevel - 1) * kListStep;
    line.X += shift;
    if (Draws(call, pass)) {
        const TFont font = canvas.Font;
        canvas.Font.Name = "Symbol";
        const TRect box{line.X, line.Box.Top, line.X + kListStep, line.Box.Bottom};
        canvas.DrawText(box, state.ListLevel % 2 != 0 ? "\xB7" : "o",
                        tfSingleLine | tfBottom | tfNoPrefix | tfNoClip);
        canvas.Font = font;
    }
    line.X += kListStep;
    if (pass == TMarkupPass::Measure) line.Width += shift + kListStep;
}

void MoveToIndent(TMarkupCall& call, TMarkupLine& line, const TMarkupTag& tag) {
    const int x = call.Rect.Left + MarkupNumber(Attribute(tag, "X"));
    if (x <= line.X) return;
    line.Width += x - line.X;
    line.X = x;
}

// The first number in the tag: the angle in degrees.
void Rotate(TCanvas& canvas, TMarkupState& state, const TMarkupTag& tag) {
    const size_t digit = tag.Upper.find_first_of("-0123456789");
    const int angle = digit == std::string::npos ? 0 : MarkupNumber(tag.Upper.substr(digit));
    state.UnrotatedFonts.push_back(canvas.Font);
    canvas.Font.Orientation = angle % 360 * 10;
}

TTagOutcome StartB(TMarkupCall& call, const TMarkupTag& tag, TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    if (Is(tag, 2, '>')) canvas.Font.Style |= fsBold;
    if (Is(tag, 2, 'R')) {
        call.Result.PlainText += '\r';
        return TTagOutcome::EndLine;
    }
    if (Is(tag, 2, 'L') && !call.Options.BlinkOn) canvas.Font.Color = call.EntryBrush;
    if (Is(tag, 2, 'O') && pass == TMarkupPass::Draw) FillBody(call, tag);
    return TTagOutcome::Continue;
}

TTagOutcome StartH(TMarkupCall& call, TMarkupState& state, const TMarkupLine& line,
                   const TMarkupTag& tag, TMarkupPass pass) {
    if (Is(tag, 2, 'I') && pass == TMarkupPass::Draw) StartHighlight(call.Canvas, state);
    if (!Is(tag, 2, 'R')) return TTagOutcome::Continue;
    if (Draws(call, pass)) {
        const TPen pen = call.Canvas.Pen;
        call.Canvas.Pen = {clBlack, 1};
        call.Canvas.Line(line.Box.Left, line.Box.Bottom, line.Box.Right, line.Box.Bottom);
        call.Canvas.Pen = pen;
    }
    return TTagOutcome::EndLine;
}

TTagOutcome StartI(TMarkupCall& call, TMarkupState& state, TMarkupLine& line, const TMarkupTag& tag,
                   TMarkupPass pass) {
    if (Is(tag, 2, '>')) call.Canvas.Font.Style |= fsItalic;
    if (Is(tag, 2, 'N')) MoveToIndent(call, line, tag);
    if (Is(tag, 2, 'M')) return Picture(call, state, line, tag, pass);
    return TTagOutcome::Continue;
}

void StartS(TCanvas& canvas, TMarkupState& state, const TMarkupTag& tag) {
    if (Is(tag, 2, '>')) canvas.Font.Style |= fsStrikeOut;
    if (Is(tag, 2, 'H')) state.Shadow = true;
    if (tag.Upper == "<SUB>") state.Subscript = true;
    if (tag.Upper == "<SUP>") state.Superscript = true;
}

void EndS(TCanvas& canvas, TMarkupState& state, const TMarkupTag& tag) {
    if (Is(tag, 3, 'U')) {
        state.Subscript = false;
        state.Superscript = false;
    } else if (Is(tag, 3, 'H')) {
        state.Shadow = false;
    } else {
        canvas.Font.Style &= ~fsStrikeOut;
    }
}

void EndU(TCanvas& canvas, TMarkupState& state, const TMarkupTag& tag) {
    if (!Is(tag, 3, '>') && state.ListLevel > 0)
        --state.ListLevel;
    else
        canvas.Font.Style &= ~fsUnderline;
}

void EndRotation(TCanvas& canvas, TMarkupState& state) {
    if (state.UnrotatedFonts.empty()) return;
    canvas.Font = state.UnrotatedFonts.back();
    state.UnrotatedFonts.pop_back();
}

TTagOutcome EndP(TMarkupCall& call, TMarkupState& state, TMarkupPass pass) {
    if (pass == TMarkupPass::Draw) {
        SetBrush(call.Canvas, state.ParagraphBackground);
        state.ParagraphFill = clNone;
    }
    return TTagOutcome::EndLine;
}

} // namespace

TTagOutcome StartTag(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                     const TMarkupTag& tag, TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    switch (tag.Upper[1]) {
    case 'A':
        StartLink(call, state, line, tag);
        break;
    case 'B':
        return StartB(call, tag, pass);
    case 'C':
        return FormControl(call, state, line, tag, pass);
    case 'E':
        if (pass == TMarkupPass::Draw) state.ErrorMarking = true;
        break;
    case 'F':
        StartFont(call, state, tag, pass);
        break;
    case 'H':
        return StartH(call, state, line, tag, pass);
    case 'I':
        return StartI(call, state, line, tag, pass);
    case 'L':
        if (line.ListItemSeen) return TTagOutcome::EndBefore;
        line.ListItemSeen = true;
        ListItem(call, state, line, pass);
        break;
    case 'P':
        StartParagraph(call, state, line, tag, pass);
        break;
    case 'R':
        Rotate(canvas, state, tag);
        break;
    case 'S':
        StartS(canvas, state, tag);
        break;
    case 'U':
        if (Is(tag, 2, '>'))
            canvas.Font.Style |= fsUnderline;
        else
            ++state.ListLevel;
        break;
    case 'Z':
        state.Hidden = true;
        break;
    }
    return TTagOutcome::Continue;
}

TTagOutcome EndTag(TMarkupCall& call, TMarkupState& state, TMarkupLine& line, const TMarkupTag& tag,
                   TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    switch (tag.Upper[2]) {
    case 'A':
        EndLink(call, state, line, pass);
        break;
    case 'B':
        if (Is(tag, 3, '>'))
            canvas.Font.Style &= ~fsBold;
        else
            canvas.Font.Color = call.EntryFont.Color;
        break;
    case 'E':
        if (pass == TMarkupPass::Draw) state.ErrorMarking = false;
        break;
    case 'F':
        EndFont(call, state, pass);
        break;
    case 'H':
        if (pass == TMarkupPass::Draw) EndHighlight(canvas, state);
        break;
    case 'I':
        canvas.Font.Style &= ~fsItalic;
        break;
    case 'P':
        return EndP(call, state, pass);
    case 'R':
        EndRotation(canvas, state);
        break;
    case 'S':
        EndS(canvas, state, tag);
        break;
    case 'U':
        EndU(canvas, state, tag);
        break;
    case 'Z':
        state.Hidden = false;
        break;
    }
    return TTagOutcome::Continue;
}
