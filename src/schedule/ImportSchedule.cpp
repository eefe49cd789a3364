#include "exchange/BroadcastImport.h"
#include "planner/widget/Planner.h"
#include "platform/Dialogs.h"
#include "schedule/Main.h"
#include "schedule/PlannerDay.h"
#include "schedule/ScheduleHistory.h"
#include "support/xml/SimpleXml.h"

// The file is loaded and checked before the planner is emptied; an invalid date part-way
// stops the import there, keeping the broadcasts before it. Undo takes an import back whole.
void TfrmMain::actImportExecute() {
    if (!AppDialogs().OpenFile(dlg1)) return;
    SimpleXml1->LoadFile(dlg1.FileName);
    CheckBroadcasts(*SimpleXml1, dlg1.FileName);
    const TScheduleStep step(History(), "Import");
    TScheduleDay day;
    day.Date = ScheduleDate();
    try {
        ReadBroadcastDay(SimpleXml1->Root().Items(), day);
    } catch (...) {
        ShowDay(*Planner1, day);
        throw;
    }
    ShowDay(*Planner1, day);
}
