#pragma once

#include <QMainWindow>
#include <memory>

class TIBTransaction;
class TmodData;

// The main window: the day planner with its toolbar.
class TfrmMain : public QMainWindow {
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    std::unique_ptr<TIBTransaction> trPrograms;

private:
    void CreateForm();
    void BindDataModule(TmodData& data);
};

extern TfrmMain* frmMain;
