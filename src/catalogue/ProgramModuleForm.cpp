#include "catalogue/ProgramModule.h"
#include "db/DataSource.h"
#include "db/IBDataSet.h"
#include "db/IBTransaction.h"
#include "platform/ColorResolve.h"
#include "platform/HandledAction.h"
#include "platform/QtFormFont.h"
#include "platform/QtImageList.h"
#include "platform/QtText.h"
#include "support/dbcontrols/DBEdit.h"
#include "support/dbcontrols/DBMemo.h"
#include "support/dbcontrols/DateTimePicker.h"
#include "support/grid/RecordGrid.h"
#include "support/navigator/DBNavigator.h"
#include "support/navigator/NavigatorImages.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>
#include <iterator>

namespace {

constexpr TColor kPanelColour = 15720403;

QColor ToQColor(TColor color) {
    const TRGB rgb = ColorToRGB(color);
    return QColor(rgb.R, rgb.G, rgb.B);
}

} // namespace

void TfrmPrograms::CreateForm() {
    setObjectName("frmPrograms");
    setWindowTitle(ToQString("Programs"));
    resize(870, 640);
    setFont(FormFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateDataSet();
    CreateNavigator();
    CreateGrid();
    CreatePanel();
    ilNavigator = CreateNavigatorImageList();
    dlg1.Title = "Open";
}

void TfrmPrograms::CreateDataSet() {
    trPrograms = std::make_unique<TIBTransaction>();
    // A post waits a few seconds for a row another user holds, then says so.
    trPrograms->SetParams({"write", "concurrency", "wait", "lock_timeout=3"});
    dstPrograms = std::make_unique<TIBDataSet>();
    dstPrograms->SetName("dstPrograms");
    dstPrograms->SetTransaction(trPrograms.get());
    dstPrograms->SetSelectSQL({"Select * from PROGRAM_DESCRIPTION", "order by nid"});
    dstPrograms->SetInsertSQL(
        {"insert into PROGRAM_DESCRIPTION",
         "  (NID, SNAME, SFILE_NAME, SDESCRIPTION, SSERIES_NAME, FDURATION, ", "BIMAGE, ",
         "   SLANGUAGE, SNOTE)", "values",
         "  (:NID, :SNAME, :SFILE_NAME, :SDESCRIPTION, :SSERIES_NAME, :FDURATION, ",
         "   :BIMAGE, :SLANGUAGE, :SNOTE)"});
    dstPrograms->SetModifySQL(
        {"update PROGRAM_DESCRIPTION", "set", "  NID = :NID,", "  SNAME = :SNAME,",
         "  SFILE_NAME = :SFILE_NAME,", "  SDESCRIPTION = :SDESCRIPTION,",
         "  SSERIES_NAME = :SSERIES_NAME,", "  FDURATION = :FDURATION,", "  BIMAGE = :BIMAGE,",
         "  SLANGUAGE = :SLANGUAGE,", "  SNOTE = :SNOTE", "where", "  NID = :OLD_NID"});
    dstPrograms->SetDeleteSQL({"delete from PROGRAM_DESCRIPTION", "where", "  NID = :OLD_NID"});
    dstPrograms->SetRefreshSQL({"Select ", "  NID,", "  SNAME,", "  SFILE_NAME,", "  SDESCRIPTION,",
                                "  SSERIES_NAME,", "  FDURATION,", "  BIMAGE,", "  SLANGUAGE,",
                                "  SNOTE", "from PROGRAM_DESCRIPTION ", "where", "  NID = :NID"});
    dstPrograms->AfterScroll = [this](TIBCustomDataSet& set) { dstProgramsAfterScroll(set); };
    dstPrograms->BeforeEdit = [this](TIBCustomDataSet& set) { dstProgramsBeforeEdit(set); };
    dstPrograms->BeforePost = [this](TIBCustomDataSet& set) { dstProgramsBeforePost(set); };
    dstPrograms->AfterPost = [this](TIBCustomDataSet&) { unposted_.reset(); };
    dstPrograms->AfterCancel = [this](TIBCustomDataSet&) { unposted_.reset(); };
    dstPrograms->AfterClose = [this](TIBCustomDataSet&) { dstProgramsAfterClose(); };
    dstPrograms->OnPostError = [this](TIBCustomDataSet&, const EDatabaseError& error) {
        dstProgramsPostError(error);
    };
    dsPrograms = std::make_unique<TDataSource>();
    dsPrograms->SetDataSet(dstPrograms.get());
}

void TfrmPrograms::CreateNavigator() {
    nv1 = new TDBNavigator(this);
    nv1->setObjectName("nv1");
    nv1->SetAlign(alTop);
    nv1->SetFlat(true);
    nv1->SetDataSource(dsPrograms.get());
    nv1->SetVisibleButtons({nbInsert, nbEdit, nbPost, nbCancel});
    nv1->SetShowHint(true);
    nv1->SetHints({"First record", "Prior record", "Next record", "Last record",
                   "\xC4\xEE\xE1\xE0\xE2\xFF\xED\xE5", "\xC8\xE7\xF2\xF0\xE8\xE2\xE0\xED\xE5",
                   "\xD0\xE5\xE4\xE0\xEA\xF6\xE8\xFF", "\xC7\xE0\xEF\xE8\xF1",
                   "\xCE\xF2\xEA\xE0\xE7", "Refresh data"});
    nv1->Loaded();
    // After the visible buttons, which set the navigator's smallest size.
    nv1->setFixedHeight(55);
    layout()->addWidget(nv1);
}

void TfrmPrograms::CreateGrid() {
    grdPrograms = new TRecordGrid(this);
    grdPrograms->setObjectName("grdPrograms");
    grdPrograms->SetDataSource(dsPrograms.get());
    TDBGridColumns& columns = grdPrograms->Columns();
    columns.Add("NID", "Program ID");
    columns.Add("SSERIES_NAME", "Series", 250);
    columns.Add("SNAME", "Program", 250);
    columns.Add("FDURATION", "Duration", 70);
    columns.Add("SLANGUAGE", "Language", 100);
    columns.Add("SFILE_NAME", "File Name", 250);
    grdPrograms->OnDrawColumnCell = [this](TRecordGrid&, const TRect& rect, int dataCol,
                                           TColumn& column, TGridDrawState state) {
        grdProgramsDrawColumnCell(rect, dataCol, column, state);
    };
    static_cast<QVBoxLayout*>(layout())->addWidget(grdPrograms, 1);
}

void TfrmPrograms::CreatePanel() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(159);
    Panel1->setAutoFillBackground(true);
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, ToQColor(kPanelColour));
    Panel1->setPalette(palette);
    auto* row = new QHBoxLayout(Panel1);
    auto* fields = new QWidget(Panel1);
    row->addWidget(fields, 1);
    CreateEdits(fields);
    CreateNote();
    row->addWidget(grpNote, 1);
    layout()->addWidget(Panel1);
    // The memo sits in its own box to the right, yet comes before the file name.
    QWidget* const order[] = {edID, edCode, edName, dtpDuration, mNote, edFile};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfrmPrograms::CreateEdits(QWidget* fields) {
    auto* form = new QFormLayout(fields);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edID = AddEdit(fields, "edID", "NID");
    edID->SetCharCase(ecUpperCase);
    edCode = AddEdit(fields, "edCode", "SSERIES_NAME");
    edName = AddEdit(fields, "edName", "SNAME");
    dtpDuration = new TDateTimePicker(fields);
    dtpDuration->setObjectName("dtpDuration");
    dtpDuration->OnChange = [this](TDateTimePicker&) {
        RunHandled([this] { dtpDurationChange(); });
    };
    edFile = new QLineEdit(fields);
    edFile->setObjectName("edFile");
    QAction* browse = edFile->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon),
                                        QLineEdit::TrailingPosition);
    QObject::connect(browse, &QAction::triggered, this,
                     [this] { RunHandled([this] { edFileButtonClick(); }); });
    QObject::connect(edFile, &QLineEdit::textChanged, this,
                     [this] { RunHandled([this] { edFileChange(); }); });
    QObject::connect(edFile, &QLineEdit::textEdited, this,
                     [this] { RunHandled([this] { edFileEdited(); }); });
    form->addRow(AddLabel(fields, "\xB9:", edID), edID);
    form->addRow(AddLabel(fields, "Series:", edCode), edCode);
    form->addRow(AddLabel(fields, "Program:", edName), edName);
    form->addRow(AddLabel(fields, "Duration:", dtpDuration), dtpDuration);
    form->addRow(AddLabel(fields, "File Name:", edFile), edFile);
}

void TfrmPrograms::CreateNote() {
    grpNote = new QGroupBox(ToQString("Additional Info"), Panel1);
    grpNote->setObjectName("grpNote");
    mNote = new TDBMemo(grpNote);
    mNote->setObjectName("mNote");
    mNote->SetDataSource(dsPrograms.get());
    mNote->SetDataField("SNOTE");
    auto* layout = new QVBoxLayout(grpNote);
    layout->addWidget(mNote);
}

QLabel* TfrmPrograms::AddLabel(QWidget* parent, const char* caption, QWidget* buddy) {
    auto* label = new QLabel(ToQString(caption), parent);
    label->setBuddy(buddy);
    return label;
}

TDBEdit* TfrmPrograms::AddEdit(QWidget* parent, const char* name, const char* field) {
    auto* edit = new TDBEdit(parent);
    edit->setObjectName(name);
    edit->SetDataSource(dsPrograms.get());
    edit->SetDataField(field);
    return edit;
}
