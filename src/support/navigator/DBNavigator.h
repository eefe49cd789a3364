#pragma once

#include "db/DataSource.h"
#include "platform/Align.h"
#include "support/navigator/NavButton.h"
#include "support/navigator/NavigateBtn.h"

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

// A strip of buttons that move through a result set and edit it; each button is enabled only
// while its operation makes sense in the result set's state.
class TDBNavigator : public QWidget {
public:
    using ButtonEvent = std::function<void(TDBNavigator&, TNavigateBtn)>;

    static constexpr int kMinButtonWidth = 20;
    static constexpr int kMinButtonHeight = 18;

    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    TNavButton& Button(TNavigateBtn button) const { return *buttons_[button]; }
    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    TButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TButtonSet buttons);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool confirm) { confirmDelete_ = confirm; }
    // Entry i, when not empty, replaces button i's default hint; a list equal to the defaults
    // is kept empty.
    const std::vector<std::string>& Hints() const { return hints_; }
    void SetHints(std::vector<std::string> hints);
    static const std::vector<std::string>& DefaultHints();
    // Without alignment the width is kept a whole multiple of the visible buttons.
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    // Whether the navigator takes the focus, for Space, Left and Right.
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool tabStop);
    TNavigateBtn FocusedButton() const { return focusedButton_; }

    // End of loading the window's settings.
    void Loaded();
    // Runs the button's action when the result set is there, then OnClick; an error of the
    // action propagates and OnClick does not run.
    void BtnClick(TNavigateBtn button);
    // A mouse press on a button: the focus mark moves there.
    void BtnMouseDown(TNavigateBtn button);

    QSize sizeHint() const override { return {241, 25}; }

    ButtonEvent BeforeAction;
    ButtonEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class TNavDataLink : public TDataLink {
    public:
        explicit TNavDataLink(TDBNavigator& navigator) : navigator_(navigator) {}
        void ActiveChanged() override { navigator_.ActiveChanged(); }
        void DataSetChanged() override { navigator_.DataChanged(); }
        void DataSetScrolled(int) override { navigator_.DataChanged(); }
        void EditingChanged() override { navigator_.EditingChanged(); }

    private:
        TDBNavigator& navigator_;
    };

    bool OwnEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    bool Usable() const { return OwnEnabled() && link_.Active(); }
    void ActiveChanged();
    void DataChanged();
    void EditingChanged();
    void InitHints();
    void RunAction(TNavigateBtn button);
    bool DeleteConfirmed() const;
    void ApplyMinimumSize();
    void ArrangeButtons();
    void MoveFocus(int step);
    void SetFocusedButton(TNavigateBtn button);

    std::array<TNavButton*, kNavButtonCount> buttons_{};
    TNavDataLink link_{*this};
    TButtonSet visibleButtons_ = TButtonSet::All();
    bool flat_ = false;
    bool showHint_ = false;
    bool confirmDelete_ = true;
    std::vector<std::string> hints_;
    TAlign align_ = alNone;
    TNavigateBtn focusedButton_ = nbFirst;
};
