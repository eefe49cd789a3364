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

    // Points the window's queries and transactions at the data module's connection.
    void BindDataModule(TmodData& data);

    std::unique_ptr<TIBTransaction> trPrograms;

private:
    void CreateForm();
};
