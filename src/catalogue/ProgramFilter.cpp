#include "catalogue/ProgramFilter.h"

#include "data/mData.h"
#include "db/IBTransaction.h"

TfrmProgramFilter::TfrmProgramFilter(QWidget* parent) : QDialog(parent) {
    CreateForm();
}

TfrmProgramFilter::~TfrmProgramFilter() = default;

void TfrmProgramFilter::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
}
