#include "DbTestSupport.h"
#include "db/IBErrors.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

namespace {
// Manual timers that tell when they are destroyed.
class TrackedTimer : public ManualTimer {
public:
    explicit TrackedTimer(std::vector<TrackedTimer*>& live) : live_(live) { live_.push_back(this); }
    ~TrackedTimer() override { std::erase(live_, this); }

private:
    std::vector<TrackedTimer*>& live_;
};

class IdleTimerTest : public testing::Test {
protected:
    IdleTimerTest() {
        SetTimerFactory([this] { return std::make_unique<TrackedTimer>(timers_); });
    }
    ~IdleTimerTest() override { SetTimerFactory({}); }

    std::vector<TrackedTimer*> timers_;
    TempDatabase file_;
    std::unique_ptr<TIBDatabase> database_ = MakeDatabase(file_.Path());
};
} // namespace

TEST_F(IdleTimerTest, ConnectionClosesAfterATickWithoutClientCalls) {
    int idleEvents = 0;
    database_->OnIdleTimer = [&](TIBDatabase&) { ++idleEvents; };
    database_->SetIdleTimer(250);
    ASSERT_EQ(timers_.size(), 1u);
    EXPECT_EQ(timers_[0]->Interval(), 250);
    EXPECT_TRUE(timers_[0]->Enabled());

    timers_[0]->Fire(); // not connected: nothing to watch
    database_->SetConnected(true);
    timers_[0]->Fire();
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(database_.get());
    transaction.Start(); // a client call between the ticks
    timers_[0]->Fire();
    EXPECT_TRUE(database_->Connected());
    timers_[0]->Fire();
    EXPECT_FALSE(database_->Connected());
    EXPECT_FALSE(transaction.Active());
    EXPECT_EQ(idleEvents, 1);

    database_->SetIdleTimer(0);
    EXPECT_TRUE(timers_.empty());
    EXPECT_EQ(database_->IdleTimer(), 0);
}

TEST_F(IdleTimerTest, TransactionEndsByDefaultActionAfterAnIdleTick) {
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(database_.get());
    int idleEvents = 0;
    transaction.OnIdleTimer = [&](TIBTransaction&) { ++idleEvents; };
    transaction.SetIdleTimer(100);
    database_->SetConnected(true);
    transaction.Start();
    ExecuteImmediate(transaction, "INSERT INTO PROGRAM_DESCRIPTION (NID) VALUES (5)");

    timers_[0]->Fire();
    ExecuteImmediate(transaction, "INSERT INTO PROGRAM_DESCRIPTION (NID) VALUES (6)");
    timers_[0]->Fire();
    EXPECT_TRUE(transaction.Active());
    timers_[0]->Fire();
    EXPECT_FALSE(transaction.Active());
    EXPECT_EQ(idleEvents, 1);
    EXPECT_TRUE(database_->Connected());

    EXPECT_THROW(transaction.SetIdleTimer(-5), EIBClientError);
    EXPECT_EQ(transaction.IdleTimer(), 100);
    transaction.SetDefaultDatabase(nullptr);
    database_.reset();
    EXPECT_EQ(IsqlValue(file_, "SELECT COUNT(*) FROM PROGRAM_DESCRIPTION;"), "2");
}
