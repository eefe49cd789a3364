#pragma once

#include "platform/DateTime.h"
#include "platform/Dialogs.h"

#include <QMainWindow>
#include <memory>
#include <vector>

class QAction;
class QToolBar;
class QToolButton;
class TIBQuery;
class TIBTransaction;
class TmodData;
class TPlanner;
class TPlannerCalendar;
class TPlannerCalendarGroup;
class TQtImageList;

// The main window: the day planner with its toolbar.
class TfrmMain : public QMainWindow {
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Points the window's queries and transactions at the data module's connection.
    void BindDataModule(TmodData& data);

    // The day whose broadcasts are added, saved and exported.
    TDateTime ScheduleDate() const;
    // Writes the broadcasts saved under the schedule date to a file the user picks.
    void ExportSchedule();

    void actExportExecute();

    QToolBar* tlbMain = nullptr;
    QToolButton* btnExport = nullptr;
    TPlanner* Planner1 = nullptr;
    QWidget* Panel1 = nullptr;
    TPlannerCalendar* PlannerCalendar1 = nullptr;
    TPlannerCalendarGroup* PlannerCalendarGroup1 = nullptr;
    std::unique_ptr<TIBQuery> qryPrograms;
    std::unique_ptr<TIBTransaction> trPrograms;
    std::unique_ptr<TQtImageList> il1;
    // The toolbar's actions, in the order they were declared.
    std::vector<QAction*> actlst1;
    QAction* actExport = nullptr;
    OpenFileRequest dlg1;
    std::unique_ptr<TQtImageList> il2;

private:
    void CreateForm();
    void CreateToolbar();
    void CreatePlanner(QWidget* client);
    void CreatePanel(QWidget* client);
    void CreateComponents();
    void CreateActions();
    QAction* AddAction(const char* name, const char* caption, int imageIndex,
                       void (TfrmMain::*handler)());
    QToolButton* AddToolButton(const char* name, QAction* action);

    TmodData* data_ = nullptr;
};
