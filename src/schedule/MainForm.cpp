#include <QHBoxLayout>

#include "app/FormFont.h"
#include "db/IBTransaction.h"
#include "platform/QtText.h"
#include "schedule/Main.h"
#include "support/calendar/PlannerCalendar.h"

void TfrmMain::CreateForm() {
    setObjectName("frmMain");
    setWindowTitle(ToQString("Skedora"));
    resize(870, 640);
    setFont(FormFont());

    auto* client = new QWidget(this);
    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    setCentralWidget(client);

    // Stored hidden, and nothing shows it: its calendar only keeps the schedule date.
    Panel1 = new QWidget(client);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedWidth(420);
    Panel1->setVisible(false);
    layout->addWidget(Panel1);

    PlannerCalendar1 = new TPlannerCalendar(Panel1);
    PlannerCalendar1->setObjectName("PlannerCalendar1");
    PlannerCalendar1->SetDay(17);
    PlannerCalendar1->SetMonth(6);
    PlannerCalendar1->SetYear(2010);
    PlannerCalendar1->Loaded();

    trPrograms = std::make_unique<TIBTransaction>();
}
