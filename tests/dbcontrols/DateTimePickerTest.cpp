#include "support/dbcontrols/DateTimePicker.h"

#include "support/TestApplication.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class Picker : public testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        picker_ = std::make_unique<TDateTimePicker>();
        picker_->OnChange = [this](TDateTimePicker&) { ++changes_; };
    }

    std::unique_ptr<TDateTimePicker> picker_;
    int changes_ = 0;
};

TEST_F(Picker, ShowsTheTimeOfDayOfItsValue) {
    picker_->SetDateTime(EncodeDate(2010, 6, 17) + EncodeTime(18, 5, 9, 0));
    EXPECT_EQ(picker_->text(), QStringLiteral("18:05:09"));
    EXPECT_EQ(picker_->DateTime(), EncodeDate(2010, 6, 17) + EncodeTime(18, 5, 9, 0));
    EXPECT_EQ(changes_, 0);
}

TEST_F(Picker, SettingTheTimeKeepsTheDate) {
    picker_->SetDateTime(EncodeDate(2010, 6, 17) + EncodeTime(18, 0, 0, 0));
    picker_->SetTime(EncodeTime(0, 30, 0, 0));
    EXPECT_DOUBLE_EQ(picker_->DateTime(), EncodeDate(2010, 6, 17) + EncodeTime(0, 30, 0, 0));
    EXPECT_NEAR(picker_->Time(), EncodeTime(0, 30, 0, 0), 1e-9);
    EXPECT_EQ(picker_->text(), QStringLiteral("00:30:00"));
    EXPECT_EQ(changes_, 0);
}

TEST_F(Picker, UserChangesKeepTheDateAndAreReported) {
    picker_->SetDateTime(EncodeDate(2010, 6, 17) + EncodeTime(1, 15, 30, 0));
    picker_->setCurrentSection(QDateTimeEdit::MinuteSection);
    QTest::keyClick(picker_.get(), Qt::Key_Up);
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(picker_->text(), QStringLiteral("01:16:30"));
    EXPECT_DOUBLE_EQ(picker_->DateTime(), EncodeDate(2010, 6, 17) + EncodeTime(1, 16, 30, 0));
}

} // namespace
