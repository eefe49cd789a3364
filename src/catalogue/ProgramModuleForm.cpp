#include "catalogue/ProgramModule.h"
#include "db/IBTransaction.h"
#include "platform/QtFormFont.h"
#include "platform/QtText.h"

void TfrmPrograms::CreateForm() {
    setObjectName("frmPrograms");
    setWindowTitle(ToQString("Programs"));
    resize(870, 640);
    setFont(FormFont());

    trPrograms = std::make_unique<TIBTransaction>();
}
