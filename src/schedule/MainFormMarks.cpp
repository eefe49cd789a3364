#include "planner/widget/Planner.h"
#include "platform/Dialogs.h"
#include "platform/HandledAction.h"
#include "platform/QtText.h"
#include "schedule/DayMarksView.h"
#include "schedule/Main.h"
#include "schedule/PlannerDay.h"
#include "schedule/SettingsDialog.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

// The marks are drawn over the planner and never change its items.
void TfrmMain::CreateDayMarks() {
    markSettings_ = ReadMarkSettings();
    lblTotals = new QLabel(this);
    lblTotals->setObjectName("lblTotals");
    statusBar()->addWidget(lblTotals, 1);
    btnOverlaps = new QToolButton(this);
    btnOverlaps->setObjectName("btnOverlaps");
    btnOverlaps->setAutoRaise(true);
    btnOverlaps->setFocusPolicy(Qt::NoFocus);
    connect(btnOverlaps, &QToolButton::clicked, this, [this] { SelectOverlappingItems(); });
    statusBar()->addPermanentWidget(btnOverlaps);
    Planner1->OnPaintOverlay = [this](TCanvas& canvas) {
        PaintDayMarks(canvas, *Planner1, marks_, markSettings_.DrawGaps);
    };
    Planner1->OnItemHint = [this](TPlannerItem& item) {
        return OverlapHint(markedDay_, marks_, item.Index());
    };
    actSettings = new QAction(ToQString("Settings\x85"), this);
    actSettings->setObjectName("actSettings");
    connect(actSettings, &QAction::triggered, this,
            [this] { RunHandled([this] { actSettingsExecute(); }); });
    mnuMore->addAction(actSettings);
    RefreshDayMarks();
}

void TfrmMain::RefreshDayMarks() {
    markedDay_ = DayOfPlanner(*Planner1, ScheduleDate());
    marks_ = MarkDay(markedDay_, markSettings_.GapThreshold());
    const QString totals = ToQString(TotalsText(markedDay_, marks_));
    lblTotals->setText(totals);
    // The bar may be too narrow for every position.
    lblTotals->setToolTip(totals);
    const int overlapping = marks_.Totals.Overlapping;
    btnOverlaps->setText(ToQString("Overlaps: " + std::to_string(overlapping)));
    btnOverlaps->setStyleSheet(overlapping > 0 ? "color: red; font-weight: bold;" : "");
    btnOverlaps->setEnabled(overlapping > 0);
    Planner1->update();
}

void TfrmMain::SelectOverlappingItems() {
    TPlannerItem* first = nullptr;
    const int count = std::min<int>(Planner1->Items().Count(), marks_.Overlaps.size());
    for (int i = 0; i < count; ++i) {
        if (marks_.Overlaps[i].empty()) continue;
        TPlannerItem& item = Planner1->Items()[i];
        Planner1->Items().Select(&item, first != nullptr);
        if (!first || item.FirstSlot() < first->FirstSlot()) first = &item;
    }
    if (first) Planner1->SetTopRow(std::max(0, first->FirstSlot()));
}

void TfrmMain::actSettingsExecute() {
    TfrmSettings window(markSettings_, ReadChannelSettings(), this);
    if (AppDialogs().ShowModal(window) != mrOk) return;
    WriteMarkSettings(window.Settings());
    WriteChannelSettings(window.Channel());
    markSettings_ = window.Settings();
    RefreshDayMarks();
}
