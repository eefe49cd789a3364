#include "support/dbcontrols/DBMemo.h"

#include "db/IBCustomDataSet.h"
#include "platform/Cp1251.h"
#include "support/DataViewFixture.h"
#include "support/TestApplication.h"

#include <QTest>
#include <memory>

namespace {

class DBMemoTest : public DataViewTest {
protected:
    void SetUp() override {
        TestApplication();
        memo_ = std::make_unique<TDBMemo>();
        memo_->SetDataSource(&source_);
        memo_->SetDataField("SNOTE");
    }

    std::unique_ptr<TDBMemo> memo_;
};

TEST_F(DBMemoTest, ShowsTheNoteLineByLine) {
    TIBQuery& query = OpenReadOnly();
    EXPECT_EQ(memo_->toPlainText(), QString::fromUtf8("Първи ред\nвтори ред"));
    EXPECT_EQ(memo_->Text(), Utf8ToCp1251("Първи ред\r\nвтори ред"));
    EXPECT_TRUE(memo_->isReadOnly());
    query.Next();
    EXPECT_EQ(memo_->toPlainText(), QString());
    QTest::keyClicks(memo_.get(), "x");
    EXPECT_EQ(memo_->toPlainText(), QString());
}

TEST_F(DBMemoTest, TypingStartsEditingAndPostWritesTheLines) {
    CacheEditQuery& query = OpenEditable();
    EXPECT_FALSE(memo_->isReadOnly());
    memo_->moveCursor(QTextCursor::End);
    QTest::keyClick(memo_.get(), Qt::Key_Return);
    QTest::keyClicks(memo_.get(), "end");
    EXPECT_EQ(query.State(), dsEdit);
    query.Post();
    EXPECT_EQ(query.Field("SNOTE").AsString(), Utf8ToCp1251("Първи ред\r\nвтори ред\r\nend"));
    query.Next();
    query.First();
    EXPECT_EQ(memo_->toPlainText(), QString::fromUtf8("Първи ред\nвтори ред\nend"));
}

} // namespace
