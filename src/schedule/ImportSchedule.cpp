#include "planner/widget/Planner.h"
#include "platform/Dialogs.h"
#include "schedule/BroadcastImport.h"
#include "schedule/LayoutLock.h"
#include "schedule/Main.h"
#include "schedule/ScheduleHistory.h"
#include "support/common/TextDate.h"
#include "support/xml/SimpleXml.h"

// The file is loaded and checked before the planner is emptied; an invalid date part-way
// stops the import there, keeping the broadcasts before it. Undo takes an import back whole.
void TfrmMain::actImportExecute() {
    if (!AppDialogs().OpenFile(dlg1)) return;
    SimpleXml1->LoadFile(dlg1.FileName);
    CheckBroadcasts(*SimpleXml1, dlg1.FileName);
    const TScheduleStep step(History(), "Import");
    const TLayoutLock lock(Planner1->Items());
    ImportBroadcasts(SimpleXml1->Root().Items());
}

void TfrmMain::ImportBroadcasts(TSimpleXmlElems& broadcasts) {
    const TDateTime firstDate =
        ParseIsoDate(broadcasts.Item(0)->Items().ItemNamed("date")->Value());
    Planner1->Items().Clear();
    Planner1->SetPositions(1);
    Planner1->Header().Captions().Assign({"", DateToText(firstDate)});
    int position = 0;
    TScheduleEntry entry;
    for (int i = 0; i < broadcasts.Count(); ++i) {
        const TDateTime previousDate = entry.BroadcastDate;
        entry = ReadBroadcast(*broadcasts.Item(i), entry);
        if (i > 0 && entry.BroadcastDate > previousDate) {
            ++position;
            Planner1->SetPositions(Planner1->Positions() + 1);
            Planner1->Header().Captions().Set(position + 1, DateToText(entry.BroadcastDate));
        }
        AddScheduleItem(entry, position);
    }
}
