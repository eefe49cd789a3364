#pragma once

#include <QMainWindow>
#include <memory>

#include "platform/DateTime.h"

class TIBTransaction;
class TmodData;
class TPlannerCalendar;

// The main window: the day planner with its toolbar.
class TfrmMain : public QMainWindow {
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The day whose broadcasts are added, saved and exported.
    TDateTime ScheduleDate() const;

    QWidget* Panel1 = nullptr;
    TPlannerCalendar* PlannerCalendar1 = nullptr;
    std::unique_ptr<TIBTransaction> trPrograms;

private:
    void CreateForm();
    void BindDataModule(TmodData& data);
};

extern TfrmMain* frmMain;
