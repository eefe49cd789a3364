#pragma once

#include <QDialog>
#include <memory>

class TIBTransaction;
class TmodData;

// The modal window of the picker: chooses programmes to place in the schedule.
class TfrmProgramFilter : public QDialog {
public:
    explicit TfrmProgramFilter(QWidget* parent = nullptr);
    ~TfrmProgramFilter() override;

    std::unique_ptr<TIBTransaction> trPrograms;

private:
    void CreateForm();
    void BindDataModule(TmodData& data);
};

extern TfrmProgramFilter* frmProgramFilter;
