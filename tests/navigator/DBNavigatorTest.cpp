#include "support/navigator/DBNavigator.h"

#include "platform/Cp1251.h"
#include "support/DataViewFixture.h"
#include "support/ErrorText.h"
#include "support/TestApplication.h"

#include <QTest>
#include <vector>

namespace {

const char* const kNames[kNavButtonCount] = {"First",  "Prior", "Next", "Last",   "Insert",
                                             "Delete", "Edit",  "Post", "Cancel", "Refresh"};

const TButtonSet kCatalogueButtons = {nbInsert, nbEdit, nbPost, nbCancel};

// The names of the enabled buttons, in button order.
std::string Enabled(const TDBNavigator& navigator) {
    std::string names;
    for (int i = 0; i < kNavButtonCount; ++i)
        if (navigator.Button(static_cast<TNavigateBtn>(i)).isEnabled())
            names += (names.empty() ? "" : " ") + std::string(kNames[i]);
    return names;
}

class Navigator : public DataViewTest {
protected:
    void SetUp() override { TestApplication(); }

    // Records BeforeAction and OnClick with the record number they saw.
    void Record(TDBNavigator& navigator) {
        const auto at = [this] { return query_ ? query_->RecordNumber() : 0; };
        navigator.BeforeAction = [this, at](TDBNavigator&, TNavigateBtn button) {
            log_.push_back("before " + std::string(kNames[button]) + " at " + std::to_string(at()));
        };
        navigator.OnClick = [this, at](TDBNavigator&, TNavigateBtn button) {
            log_.push_back("click " + std::string(kNames[button]) + " at " + std::to_string(at()));
        };
    }

    std::vector<std::string> log_;
};

TEST_F(Navigator, ButtonsFollowAReadOnlyQuery) {
    TDBNavigator navigator;
    EXPECT_EQ(Enabled(navigator), "");
    navigator.SetDataSource(&source_);
    EXPECT_EQ(Enabled(navigator), "");

    TIBQuery& query = OpenReadOnly();
    EXPECT_EQ(Enabled(navigator), "Next Last");
    query.Next();
    EXPECT_EQ(Enabled(navigator), "First Prior Next Last");
    query.Last();
    EXPECT_EQ(Enabled(navigator), "First Prior");
    query.Close();
    EXPECT_EQ(Enabled(navigator), "");
    query.Open();
    EXPECT_EQ(Enabled(navigator), "Next Last");

    navigator.setEnabled(false);
    EXPECT_EQ(Enabled(navigator), "");
    navigator.setEnabled(true);
    EXPECT_EQ(Enabled(navigator), "Next Last");
    source_.SetEnabled(false);
    EXPECT_EQ(Enabled(navigator), "");
    source_.SetEnabled(true);
    EXPECT_EQ(Enabled(navigator), "Next Last");
}

TEST_F(Navigator, AnEmptyResultLeavesNothingToMoveTo) {
    TDBNavigator navigator;
    navigator.SetDataSource(&source_);
    OpenReadOnly("where nid > 100");
    EXPECT_EQ(Enabled(navigator), "");
}

TEST_F(Navigator, EditingButtonsFollowTheEditState) {
    TDBNavigator navigator;
    navigator.SetDataSource(&source_);
    CacheEditQuery& query = OpenEditable();
    EXPECT_EQ(Enabled(navigator), "Next Last Insert Delete Edit Refresh");
    query.Edit();
    EXPECT_EQ(Enabled(navigator), "Next Last Insert Delete Post Cancel Refresh");
    query.Post();
    EXPECT_EQ(Enabled(navigator), "Next Last Insert Delete Edit Refresh");
}

TEST_F(Navigator, AClickRunsBeforeActionTheActionThenOnClick) {
    TDBNavigator navigator;
    navigator.SetDataSource(&source_);
    Record(navigator);
    OpenReadOnly();
    navigator.show();
    QTest::mouseClick(&navigator.Button(nbNext), Qt::LeftButton);
    QTest::mouseClick(&navigator.Button(nbLast), Qt::LeftButton);
    QTest::mouseClick(&navigator.Button(nbFirst), Qt::LeftButton);
    EXPECT_EQ(log_, (std::vector<std::string>{"before Next at 1", "click Next at 2",
                                              "before Last at 2", "click Last at 3",
                                              "before First at 3", "click First at 1"}));
}

TEST_F(Navigator, AClickWithoutAnOpenResultSetStillRunsOnClick) {
    TDBNavigator navigator;
    Record(navigator);
    navigator.BtnClick(nbNext);
    navigator.SetDataSource(&source_);
    OpenReadOnly().Close();
    navigator.BtnClick(nbDelete);
    EXPECT_EQ(log_, (std::vector<std::string>{"click Next at 0", "click Delete at 0"}));
    EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(Navigator, AFailedActionStopsBeforeOnClick) {
    TDBNavigator navigator;
    navigator.SetDataSource(&source_);
    Record(navigator);
    OpenReadOnly();
    EXPECT_EQ(ErrorOf([&] { navigator.BtnClick(nbInsert); }),
              "qryPrograms: Cannot modify a read-only dataset");
    EXPECT_EQ(log_, std::vector<std::string>{"before Insert at 1"});
}

TEST_F(Navigator, DeleteAsksFirstAndOnlyOkDeletes) {
    TDBNavigator navigator;
    navigator.SetDataSource(&source_);
    CacheEditQuery& query = OpenEditable();
    dialogs_.Answer(mrCancel);
    navigator.BtnClick(nbDelete);
    EXPECT_EQ(query.deletes, 0);
    ASSERT_EQ(dialogs_.Messages(), std::vector<std::string>{"Delete record?"});
    EXPECT_EQ(dialogs_.Calls()[0].Buttons, MessageButtons::OKCancel);

    dialogs_.Answer(mrOk);
    navigator.BtnClick(nbDelete);
    EXPECT_EQ(query.deletes, 1);

    navigator.SetConfirmDelete(false);
    navigator.BtnClick(nbDelete);
    EXPECT_EQ(query.deletes, 2);
    EXPECT_EQ(dialogs_.Calls().size(), 2u);
}

TEST_F(Navigator, ConfirmedDeleteOnAReadOnlyQueryIsRefused) {
    TDBNavigator navigator;
    navigator.SetDataSource(&source_);
    TIBQuery& query = OpenReadOnly();
    EXPECT_EQ(ErrorOf([&] { navigator.BtnClick(nbDelete); }),
              "qryPrograms: Cannot modify a read-only dataset");
    EXPECT_EQ(query.RecordNumber(), 1);
    EXPECT_EQ(dialogs_.Messages(), std::vector<std::string>{"Delete record?"});
}

TEST_F(Navigator, RefreshRereadsTheRow) {
    TDBNavigator navigator;
    navigator.SetDataSource(&source_);
    CacheEditQuery& query = OpenEditable();
    navigator.BtnClick(nbRefresh);
    EXPECT_EQ(query.refreshes, 1);
}

} // namespace
