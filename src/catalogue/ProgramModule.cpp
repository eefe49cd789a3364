#include "catalogue/ProgramModule.h"

#include "catalogue/RowColours.h"
#include "data/mData.h"
#include "db/DataSource.h"
#include "db/IBDataSet.h"
#include "db/IBErrors.h"
#include "db/IBTransaction.h"
#include "platform/DateTime.h"
#include "platform/HandledAction.h"
#include "platform/QtImageList.h"
#include "platform/QtText.h"
#include "support/dbcontrols/DateTimePicker.h"
#include "support/navigator/NavigatorSetup.h"

#include <QLineEdit>
#include <QTimer>
#include <cmath>
#include <filesystem>

TfrmPrograms::TfrmPrograms(QWidget* parent) : QDialog(parent) {
    CreateForm();
    FormCreate();
}

TfrmPrograms::~TfrmPrograms() = default;

void TfrmPrograms::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
    dstPrograms->SetDatabase(data.IBDatabase.get());
}

int TfrmPrograms::ShowProgramCatalogue(TmodData& data) {
    TfrmPrograms window;
    window.BindDataModule(data);
    window.dstPrograms->Open();
    AppDialogs().ShowModal(window);
    const int id = window.dstPrograms->IsEmpty() ? 0 : window.dstPrograms->Field("NID").AsInteger();
    // Ending the transaction here rather than in the destructor lets a failure reach the user;
    // what a failed commit leaves is rolled back, so the destructor does not store it after all.
    try {
        if (window.trPrograms->Active()) window.trPrograms->Commit();
    } catch (...) {
        if (window.trPrograms->Active()) window.trPrograms->Finish(TARollback, true);
        throw;
    }
    return id;
}

void TfrmPrograms::FormCreate() {
    SetupNavigatorButtons(*nv1, *ilNavigator);
}

void TfrmPrograms::grdProgramsDrawColumnCell(const TRect& rect, int dataCol, TColumn& column,
                                             unsigned state) {
    PaintParityCell(*grdPrograms, dstPrograms->RecordNumber(), rect, dataCol, column, state);
}

void TfrmPrograms::dstProgramsAfterScroll(TIBCustomDataSet& dataSet) {
    dtpDuration->SetTime(TimeOf(dataSet.Field("FDURATION").AsDateTime()));
    edFile->setText(ToQString(dataSet.Field("SFILE_NAME").AsString()));
}

void TfrmPrograms::dstProgramsBeforeEdit(TIBCustomDataSet& dataSet) {
    editedKey_ = dataSet.Field("NID").AsInteger();
}

void TfrmPrograms::dstProgramsBeforePost(TIBCustomDataSet& dataSet) {
    dataSet.Field("FDURATION").SetAsDateTime(dtpDuration->DateTime());
    dataSet.Field("SFILE_NAME").SetAsString(FromQString(edFile->text()));
    unposted_ = TakeTypedRow(dataSet, dataSet.State() == dsInsert, editedKey_);
}

// Queued: the close happens inside the failing post, whose error the user sees first.
void TfrmPrograms::dstProgramsAfterClose() {
    if (unposted_)
        QTimer::singleShot(0, this, [this] { RunHandled([this] { ReopenWithTyping(); }); });
}

void TfrmPrograms::ReopenWithTyping() {
    if (!unposted_ || dstPrograms->Active()) return;
    // A copy: moving to the row may cancel an edit, which forgets the typing.
    const TTypedRow typing = *unposted_;
    dstPrograms->Open();
    if (!typing.inserting && MoveToProgramme(typing.key))
        dstPrograms->Edit();
    else
        dstPrograms->Append();
    PutTypedRow(*dstPrograms, typing);
    dstProgramsAfterScroll(*dstPrograms);
    unposted_ = typing;
}

bool TfrmPrograms::MoveToProgramme(int id) {
    for (dstPrograms->First(); !dstPrograms->AtEnd(); dstPrograms->Next())
        if (dstPrograms->Field("NID").AsInteger() == id) return true;
    return false;
}

void TfrmPrograms::dstProgramsPostError(const EDatabaseError& error) {
    const auto* server = dynamic_cast<const EIBError*>(&error);
    if (server && ConflictsWithAnotherTransaction(*server))
        throw EDatabaseError("The programme is being edited by another user.");
}

void TfrmPrograms::edFileButtonClick() {
    if (!AppDialogs().OpenFile(dlg1)) return;
    edFile->setText(ToQString(std::filesystem::path(dlg1.FileName).filename().string()));
    edFileEdited();
}

void TfrmPrograms::edFileChange() {
    if (dstPrograms->State() == dsBrowse) dstPrograms->Edit();
}

// The two unbound controls write their field as soon as the user changes them, so the row
// counts as modified and a move posts it instead of dropping the change.
void TfrmPrograms::edFileEdited() {
    if (dstPrograms->State() == dsBrowse) dstPrograms->Edit();
    dstPrograms->Field("SFILE_NAME").SetAsString(FromQString(edFile->text()));
}

void TfrmPrograms::dtpDurationChange() {
    if (dstPrograms->State() == dsBrowse) dstPrograms->Edit();
    dstPrograms->Field("FDURATION").SetAsDateTime(dtpDuration->DateTime());
}

bool TfrmPrograms::HasUnpostedChanges() {
    if (unposted_ && !dstPrograms->Active()) return true;
    const TDataSetState state = dstPrograms->State();
    if (state != dsEdit && state != dsInsert) return false;
    dsPrograms->NotifyUpdateData();
    if (dstPrograms->Modified()) return true;
    const TField& file = dstPrograms->Field("SFILE_NAME");
    const TField& duration = dstPrograms->Field("FDURATION");
    // The picker keeps milliseconds; the stored time has finer steps.
    const auto milliseconds = [](TDateTime time) { return std::llround(time * kMSecsPerDay); };
    return file.AsString() != FromQString(edFile->text()) ||
           milliseconds(TimeOf(duration.AsDateTime())) != milliseconds(dtpDuration->Time());
}

// The close box and Esc both end here. A refused post shows its error and keeps the window.
void TfrmPrograms::reject() {
    bool leave = false;
    RunHandled([this, &leave] { leave = ResolveUnpostedChanges(); });
    if (leave) QDialog::reject();
}

bool TfrmPrograms::ResolveUnpostedChanges() {
    if (!HasUnpostedChanges()) {
        dstPrograms->Cancel();
        return true;
    }
    switch (AppDialogs().MessageBox("Save changes?", "Skedora", MessageIcon::Question,
                                    MessageButtons::YesNoCancel)) {
    case mrYes:
        ReopenWithTyping();
        dstPrograms->Post();
        return true;
    case mrNo:
        unposted_.reset();
        dstPrograms->Cancel();
        return true;
    default:
        return false;
    }
}
