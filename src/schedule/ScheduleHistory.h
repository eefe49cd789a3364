#pragma once

#include "planner/model/CustomPlanner.h"

#include <QObject>
#include <QUndoStack>

// The main window's undo and redo: every user action on the planner becomes one step holding
// the planner's content before and after it, and the stack's clean state tells whether the
// day differs from what was last opened or saved.
class TScheduleHistory : public QObject {
public:
    explicit TScheduleHistory(TCustomPlanner& planner, QObject* parent = nullptr);

    QUndoStack& Stack() { return stack_; }
    // Ends a user action: a step when the content changed since the last one, else nothing.
    void Record(const QString& action);
    // The planner now shows a stored day: no steps, nothing unsaved.
    void Reset();
    // The content just became the stored one.
    void MarkSaved() { stack_.setClean(); }
    bool Unsaved() const { return !stack_.isClean(); }

private:
    friend class TContentStep;
    void Restore(const TPlannerContent& content);

    TCustomPlanner& planner_;
    QUndoStack stack_;
    TPlannerContent last_;
};

// One user action on the planner: recorded when the scope ends, also when it ends by an error
// after changing the planner part-way.
class TScheduleStep {
public:
    TScheduleStep(TScheduleHistory& history, const char* action)
        : history_(history), action_(action) {}
    ~TScheduleStep() { history_.Record(action_); }
    TScheduleStep(const TScheduleStep&) = delete;
    TScheduleStep& operator=(const TScheduleStep&) = delete;

private:
    TScheduleHistory& history_;
    const char* action_;
};
