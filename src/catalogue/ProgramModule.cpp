#include "catalogue/ProgramModule.h"

#include "app/mData.h"
#include "db/IBTransaction.h"

TfrmPrograms* frmPrograms = nullptr;

TfrmPrograms::TfrmPrograms(QWidget* parent) : QDialog(parent) {
    CreateForm();
    TmodData::WhenCreated([this](TmodData& data) { BindDataModule(data); });
}

TfrmPrograms::~TfrmPrograms() {
    if (frmPrograms == this) frmPrograms = nullptr;
}

void TfrmPrograms::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
}
