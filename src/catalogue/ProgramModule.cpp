#include "catalogue/ProgramModule.h"

#include "app/mData.h"
#include "db/IBTransaction.h"

TfrmPrograms* frmPrograms = nullptr;

TfrmPrograms::TfrmPrograms(QWidget* parent) : QDialog(parent) {
    CreateForm();
    TmodData::WhenCreated(this, [this](TmodData& data) { BindDataModule(data); });
}

TfrmPrograms::~TfrmPrograms() {
    TmodData::CancelBindings(this);
    if (frmPrograms == this) frmPrograms = nullptr;
}

void TfrmPrograms::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
}
