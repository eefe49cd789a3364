#include "support/dbcontrols/DBEdit.h"

#include "db/IBCustomDataSet.h"
#include "platform/Cp1251.h"
#include "support/DataViewFixture.h"
#include "support/ErrorText.h"
#include "support/TestApplication.h"

#include <QTest>
#include <memory>

namespace {

class DBEditTest : public DataViewTest {
protected:
    void SetUp() override {
        TestApplication();
        window_ = std::make_unique<QWidget>();
        window_->resize(400, 100);
        name_ = new TDBEdit(window_.get());
        name_->SetDataSource(&source_);
        name_->SetDataField("SNAME");
        series_ = new TDBEdit(window_.get());
        series_->move(0, 40);
        series_->SetDataSource(&source_);
        series_->SetDataField("sseries_name");
    }

    // Shows the window with the focus in the name edit.
    void FocusName() {
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        name_->setFocus();
    }

    std::string Name() const { return query_->Field("SNAME").AsString(); }

    std::unique_ptr<QWidget> window_;
    TDBEdit* name_ = nullptr;
    TDBEdit* series_ = nullptr;
};

TEST_F(DBEditTest, ShowsTheFieldOfTheCurrentRow) {
    EXPECT_EQ(name_->Text(), "");
    EXPECT_TRUE(name_->isReadOnly());
    TIBQuery& query = OpenReadOnly();
    EXPECT_EQ(name_->Text(), Utf8ToCp1251("Новини"));
    EXPECT_EQ(series_->Text(), Utf8ToCp1251("Вечер"));
    EXPECT_EQ(name_->maxLength(), 200);
    query.Next();
    EXPECT_EQ(name_->Text(), "weather");
    query.Last();
    EXPECT_EQ(name_->Text(), "Sport");
    query.Close();
    EXPECT_EQ(name_->Text(), "");
    query.Open();
    EXPECT_EQ(name_->Text(), Utf8ToCp1251("Новини"));
}

TEST_F(DBEditTest, IdentifierShowsInUpperCase) {
    TDBEdit id(window_.get());
    id.SetCharCase(ecUpperCase);
    id.SetDataSource(&source_);
    id.SetDataField("NID");
    name_->SetCharCase(ecUpperCase);
    TIBQuery& query = OpenReadOnly();
    EXPECT_EQ(id.Text(), "1");
    EXPECT_EQ(name_->Text(), Utf8ToCp1251("НОВИНИ"));
    query.Next();
    EXPECT_EQ(name_->Text(), "WEATHER");
    EXPECT_EQ(Name(), "weather");
}

TEST_F(DBEditTest, TypingIntoAReadOnlyQueryChangesNothing) {
    OpenReadOnly();
    FocusName();
    EXPECT_TRUE(name_->isReadOnly());
    QTest::keyClicks(name_, "abc");
    QTest::keyClick(name_, Qt::Key_Backspace);
    EXPECT_EQ(name_->Text(), Utf8ToCp1251("Новини"));
    EXPECT_EQ(query_->State(), dsBrowse);
    EXPECT_EQ(Name(), Utf8ToCp1251("Новини"));
    EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(DBEditTest, TypingStartsEditingAndMovingWritesTheText) {
    CacheEditQuery& query = OpenEditable();
    name_->SetCharCase(ecUpperCase);
    EXPECT_FALSE(name_->isReadOnly());
    name_->setCursorPosition(0);
    QTest::keyClicks(name_, "tv ");
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(name_->Text(), Utf8ToCp1251("TV НОВИНИ"));
    EXPECT_EQ(name_->cursorPosition(), 3);
    EXPECT_EQ(Name(), Utf8ToCp1251("Новини"));

    query.Next();
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(name_->Text(), "WEATHER");
    query.First();
    EXPECT_EQ(Name(), Utf8ToCp1251("TV НОВИНИ"));
}

TEST_F(DBEditTest, LeavingTheEditWritesTheText) {
    CacheEditQuery& query = OpenEditable();
    FocusName();
    name_->end(false);
    QTest::keyClicks(name_, "!");
    EXPECT_EQ(Name(), Utf8ToCp1251("Новини"));
    series_->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Name(), Utf8ToCp1251("Новини!"));
    EXPECT_EQ(query.State(), dsEdit);
}

TEST_F(DBEditTest, EscapeDropsThePendingText) {
    CacheEditQuery& query = OpenEditable();
    name_->end(false);
    QTest::keyClicks(name_, "xyz");
    QTest::keyClick(name_, Qt::Key_Escape);
    EXPECT_EQ(name_->Text(), Utf8ToCp1251("Новини"));
    EXPECT_EQ(name_->selectedText(), name_->text());
    query.Post();
    EXPECT_EQ(Name(), Utf8ToCp1251("Новини"));
}

TEST_F(DBEditTest, LettersForAnIdentifierFailThePostAndStay) {
    TDBEdit id(window_.get());
    id.SetDataSource(&source_);
    id.SetDataField("NID");
    CacheEditQuery& query = OpenEditable();
    EXPECT_EQ(id.maxLength(), 32767);
    QTest::keyClicks(&id, "a");
    EXPECT_EQ(ErrorOf([&] { query.Post(); }), "'1a' is not a valid integer value for field 'NID'");
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(id.Text(), "1a");
}

TEST_F(DBEditTest, AFailedWriteOnLeavingBringsTheFocusBack) {
    auto* id = new TDBEdit(window_.get());
    id->move(0, 70);
    id->SetDataSource(&source_);
    id->SetDataField("NID");
    OpenEditable();
    FocusName();
    id->setFocus();
    QTest::keyClicks(id, "a");
    series_->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(dialogs_.Calls().empty());
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.Messages(),
              std::vector<std::string>{"'1a' is not a valid integer value for field 'NID'"});
    EXPECT_TRUE(id->hasFocus());
    EXPECT_EQ(id->selectedText(), QStringLiteral("1a"));
}

TEST_F(DBEditTest, AReadOnlyEditNeverStartsEditing) {
    CacheEditQuery& query = OpenEditable();
    name_->SetReadOnly(true);
    EXPECT_TRUE(name_->isReadOnly());
    QTest::keyClicks(name_, "x");
    EXPECT_EQ(query.State(), dsBrowse);
    name_->SetReadOnly(false);
    EXPECT_FALSE(name_->isReadOnly());
}

} // namespace
