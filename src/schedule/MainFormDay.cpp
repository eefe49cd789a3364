#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "platform/HandledAction.h"
#include "platform/QtImageList.h"
#include "platform/QtText.h"
#include "schedule/Main.h"
#include "schedule/ScheduleDateBar.h"
#include "schedule/ScheduleHistory.h"
#include "schedule/ToolbarImages.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

// What the window has beyond its form: the date bar after the five buttons, undo and redo,
// the day keys, the item menu, the More menu at the toolbar's right end and the day's marks. Added
// last, so the form's own parts keep their order.
void TfrmMain::CreateDayControls() {
    qryDay = std::make_unique<TIBQuery>();
    qryDay->SetName("qryDay");
    trDay = std::make_unique<TIBTransaction>();
    qryDay->SetTransaction(trDay.get());
    history_ = new TScheduleHistory(*Planner1, this);
    DateBar = new TScheduleDateBar(tlbMain);
    DateBar->SetDate(ScheduleDate());
    DateBar->OnDateChosen = [this](TDateTime date) {
        RunHandled([this, date] { ChangeScheduleDate(date); });
    };
    tlbMain->addWidget(DateBar);
    CreateUndoActions();
    actPreviousDay = AddShortcut("actPreviousDay", "Previous day", {QKeySequence("Alt+Left")},
                                 [this] { ChangeScheduleDate(ScheduleDate() - 1); });
    actNextDay = AddShortcut("actNextDay", "Next day", {QKeySequence("Alt+Right")},
                             [this] { ChangeScheduleDate(ScheduleDate() + 1); });
    actRemove = AddShortcut("actRemove", "Remove", {}, [this] { RemoveSelectedItems(); });
    mnuItem = new QMenu(this);
    mnuItem->addAction(actRemove);
    mnuItem->addSeparator();
    mnuItem->addAction(actUndo);
    mnuItem->addAction(actRedo);
    CreateMoreMenu();
    ConnectPlanner();
    CreateDayMarks();
}

void TfrmMain::CreateUndoActions() {
    QUndoStack& stack = history_->Stack();
    const std::vector<QImage> images = UndoRedoImages();
    actUndo = AddShortcut("actUndo", "Undo", {QKeySequence::Undo}, [&stack] { stack.undo(); });
    actRedo = AddShortcut("actRedo", "Redo", {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")},
                          [&stack] { stack.redo(); });
    for (QAction* action : {actUndo, actRedo}) {
        action->setIcon(QIcon(QPixmap::fromImage(images[action == actUndo ? 0 : 1])));
        auto* button = new QToolButton(tlbMain);
        button->setObjectName(action == actUndo ? "btnUndo" : "btnRedo");
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        button->setFixedSize(46, 52);
        tlbMain->addWidget(button);
    }
    actUndo->setEnabled(false);
    actRedo->setEnabled(false);
    connect(&stack, &QUndoStack::canUndoChanged, actUndo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, actRedo, &QAction::setEnabled);
    // The date bar as receiver: the stack announces itself clean once more while the window's
    // children go, perhaps after the bar.
    connect(&stack, &QUndoStack::cleanChanged, DateBar,
            [bar = DateBar](bool clean) { bar->SetUnsaved(!clean); });
    // A step moves the index; a save only marks the stack clean.
    connect(&stack, &QUndoStack::indexChanged, this, [this] {
        RefreshDayMarks();
        RunHandled([this] { KeepRecovery(); });
    });
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean) RunHandled([this] { KeepRecovery(); });
    });
}

QAction* TfrmMain::AddShortcut(const char* name, const char* caption,
                               const QList<QKeySequence>& keys, std::function<void()> handler) {
    auto* action = new QAction(ToQString(caption), this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this,
            [handler = std::move(handler)] { RunHandled(handler); });
    addAction(action);
    return action;
}

// Every move or size the user makes on the planner is one step of the history. A drag is
// recorded when the button is released, before the planner's own report: a drag back to its
// first slot is not reported, yet the snap may have changed the item's minutes.
void TfrmMain::ConnectPlanner() {
    Planner1->OnPlannerMouseUp = [this](TPoint) {
        const TDragMode mode = Planner1->DragMode();
        if (mode != TDragMode::None) history_->Record(mode == TDragMode::Move ? "Move" : "Size");
    };
    Planner1->OnItemMove = [this](TPlannerItem&, const TItemPlace&, const TItemPlace&) {
        history_->Record("Move");
    };
    Planner1->OnItemSize = [this](TPlannerItem&, const TItemPlace&, const TItemPlace&) {
        history_->Record("Size");
    };
    Planner1->OnItemDelete = [this](TPlannerItem&) {
        RunHandled([this] { RemoveSelectedItems(); });
    };
    Planner1->OnItemRightClick = [this](TPlannerItem& item) { ItemRightClick(item); };
}
