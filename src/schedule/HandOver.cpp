#include "handover/DayCsv.h"
#include "handover/DayTable.h"
#include "planner/widget/Planner.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/ReplacingFile.h"
#include "schedule/ChannelSettings.h"
#include "schedule/GuideRangeDialog.h"
#include "schedule/Main.h"
#include "schedule/PlannerDay.h"
#include "schedule/StoredGuide.h"

#include <QAction>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

namespace {

// A file of that name is replaced only once the whole of it is written.
void WriteWholeFile(const std::string& fileName, const std::string& bytes) {
    TReplacingFile file(fileName);
    file.Write(bytes);
    file.Commit();
}

std::string Iso(TDateTime date) {
    return FormatDateTime("yyyy-mm-dd", date);
}

} // namespace

void TfrmMain::CreateHandOverActions() {
    const auto add = [this](const char* name, const char* caption, QList<QKeySequence> keys,
                            void (TfrmMain::*handler)()) {
        QAction* action = AddShortcut(name, caption, keys, [this, handler] { (this->*handler)(); });
        mnuMore->addAction(action);
        return action;
    };
    mnuMore->addSeparator();
    actExportXmltv =
        add("actExportXmltv", "Export XMLTV\x85", {}, &TfrmMain::actExportXmltvExecute);
    actPrint = add("actPrint", "Print\x85", {QKeySequence("Ctrl+P")}, &TfrmMain::actPrintExecute);
    actExportPdf = add("actExportPdf", "Export PDF\x85", {}, &TfrmMain::actExportPdfExecute);
    actExportCsv = add("actExportCsv", "Export CSV\x85", {}, &TfrmMain::actExportCsvExecute);
    mnuMore->addSeparator();
}

// The guide is read before the file is chosen: a range without broadcasts writes nothing.
void TfrmMain::actExportXmltvExecute() {
    const std::optional<TGuideRange> range = TfrmGuideRange::ChooseRange(ScheduleDate(), this);
    // Discard leaves the changes on the planner: the guide is of the stored days.
    if (!range || !ConfirmLeavingDay(OnDiscard::KeepChanges)) return;
    const std::string guide =
        StoredGuide(*qryDay, range->First, range->Last, ReadChannelSettings());
    SaveHandOver("Export XMLTV", "XMLTV|*.xml|All|*.*", "guide-" + Iso(range->First) + ".xml",
                 guide);
}

void TfrmMain::actPrintExecute() {
    const TScheduleDay day = DayOfPlanner(*Planner1, ScheduleDate());
    const std::string channel = ReadChannelSettings().DisplayName;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ToQString("Schedule " + Iso(day.Date)));
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName("dlgPrintPreview");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* device) { PaintDayTable(*device, day, channel); });
    AppDialogs().ShowModal(preview);
}

void TfrmMain::actExportPdfExecute() {
    const QByteArray pdf =
        DayTablePdf(DayOfPlanner(*Planner1, ScheduleDate()), ReadChannelSettings().DisplayName);
    SaveHandOver("Export PDF", "PDF|*.pdf|All|*.*", "schedule-" + Iso(ScheduleDate()) + ".pdf",
                 pdf.toStdString());
}

void TfrmMain::actExportCsvExecute() {
    SaveHandOver("Export CSV", "CSV|*.csv|All|*.*", "schedule-" + Iso(ScheduleDate()) + ".csv",
                 DayCsv(DayOfPlanner(*Planner1, ScheduleDate())));
}

void TfrmMain::SaveHandOver(const std::string& title, const std::string& filter,
                            const std::string& fileName, const std::string& bytes) {
    OpenFileRequest request;
    request.Title = title;
    request.Filter = filter;
    request.FileName = fileName;
    if (!AppDialogs().OpenFile(request)) return;
    WriteWholeFile(request.FileName, bytes);
    statusBar()->showMessage(ToQString("Wrote " + request.FileName + "."), 10000);
}
