#include "catalogue/ProgramFilter.h"

#include "app/mData.h"
#include "db/IBTransaction.h"

TfrmProgramFilter* frmProgramFilter = nullptr;

TfrmProgramFilter::TfrmProgramFilter(QWidget* parent) : QDialog(parent) {
    CreateForm();
    TmodData::WhenCreated(this, [this](TmodData& data) { BindDataModule(data); });
}

TfrmProgramFilter::~TfrmProgramFilter() {
    TmodData::CancelBindings(this);
    if (frmProgramFilter == this) frmProgramFilter = nullptr;
}

void TfrmProgramFilter::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
}
