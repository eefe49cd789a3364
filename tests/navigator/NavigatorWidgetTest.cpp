#include "platform/Cp1251.h"
#include "platform/Exceptions.h"
#include "support/DataViewFixture.h"
#include "support/TestApplication.h"
#include "support/navigator/DBNavigator.h"

#include <QTest>
#include <memory>
#include <vector>

namespace {

struct Bounds {
    int x, y, width, height;
    bool operator==(const Bounds&) const = default;
};

std::vector<Bounds> Placed(const TDBNavigator& navigator, TButtonSet buttons) {
    std::vector<Bounds> bounds;
    for (int i = 0; i < kNavButtonCount; ++i) {
        const auto index = static_cast<TNavigateBtn>(i);
        const QRect r = navigator.Button(index).geometry();
        if (buttons.Contains(index)) bounds.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return bounds;
}

class NavigatorWidget : public testing::Test {
protected:
    void SetUp() override { TestApplication(); }
};

TEST_F(NavigatorWidget, AlignedStripSharesOutTheSpareWidth) {
    QWidget window;
    window.resize(900, 100);
    TDBNavigator navigator(&window);
    navigator.SetVisibleButtons({nbInsert, nbEdit, nbPost, nbCancel});
    navigator.SetAlign(alTop);
    window.show();
    navigator.setGeometry(0, 0, 862, 55);
    EXPECT_EQ(navigator.width(), 862);
    EXPECT_EQ(Placed(navigator, {nbInsert, nbEdit, nbPost, nbCancel}),
              (std::vector<Bounds>{
                  {0, 0, 215, 55}, {215, 0, 216, 55}, {431, 0, 215, 55}, {646, 0, 216, 55}}));
    for (const Bounds& hidden : Placed(navigator, {nbFirst, nbPrior, nbDelete, nbRefresh}))
        EXPECT_EQ(hidden.x, 863);
    EXPECT_FALSE(navigator.Button(nbFirst).isVisible());
}

TEST_F(NavigatorWidget, UnalignedStripKeepsWholeButtonsAndAMinimumSize) {
    QWidget window;
    window.resize(400, 100);
    TDBNavigator navigator(&window);
    window.show();
    EXPECT_EQ(navigator.size(), QSize(240, 25));
    EXPECT_EQ(Placed(navigator, TButtonSet::All())[9], (Bounds{216, 0, 24, 25}));

    navigator.SetVisibleButtons({nbInsert, nbEdit, nbPost, nbCancel});
    navigator.setGeometry(0, 0, 50, 10);
    EXPECT_EQ(navigator.size(), QSize(80, 18));
    navigator.setGeometry(0, 0, 103, 30);
    EXPECT_EQ(navigator.size(), QSize(100, 30));
}

TEST_F(NavigatorWidget, HintsReplaceTheDefaultsEntryByEntry) {
    TDBNavigator navigator;
    EXPECT_EQ(navigator.Button(nbInsert).Hint(), "Insert record");
    EXPECT_EQ(navigator.Button(nbRefresh).Hint(), "Refresh data");

    std::vector<std::string> catalogue = TDBNavigator::DefaultHints();
    catalogue[nbInsert] = Utf8ToCp1251("Добавяне");
    catalogue[nbDelete] = Utf8ToCp1251("Изтриване");
    navigator.SetHints(catalogue);
    EXPECT_EQ(navigator.Hints(), catalogue);
    EXPECT_EQ(navigator.Button(nbInsert).Hint(), Utf8ToCp1251("Добавяне"));
    EXPECT_EQ(navigator.Button(nbDelete).Hint(), Utf8ToCp1251("Изтриване"));

    navigator.SetHints({"", "", "", "", "Add"});
    EXPECT_EQ(navigator.Button(nbInsert).Hint(), "Add");
    EXPECT_EQ(navigator.Button(nbDelete).Hint(), "Delete record");
    EXPECT_EQ(navigator.Button(nbFirst).Hint(), "First record");

    navigator.SetHints(TDBNavigator::DefaultHints());
    EXPECT_TRUE(navigator.Hints().empty());
}

TEST_F(NavigatorWidget, HintsShowOnlyWithShowHint) {
    TDBNavigator navigator;
    navigator.SetHints({"", "", "", "", Utf8ToCp1251("Добавяне")});
    EXPECT_TRUE(navigator.Button(nbInsert).toolTip().isEmpty());
    navigator.SetShowHint(true);
    EXPECT_EQ(navigator.Button(nbInsert).toolTip(), QString::fromUtf8("Добавяне"));
    EXPECT_EQ(navigator.Button(nbPost).toolTip(), QStringLiteral("Post edit"));
}

TEST(ButtonFace, PictureAboveCaptionCentredAndPressedMovesBoth) {
    const TButtonFace face =
        ArrangeButtonFace({0, 0, 215, 55}, {24, 24}, {30, 13}, blGlyphTop, false);
    EXPECT_EQ(face.Glyph, (TRect{95, 7, 119, 31}));
    EXPECT_EQ(face.Caption, (TRect{92, 35, 122, 48}));
    const TButtonFace down =
        ArrangeButtonFace({0, 0, 215, 55}, {24, 24}, {30, 13}, blGlyphTop, true);
    EXPECT_EQ(down.Glyph, face.Glyph.Offset(1, 1));
    EXPECT_EQ(down.Caption, face.Caption.Offset(1, 1));
    const TButtonFace left =
        ArrangeButtonFace({0, 0, 24, 25}, {16, 16}, {0, 0}, blGlyphLeft, false);
    EXPECT_EQ(left.Glyph, (TRect{4, 4, 20, 20}));
}

class NavigatorKeys : public DataViewTest {
protected:
    void SetUp() override {
        TestApplication();
        window_ = std::make_unique<QWidget>();
        window_->resize(500, 60);
        navigator_ = new TDBNavigator(window_.get());
        navigator_->SetTabStop(true);
        navigator_->setGeometry(0, 0, 400, 40);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        navigator_->setFocus();
    }

    std::unique_ptr<QWidget> window_;
    TDBNavigator* navigator_ = nullptr;
};

TEST_F(NavigatorKeys, ArrowsMoveTheFocusMarkOverVisibleButtons) {
    navigator_->SetVisibleButtons({nbFirst, nbEdit, nbPost, nbCancel});
    QTest::keyClick(navigator_, Qt::Key_Left);
    EXPECT_EQ(navigator_->FocusedButton(), nbFirst);
    QTest::keyClick(navigator_, Qt::Key_Right);
    EXPECT_EQ(navigator_->FocusedButton(), nbEdit);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(navigator_, Qt::Key_Right);
    EXPECT_EQ(navigator_->FocusedButton(), nbCancel);

    TNavButton& cancel = navigator_->Button(nbCancel);
    EXPECT_EQ(cancel.FocusRect(), (TRect{3, 3, cancel.width() - 3, cancel.height() - 3}));
    EXPECT_TRUE(navigator_->Button(nbPost).FocusRect().Empty());
    cancel.setDown(true);
    EXPECT_EQ(cancel.FocusRect(), (TRect{4, 4, cancel.width() - 2, cancel.height() - 2}));
    cancel.setDown(false);
    window_->setFocus();
    EXPECT_TRUE(cancel.FocusRect().Empty());
}

TEST_F(NavigatorKeys, HidingTheMarkedButtonMovesTheMarkToTheFirstVisible) {
    navigator_->SetVisibleButtons({nbInsert, nbEdit, nbPost, nbCancel});
    EXPECT_EQ(navigator_->FocusedButton(), nbInsert);
}

TEST_F(NavigatorKeys, SpaceClicksTheMarkedButtonWhenEnabled) {
    std::vector<TNavigateBtn> clicks;
    navigator_->OnClick = [&](TDBNavigator&, TNavigateBtn button) { clicks.push_back(button); };
    QTest::keyClick(navigator_, Qt::Key_Space);
    EXPECT_TRUE(clicks.empty());

    navigator_->SetDataSource(&source_);
    CacheEditQuery& query = OpenEditable();
    for (int i = 0; i < nbEdit; ++i)
        QTest::keyClick(navigator_, Qt::Key_Right);
    QTest::keyClick(navigator_, Qt::Key_Space);
    EXPECT_EQ(clicks, std::vector<TNavigateBtn>{nbEdit});
    EXPECT_EQ(query.State(), dsEdit);
}

class NavigatorRepeat : public DataViewTest {
protected:
    void SetUp() override {
        TestApplication();
        SetTimerFactory([this] {
            auto timer = std::make_unique<ManualTimer>();
            timers_.push_back(timer.get());
            return timer;
        });
        navigator_ = std::make_unique<TDBNavigator>();
        SetTimerFactory({});
        navigator_->SetDataSource(&source_);
        navigator_->show();
    }

    std::vector<ManualTimer*> timers_;
    std::unique_ptr<TDBNavigator> navigator_;
};

TEST_F(NavigatorRepeat, HeldNextClicksAfterAPauseThenQuickly) {
    TIBQuery& query = OpenReadOnly();
    ASSERT_EQ(timers_.size(), 2u);
    ManualTimer& repeat = *timers_[1];
    TNavButton& next = navigator_->Button(nbNext);
    EXPECT_FALSE(repeat.Enabled());

    QTest::mousePress(&next, Qt::LeftButton);
    EXPECT_EQ(query.RecordNumber(), 1);
    EXPECT_TRUE(repeat.Enabled());
    EXPECT_EQ(repeat.Interval(), 400);
    repeat.Fire();
    EXPECT_EQ(query.RecordNumber(), 2);
    EXPECT_EQ(repeat.Interval(), 100);

    QTest::mouseRelease(&next, Qt::LeftButton);
    EXPECT_EQ(query.RecordNumber(), 3);
    EXPECT_FALSE(repeat.Enabled());
}

TEST_F(NavigatorRepeat, AFailedRepeatStopsTheTimer) {
    TIBQuery& query = OpenReadOnly();
    query.Last();
    ManualTimer& repeat = *timers_[0];
    navigator_->OnClick = [](TDBNavigator&, TNavigateBtn) { throw Exception("stop here"); };
    QTest::mousePress(&navigator_->Button(nbPrior), Qt::LeftButton);
    EXPECT_THROW(repeat.Fire(), Exception);
    EXPECT_FALSE(repeat.Enabled());
    EXPECT_EQ(query.RecordNumber(), 2);
    navigator_->OnClick = nullptr;
    QTest::mouseRelease(&navigator_->Button(nbPrior), Qt::LeftButton);
}

} // namespace
