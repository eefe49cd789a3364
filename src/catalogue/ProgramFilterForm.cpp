#include "catalogue/ProgramFilter.h"
#include "db/DataSource.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/QtFormFont.h"
#include "platform/QtText.h"
#include "support/grid/RecordGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

void TfrmProgramFilter::CreateForm() {
    setObjectName("frmProgramFilter");
    setWindowTitle(ToQString("Programs List"));
    resize(883, 640);
    setFont(FormFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(41);
    layout->addWidget(Panel1);
    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    layout->addWidget(Panel3, 1);
    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Panel2->setFixedHeight(41);
    layout->addWidget(Panel2);

    trPrograms = std::make_unique<TIBTransaction>();
    qryPrograms = std::make_unique<TIBQuery>();
    qryPrograms->SetName("qryPrograms");
    qryPrograms->SetTransaction(trPrograms.get());
    dsPrograms = std::make_unique<TDataSource>();
    dsPrograms->SetDataSet(qryPrograms.get());
    CreateGrid();
    CreateButtons();
    CreateFilterField();
}

void TfrmProgramFilter::CreateGrid() {
    grdPrograms = new TRecordGrid(Panel3);
    grdPrograms->setObjectName("grdPrograms");
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grdPrograms);
    grdPrograms->SetDataSource(dsPrograms.get());
    grdPrograms->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
                            dgRowSelect | dgConfirmDelete | dgCancelOnExit | dgMultiSelect);
    grdPrograms->SetReadOnly(true);
    TDBGridColumns& columns = grdPrograms->Columns();
    columns.Add("NPROGRAM_ID", "Program ID");
    columns.Add("SSERIES_NAME", "Series", 250);
    columns.Add("SNAME", "Program", 250);
    columns.Add("FDURATION", "Duration");
    columns.Add("LAST_SHOW_DATE", "Last broadcast date", 100);
    columns.Add("SHOW_CNT", "Broadcast count", 85);
    grdPrograms->OnTitleClick = [this](TColumn& column) { grdProgramsTitleClick(column); };
    grdPrograms->OnDblClick = [this](TRecordGrid&) { grdProgramsDblClick(); };
    grdPrograms->OnDrawColumnCell = [this](TRecordGrid&, const TRect& rect, int dataCol,
                                           TColumn& column, TGridDrawState state) {
        grdProgramsDrawColumnCell(rect, dataCol, column, state);
    };
}

void TfrmProgramFilter::CreateButtons() {
    auto* layout = new QHBoxLayout(Panel2);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addStretch(1);
    btnSelect = AddButton("btnSelect", "Select", QStyle::SP_DialogApplyButton);
    QObject::connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelectClick(); });
    btnCancel = AddButton("btnCancel", "Cancel", QStyle::SP_DialogCancelButton);
    QObject::connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

QPushButton* TfrmProgramFilter::AddButton(const char* name, const char* caption, int standardIcon) {
    auto* button = new QPushButton(style()->standardIcon(QStyle::StandardPixmap(standardIcon)),
                                   ToQString(caption), Panel2);
    button->setObjectName(name);
    button->setFlat(true);
    button->setAutoDefault(false);
    button->setFixedSize(91, 29);
    Panel2->layout()->addWidget(button);
    return button;
}

// Made after the grid, so that the grid comes first in the focus chain and keeps the focus on
// opening.
void TfrmProgramFilter::CreateFilterField() {
    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(8, 8, 8, 8);
    lblFilter = new QLabel(ToQString("Filter:"), Panel1);
    lblFilter->setObjectName("lblFilter");
    layout->addWidget(lblFilter);
    edtFilter = new QLineEdit(Panel1);
    edtFilter->setObjectName("edtFilter");
    edtFilter->setFixedWidth(250);
    edtFilter->setClearButtonEnabled(true);
    lblFilter->setBuddy(edtFilter);
    layout->addWidget(edtFilter);
    layout->addStretch(1);
    edtFilter->installEventFilter(this);
    QObject::connect(edtFilter, &QLineEdit::textChanged, this, [this] { edtFilterChange(); });
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    QObject::connect(find, &QShortcut::activated, this, [this] { FocusFilter(); });
}
