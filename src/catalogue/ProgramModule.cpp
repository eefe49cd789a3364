#include "catalogue/ProgramModule.h"

#include "data/mData.h"
#include "db/IBTransaction.h"

TfrmPrograms::TfrmPrograms(QWidget* parent) : QDialog(parent) {
    CreateForm();
}

TfrmPrograms::~TfrmPrograms() = default;

void TfrmPrograms::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
}
