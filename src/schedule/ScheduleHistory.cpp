#include "schedule/ScheduleHistory.h"

#include <QUndoCommand>

namespace {
// Steps kept; the oldest go first.
constexpr int kUndoLimit = 100;
} // namespace

// One user action: the content before and after it. Pushing runs redo, which finds the planner
// already showing `after`.
class TContentStep : public QUndoCommand {
public:
    TContentStep(TScheduleHistory& history, const QString& action, TPlannerContent before,
                 TPlannerContent after)
        : QUndoCommand(action), history_(history), before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { history_.Restore(before_); }
    void redo() override {
        if (pushed_) history_.Restore(after_);
        pushed_ = true;
    }

private:
    TScheduleHistory& history_;
    TPlannerContent before_;
    TPlannerContent after_;
    bool pushed_ = false;
};

TScheduleHistory::TScheduleHistory(TCustomPlanner& planner, QObject* parent)
    : QObject(parent), planner_(planner), last_(planner.Content()) {
    stack_.setUndoLimit(kUndoLimit);
}

void TScheduleHistory::Record(const QString& action) {
    TPlannerContent now = planner_.Content();
    if (now == last_) return;
    TPlannerContent before = std::exchange(last_, now);
    stack_.push(new TContentStep(*this, action, std::move(before), std::move(now)));
}

void TScheduleHistory::Reset() {
    stack_.clear();
    last_ = planner_.Content();
}

void TScheduleHistory::Restore(const TPlannerContent& content) {
    planner_.SetContent(content);
    last_ = content;
}
