#include "schedule/Main.h"

#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "data/mData.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "platform/QtImageList.h"
#include "schedule/LayoutLock.h"
#include "schedule/PlannerDay.h"
#include "schedule/ScheduleHistory.h"
#include "schedule/StoredDay.h"
#include "support/calendar/PlannerCalendar.h"
#include "support/calendar/PlannerCalendarGroup.h"
#include "support/xml/SimpleXml.h"

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    CreateForm();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BindDataModule(TmodData& data) {
    data_ = &data;
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
    qryPrograms->SetDatabase(data.IBDatabase.get());
    trDay->SetDefaultDatabase(data.IBDatabase.get());
    qryDay->SetDatabase(data.IBDatabase.get());
}

TDateTime TfrmMain::ScheduleDate() const {
    return PlannerCalendar1->SelectedDate();
}

void TfrmMain::LoadSelectedPrograms(const std::string& ids) {
    if (trPrograms->Active()) trPrograms->Commit();
    qryPrograms->SetSQL({"select * from program_description pd", "where pd.nid in (" + ids + ")"});
    qryPrograms->Open();
}

void TfrmMain::AddLoadedPrograms() {
    const TScheduleStep step(History(), "Add");
    const TLayoutLock lock(Planner1->Items());
    TScheduleEntry entry;
    entry.StartTime = NextFreeStart();
    for (; !qryPrograms->AtEnd(); qryPrograms->Next()) {
        entry.NID = qryPrograms->Field("NID").AsInteger();
        entry.ProgramName = qryPrograms->Field("SNAME").AsString();
        entry.SeriesName = qryPrograms->Field("SSERIES_NAME").AsString();
        entry.BroadcastDate = ScheduleDate();
        entry.Duration = qryPrograms->Field("FDURATION").AsDateTime();
        entry.Language = qryPrograms->Field("SLANGUAGE").AsString();
        AddScheduleItem(entry, 0);
        entry.StartTime += entry.Duration;
    }
}

void TfrmMain::actAddProgramExecute() {
    LoadSelectedPrograms(TfrmProgramFilter::SelectPrograms(*data_));
    AddLoadedPrograms();
}

void TfrmMain::actShowAllProgramsExecute() {
    LoadSelectedPrograms(std::to_string(TfrmPrograms::ShowProgramCatalogue(*data_)));
}

void TfrmMain::SaveSchedule() {
    StoreShownDay();
}

void TfrmMain::actSaveExecute() {
    SaveSchedule();
}

void TfrmMain::actExportExecute() {
    ExportSchedule();
}
