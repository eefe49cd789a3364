#pragma once

#include <QDialog>
#include <memory>

class TIBTransaction;
class TmodData;

// The modal window of the catalogue window: views, adds and edits the programmes.
class TfrmPrograms : public QDialog {
public:
    explicit TfrmPrograms(QWidget* parent = nullptr);
    ~TfrmPrograms() override;

    std::unique_ptr<TIBTransaction> trPrograms;

private:
    void CreateForm();
    void BindDataModule(TmodData& data);
};

extern TfrmPrograms* frmPrograms;
