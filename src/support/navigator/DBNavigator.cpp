#include "support/navigator/DBNavigator.h"

#include "db/IBCustomDataSet.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "support/navigator/NavigatorImages.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < kNavButtonCount; ++i) {
        const auto index = static_cast<TNavigateBtn>(i);
        buttons_[i] = new TNavButton(*this, index);
        buttons_[i]->SetNumGlyphs(2);
        buttons_[i]->SetGlyph(DefaultNavigatorGlyph(index));
    }
    InitHints();
    ApplyMinimumSize();
    resize(sizeHint());
    ArrangeButtons();
    ActiveChanged();
}

TDBNavigator::~TDBNavigator() = default;

const std::vector<std::string>& TDBNavigator::DefaultHints() {
    static const std::vector<std::string> hints = {
        "First record",  "Prior record", "Next record", "Last record", "Insert record",
        "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data"};
    return hints;
}

void TDBNavigator::Loaded() {
    InitHints();
    ArrangeButtons();
    ActiveChanged();
}

void TDBNavigator::SetDataSource(TDataSource* source) {
    link_.SetDataSource(source);
    ActiveChanged();
}

void TDBNavigator::SetVisibleButtons(TButtonSet buttons) {
    visibleButtons_ = buttons;
    for (TNavButton* button : buttons_)
        button->setVisible(buttons.Contains(button->Index()));
    if (!buttons.Contains(focusedButton_)) {
        const auto first = std::find_if(buttons_.begin(), buttons_.end(), [&](TNavButton* b) {
            return buttons.Contains(b->Index());
        });
        if (first != buttons_.end()) SetFocusedButton((*first)->Index());
    }
    ApplyMinimumSize();
    ArrangeButtons();
}

void TDBNavigator::ApplyMinimumSize() {
    setMinimumSize(std::max(visibleButtons_.Count(), 1) * kMinButtonWidth, kMinButtonHeight);
}

void TDBNavigator::SetFlat(bool flat) {
    flat_ = flat;
    for (TNavButton* button : buttons_)
        button->SetFlat(flat);
}

void TDBNavigator::SetShowHint(bool show) {
    showHint_ = show;
    for (TNavButton* button : buttons_)
        button->UpdateToolTip();
}

void TDBNavigator::SetHints(std::vector<std::string> hints) {
    if (hints == DefaultHints()) hints.clear();
    hints_ = std::move(hints);
    InitHints();
}

void TDBNavigator::InitHints() {
    const std::vector<std::string>& defaults = DefaultHints();
    for (int i = 0; i < kNavButtonCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool replaced = at < hints_.size() && !hints_[at].empty();
        buttons_[i]->SetHint(replaced ? hints_[at] : defaults[at]);
    }
}

void TDBNavigator::SetAlign(TAlign align) {
    align_ = align;
    ArrangeButtons();
}

void TDBNavigator::SetTabStop(bool tabStop) {
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
}

// ---- Enabling ----

void TDBNavigator::ActiveChanged() {
    if (!Usable()) {
        for (TNavButton* button : buttons_)
            button->setEnabled(false);
        return;
    }
    DataChanged();
    EditingChanged();
}

void TDBNavigator::DataChanged() {
    const TIBCustomDataSet* dataSet = Usable() ? link_.DataSet() : nullptr;
    const bool up = dataSet && !dataSet->AtStart();
    const bool down = dataSet && !dataSet->AtEnd();
    Button(nbFirst).setEnabled(up);
    Button(nbPrior).setEnabled(up);
    Button(nbNext).setEnabled(down);
    Button(nbLast).setEnabled(down);
    Button(nbDelete).setEnabled(dataSet && dataSet->Modifiable() &&
                                !(dataSet->AtStart() && dataSet->AtEnd()));
}

