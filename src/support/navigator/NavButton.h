#pragma once

#include "platform/Geometry.h"
#include "platform/Timer.h"
#include "support/navigator/NavigateBtn.h"

#include <QAbstractButton>
#include <QImage>
#include <memory>
#include <string>

class TCanvas;
class TDBNavigator;

// Where the picture sits beside the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where a button's picture and caption go, in button coordinates.
struct TButtonFace {
    TRect Glyph;
    TRect Caption;
};

// Picture and caption of the given sizes centred in the client rectangle, 4 pixels apart; both
// move by one pixel while the button is down.
TButtonFace ArrangeButtonFace(const TRect& client, TPoint glyphSize, TPoint captionSize,
                              TButtonLayout layout, bool down);

// One button of a record navigator: a speed button that never takes the focus itself and knows
// its place in the navigator. Its glyph holds NumGlyphs pictures side by side: normal, then
// disabled; with one picture the disabled look is made from it.
class TNavButton : public QAbstractButton {
public:
    TNavButton(TDBNavigator& navigator, TNavigateBtn index);
    ~TNavButton() override;

    TNavigateBtn Index() const { return index_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(QImage glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);
    // The tooltip follows the navigator's ShowHint.
    void UpdateToolTip();

    // The picture drawn in the button's present state; null without a glyph.
    QImage Picture() const;
    // The dotted focus mark; empty unless the navigator has the focus on this button.
    TRect FocusRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QImage GlyphPicture(int number) const;
    TPoint CaptionSize(TCanvas& canvas) const;
    void PaintFrame(TCanvas& canvas) const;
    void PaintCaption(TCanvas& canvas, const TRect& rect) const;
    void StopRepeat();
    void RepeatTick();

    TDBNavigator& navigator_;
    TNavigateBtn index_;
    std::string caption_;
    QImage glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    bool flat_ = false;
    std::string hint_;
    std::unique_ptr<Timer> repeat_;
};
