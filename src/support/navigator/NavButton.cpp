#include "support/navigator/NavButton.h"

#include "platform/QtCanvas.h"
#include "platform/QtText.h"
#include "support/navigator/DBNavigator.h"
#include "support/navigator/NavigatorImages.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace {

constexpr int kSpacing = 4;
constexpr int kFocusInset = 3;
constexpr int kInitialRepeatPause = 400;
constexpr int kRepeatPause = 100;
constexpr int kMaxGlyphs = 4;

// A flat button under the mouse, and pressed.
constexpr TColor kHotFill = 0xFBF1E5;
constexpr TColor kHotEdge = 0xD77800;
constexpr TColor kDownFill = 0xF7E4CC;
constexpr TColor kDownEdge = 0x995400;

// Where the leading and the trailing part start when both are centred along one axis.
std::pair<int, int> AlongAxis(int from, int length, int lead, int trail, int spacing) {
    const int start = from + (length - (lead + spacing + trail)) / 2;
    return {start, start + lead + spacing};
}

int Centred(int from, int length, int size) {
    return from + (length - size) / 2;
}

TRect Placed(TPoint at, TPoint size) {
    return {at.X, at.Y, at.X + size.X, at.Y + size.Y};
}

// A one-pixel edge: light on the top and left, dark on the right and bottom.
void Edge(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    canvas.Pen.Color = topLeft;
    canvas.Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}});
    canvas.Pen.Color = bottomRight;
    canvas.Polyline(
        {{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}});
}

} // namespace

TButtonFace ArrangeButtonFace(const TRect& client, TPoint glyphSize, TPoint captionSize,
                              TButtonLayout layout, bool down) {
    const bool vertical = layout == blGlyphTop || layout == blGlyphBottom;
    const bool glyphFirst = layout == blGlyphTop || layout == blGlyphLeft;
    const int spacing = glyphSize.X > 0 && captionSize.X > 0 ? kSpacing : 0;
    const TPoint lead = glyphFirst ? glyphSize : captionSize;
    const TPoint trail = glyphFirst ? captionSize : glyphSize;
    const auto [leadAt, trailAt] =
        vertical ? AlongAxis(client.Top, client.Height(), lead.Y, trail.Y, spacing)
                 : AlongAxis(client.Left, client.Width(), lead.X, trail.X, spacing);
    const auto at = [&](TPoint size, int along) {
        return vertical ? TPoint{Centred(client.Left, client.Width(), size.X), along}
                        : TPoint{along, Centred(client.Top, client.Height(), size.Y)};
    };
    const int offset = down ? 1 : 0;
    return {
        Placed(at(glyphSize, glyphFirst ? leadAt : trailAt), glyphSize).Offset(offset, offset),
        Placed(at(captionSize, glyphFirst ? trailAt : leadAt), captionSize).Offset(offset, offset)};
}

TNavButton::TNavButton(TDBNavigator& navigator, TNavigateBtn index)
    : QAbstractButton(&navigator), navigator_(navigator), index_(index) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, [this] { navigator_.BtnClick(index_); });
    if (index == nbPrior || index == nbNext) {
        repeat_ = CreateTimer();
        repeat_->SetEnabled(false);
        repeat_->OnTimer = [this] { RepeatTick(); };
    }
}

TNavButton::~TNavButton() = default;

void TNavButton::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    setText(ToQString(caption_));
    update();
}

void TNavButton::SetGlyph(QImage glyph) {
    glyph_ = std::move(glyph);
    update();
}

void TNavButton::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, kMaxGlyphs);
    update();
}

void TNavButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    update();
}

void TNavButton::SetFlat(bool flat) {
    flat_ = flat;
    update();
}

void TNavButton::SetHint(std::string hint) {
    hint_ = std::move(hint);
    UpdateToolTip();
}

void TNavButton::UpdateToolTip() {
    setToolTip(navigator_.ShowHint() ? ToQString(hint_) : QString());
}

QImage TNavButton::GlyphPicture(int number) const {
    const int width = glyph_.width() / numGlyphs_;
    return glyph_.copy(number * width, 0, width, glyph_.height());
}

QImage TNavButton::Picture() const {
    if (glyph_.isNull()) return {};
    if (isEnabled()) return GlyphPicture(0);
    return numGlyphs_ > 1 ? GlyphPicture(1) : GrayedPicture(GlyphPicture(0));
}

TRect TNavButton::FocusRect() const {
    if (!navigator_.hasFocus() || navigator_.FocusedButton() != index_) return {};
    const TRect inside = TRect{0, 0, width(), height()}.Inflate(-kFocusInset, -kFocusInset);
    return isDown() ? inside.Offset(1, 1) : inside;
}

TPoint TNavButton::CaptionSize(TCanvas& canvas) const {
    if (caption_.empty()) return {};
    return {canvas.TextWidth(caption_), canvas.TextHeight(caption_)};
}

void TNavButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TQtCanvas canvas(painter);
    PaintFrame(canvas);
    const QImage picture = Picture();
    const TPoint glyphSize =
        picture.isNull() ? TPoint{} : TPoint{picture.width(), picture.height()};
    const TButtonFace face = ArrangeButtonFace({0, 0, width(), height()}, glyphSize,
                                               CaptionSize(canvas), layout_, isDown());
    if (!picture.isNull()) painter.drawImage(QPoint(face.Glyph.Left, face.Glyph.Top), picture);
    PaintCaption(canvas, face.Caption);
    const TRect focus = FocusRect();
    if (!focus.Empty()) canvas.DrawFocusRect(focus);
}

// Flat buttons show an edge only under the mouse or while pressed.
void TNavButton::PaintFrame(TCanvas& canvas) const {
    const TRect r{0, 0, width(), height()};
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(r);
    const bool down = isDown();
    if (flat_) {
        if (!down && !(underMouse() && isEnabled())) return;
        canvas.Pen.Color = down ? kDownEdge : kHotEdge;
        canvas.Brush.Color = down ? kDownFill : kHotFill;
        canvas.RoundRect(r.Inflate(-1, -1), 5, 5);
        return;
    }
    Edge(canvas, r, down ? cl3DDkShadow : clBtnHighlight, down ? clBtnHighlight : cl3DDkShadow);
    Edge(canvas, r.Inflate(-1, -1), down ? clBtnShadow : cl3DLight, down ? cl3DLight : clBtnShadow);
}

void TNavButton::PaintCaption(TCanvas& canvas, const TRect& rect) const {
    if (caption_.empty()) return;
    canvas.Brush.Color = clNone;
    canvas.Font.Color = isEnabled() ? clBtnText : clGrayText;
    canvas.DrawText(rect, caption_, tfCenter | tfVCenter | tfSingleLine | tfNoClip);
}

void TNavButton::mousePressEvent(QMouseEvent* event) {
    QAbstractButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isDown()) return;
    navigator_.BtnMouseDown(index_);
    if (!repeat_) return;
    repeat_->SetInterval(kInitialRepeatPause);
    repeat_->SetEnabled(true);
}

// The repeat ends before the release's own click runs.
void TNavButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) StopRepeat();
    QAbstractButton::mouseReleaseEvent(event);
}

// A disabled button gets no release, so its repeat ends here.
void TNavButton::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) StopRepeat();
}

void TNavButton::StopRepeat() {
    if (repeat_) repeat_->SetEnabled(false);
}

// Clicks again only while the mouse holds the button down over it.
void TNavButton::RepeatTick() {
    repeat_->SetInterval(kRepeatPause);
    if (!isDown()) return;
    try {
        navigator_.BtnClick(index_);
    } catch (...) {
        StopRepeat();
        throw;
    }
}
