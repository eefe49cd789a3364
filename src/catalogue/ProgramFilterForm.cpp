#include "catalogue/ProgramFilter.h"
#include "db/IBTransaction.h"
#include "platform/QtFormFont.h"
#include "platform/QtText.h"

void TfrmProgramFilter::CreateForm() {
    setObjectName("frmProgramFilter");
    setWindowTitle(ToQString("Programs List"));
    resize(883, 640);
    setFont(FormFont());

    trPrograms = std::make_unique<TIBTransaction>();
}
