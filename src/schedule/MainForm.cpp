#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "platform/HandledAction.h"
#include "platform/QtFormFont.h"
#include "platform/QtImageList.h"
#include "platform/QtText.h"
#include "schedule/Main.h"
#include "schedule/MainPlanner.h"
#include "schedule/ToolbarImages.h"
#include "support/calendar/PlannerCalendar.h"
#include "support/calendar/PlannerCalendarGroup.h"
#include "support/xml/SimpleXml.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

void TfrmMain::CreateForm() {
    setObjectName("frmMain");
    setWindowTitle(ToQString("Skedora"));
    resize(870, 640);
    setFont(FormFont());

    auto* client = new QWidget(this);
    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(client);

    CreateToolbar();
    CreatePlanner(client);
    CreatePanel(client);
    CreateComponents();
    CreateActions();
    CreateDayControls();
}

void TfrmMain::CreateToolbar() {
    tlbMain = new QToolBar(this);
    tlbMain->setObjectName("tlbMain");
    tlbMain->setMovable(false);
    tlbMain->setFloatable(false);
    tlbMain->setIconSize(QSize(32, 32));
    tlbMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // Last: changing the icon size or button style resets the toolbar's minimum height.
    tlbMain->setFixedHeight(64);
    addToolBar(Qt::TopToolBarArea, tlbMain);
}

void TfrmMain::CreatePlanner(QWidget* client) {
    Planner1 = new TPlanner(client);
    Planner1->setObjectName("Planner1");
    SetUpMainPlanner(*Planner1);
    client->layout()->addWidget(Planner1);
}

// Stored hidden, and nothing shows it: its calendar only keeps the schedule date.
void TfrmMain::CreatePanel(QWidget* client) {
    Panel1 = new QWidget(client);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedWidth(420);
    Panel1->setVisible(false);
    auto* layout = new QVBoxLayout(Panel1);
    client->layout()->addWidget(Panel1);

    PlannerCalendar1 = new TPlannerCalendar(Panel1);
    PlannerCalendar1->setObjectName("PlannerCalendar1");
    PlannerCalendar1->SetDay(17);
    PlannerCalendar1->SetMonth(6);
    PlannerCalendar1->SetYear(2010);
    PlannerCalendar1->Loaded();
    layout->addWidget(PlannerCalendar1);

    PlannerCalendarGroup1 = new TPlannerCalendarGroup(Panel1);
    PlannerCalendarGroup1->setObjectName("PlannerCalendarGroup1");
    PlannerCalendarGroup1->SetStartMonth(2010, 6);
    layout->addWidget(PlannerCalendarGroup1);
}

void TfrmMain::CreateComponents() {
    qryPrograms = std::make_unique<TIBQuery>();
    qryPrograms->SetName("qryPrograms");
    trPrograms = std::make_unique<TIBTransaction>();
    qryPrograms->SetTransaction(trPrograms.get());

    il1 = std::make_unique<TQtImageList>(32, 32);
    for (const QImage& image : ToolbarImages())
        il1->Add(image);

    dlg1.Filter = "XML|*.xml";
    dlg1.FileName = "export.xml";
    dlg1.Width = 563;
    dlg1.Height = 454;
    SimpleXml1 = std::make_unique<TSimpleXml>();

    il2 = std::make_unique<TQtImageList>(16, 16);
    il2->Add(PlannerItemImage());
    Planner1->SetPlannerImages(il2.get());
}

// Buttons run left to right in the order they are added here.
void TfrmMain::CreateActions() {
    actAddProgram =
        AddAction("actAddProgram", "Add Program(s)", 0, &TfrmMain::actAddProgramExecute);
    btnAddProgram = AddToolButton("btnAddProgram", actAddProgram);
    actSave = AddAction("actSave", "Save", 2, &TfrmMain::actSaveExecute);
    btnSave = AddToolButton("btnSave", actSave);
    actExport = AddAction("actExport", "Export", 3, &TfrmMain::actExportExecute);
    btnExport = AddToolButton("btnExport", actExport);
    actImport = AddAction("actImport", "Import", 5, &TfrmMain::actImportExecute);
    btnImport = AddToolButton("btnImport", actImport);
    actShowAllPrograms = AddAction("actShowAllPrograms", "Show All Programs", 1,
                                   &TfrmMain::actShowAllProgramsExecute);
    btnShowAllPrograms = AddToolButton("btnShowAllPrograms", actShowAllPrograms);
}

// A menu bar would push the toolbar down; the menu's entries come from the features that use it.
void TfrmMain::CreateMoreMenu() {
    auto* spacer = new QWidget(tlbMain);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tlbMain->addWidget(spacer);
    mnuMore = new QMenu(this);
    mnuMore->setObjectName("mnuMore");
    actCopyDay = AddShortcut("actCopyDay", "Copy Day To\x85", {QKeySequence("Ctrl+Shift+C")},
                             [this] { actCopyDayExecute(); });
    mnuMore->addAction(actCopyDay);
    CreateHandOverActions();
    auto* more = new QAction(ToQString("More"), this);
    more->setObjectName("actMore");
    more->setMenu(mnuMore);
    btnMore = new QToolButton(tlbMain);
    btnMore->setObjectName("btnMore");
    btnMore->setDefaultAction(more);
    btnMore->setPopupMode(QToolButton::InstantPopup);
    btnMore->setToolButtonStyle(Qt::ToolButtonTextOnly);
    btnMore->setAutoRaise(true);
    btnMore->setFocusPolicy(Qt::NoFocus);
    btnMore->setFixedSize(40, 52);
    tlbMain->addWidget(btnMore);
}

QAction* TfrmMain::AddAction(const char* name, const char* caption, int imageIndex,
                             void (TfrmMain::*handler)()) {
    auto* action = new QAction(il1->Icon(imageIndex), ToQString(caption), this);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, this,
                     [this, handler] { RunHandled([this, handler] { (this->*handler)(); }); });
    actlst1.push_back(action);
    return action;
}

QToolButton* TfrmMain::AddToolButton(const char* name, QAction* action) {
    auto* button = new QToolButton(tlbMain);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    // Toolbar buttons act on a click; the keyboard stays with the planner.
    button->setFocusPolicy(Qt::NoFocus);
    // 95 pixels wide, wider only where the caption would be cut in the system's font.
    button->setFixedSize(std::max(95, button->sizeHint().width()), 52);
    tlbMain->addWidget(button);
    return button;
}
