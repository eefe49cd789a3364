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

    // Points the window's queries and transactions at the data module's connection.
    void BindDataModule(TmodData& data);

    std::unique_ptr<TIBTransaction> trPrograms;

private:
    void CreateForm();
};
