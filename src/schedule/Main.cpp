#include "schedule/Main.h"

#include "app/mData.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "platform/QtImageList.h"
#include "support/calendar/PlannerCalendar.h"
#include "support/calendar/PlannerCalendarGroup.h"

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    CreateForm();
    TmodData::WhenCreated(this, [this](TmodData& data) { BindDataModule(data); });
}

TfrmMain::~TfrmMain() {
    TmodData::CancelBindings(this);
    if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
    qryPrograms->SetDatabase(data.IBDatabase.get());
}

TDateTime TfrmMain::ScheduleDate() const {
    return PlannerCalendar1->SelectedDate();
}

void TfrmMain::actExportExecute() {
    ExportSchedule();
}
