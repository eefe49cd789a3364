#include "schedule/Main.h"

#include "data/mData.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/Planner.h"
#include "platform/QtImageList.h"
#include "support/calendar/PlannerCalendar.h"
#include "support/calendar/PlannerCalendarGroup.h"

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    CreateForm();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BindDataModule(TmodData& data) {
    data_ = &data;
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
    qryPrograms->SetDatabase(data.IBDatabase.get());
}

TDateTime TfrmMain::ScheduleDate() const {
    return PlannerCalendar1->SelectedDate();
}

void TfrmMain::actExportExecute() {
    ExportSchedule();
}