void TDBNavigator::EditingChanged() {
    const TIBCustomDataSet* dataSet = Usable() ? link_.DataSet() : nullptr;
    const bool canModify = dataSet && dataSet->Modifiable();
    const bool editing = canModify && (dataSet->State() == dsEdit || dataSet->State() == dsInsert);
    Button(nbInsert).setEnabled(canModify);
    Button(nbEdit).setEnabled(canModify && !editing);
    Button(nbPost).setEnabled(editing);
    Button(nbCancel).setEnabled(editing);
    Button(nbRefresh).setEnabled(canModify);
}

void TDBNavigator::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) ActiveChanged();
}

// ---- Clicks ----

void TDBNavigator::BtnClick(TNavigateBtn button) {
    if (link_.Active()) {
        if (BeforeAction) BeforeAction(*this, button);
        RunAction(button);
    }
    if (OnClick) OnClick(*this, button);
}

void TDBNavigator::RunAction(TNavigateBtn button) {
    TIBCustomDataSet& dataSet = *link_.DataSet();
    switch (button) {
    case nbFirst:
        dataSet.First();
        break;
    case nbPrior:
        dataSet.Prior();
        break;
    case nbNext:
        dataSet.Next();
        break;
    case nbLast:
        dataSet.Last();
        break;
    case nbInsert:
        dataSet.Insert();
        break;
    case nbDelete:
        if (!confirmDelete_ || DeleteConfirmed()) dataSet.Delete();
        break;
    case nbEdit:
        dataSet.Edit();
        break;
    case nbPost:
        dataSet.Post();
        break;
    case nbCancel:
        dataSet.Cancel();
        break;
    case nbRefresh:
        dataSet.RefreshRow();
        break;
    }
}

// Only OK deletes; closing the box keeps the row as Cancel does.
bool TDBNavigator::DeleteConfirmed() const {
    return AppDialogs().MessageBox("Delete record?", "Confirm", MessageIcon::Question,
                                   MessageButtons::OKCancel) == mrOk;
}

void TDBNavigator::BtnMouseDown(TNavigateBtn button) {
    SetFocusedButton(button);
}

// ---- Layout ----

// The visible buttons share the width; the pixels left over go one each to buttons spread
// evenly along the strip.
void TDBNavigator::ArrangeButtons() {
    const int count = std::max(visibleButtons_.Count(), 1);
    int width = std::max(this->width(), count * kMinButtonWidth);
    const int height = std::max(this->height(), kMinButtonHeight);
    if (align_ == alNone) width = count * (width / count);
    if (width != this->width() || height != this->height()) resize(width, height);
    const int buttonWidth = width / count;
    const int remainder = width - count * buttonWidth;
    int counter = count / 2;
    int x = 0;
    for (TNavButton* button : buttons_) {
        if (!visibleButtons_.Contains(button->Index())) {
            button->setGeometry(width + 1, 0, buttonWidth, height);
            continue;
        }
        int extra = 0;
        if (remainder != 0 && (counter -= remainder) < 0) {
            counter += count;
            extra = 1;
        }
        button->setGeometry(x, 0, buttonWidth + extra, height);
        x += buttonWidth + extra;
    }
}

void TDBNavigator::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeButtons();
}

void TDBNavigator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TQtCanvas canvas(painter);
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, width(), height()});
}

// ---- Keyboard ----

void TDBNavigator::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        if (Button(focusedButton_).isEnabled()) BtnClick(focusedButton_);
        break;
    case Qt::Key_Left:
        MoveFocus(-1);
        break;
    case Qt::Key_Right:
        MoveFocus(1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// To the nearest visible button in the direction; the mark stays when there is none.
void TDBNavigator::MoveFocus(int step) {
    for (int i = focusedButton_ + step; i >= 0 && i < kNavButtonCount; i += step) {
        const auto button = static_cast<TNavigateBtn>(i);
        if (visibleButtons_.Contains(button)) {
            SetFocusedButton(button);
            return;
        }
    }
}

void TDBNavigator::SetFocusedButton(TNavigateBtn button) {
    const TNavigateBtn previous = focusedButton_;
    focusedButton_ = button;
    Button(previous).update();
    Button(button).update();
}

void TDBNavigator::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    Button(focusedButton_).update();
}

void TDBNavigator::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    Button(focusedButton_).update();
}
