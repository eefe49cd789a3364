#include "app/FormFont.h"
#include "db/IBTransaction.h"
#include "platform/QtText.h"
#include "schedule/Main.h"

void TfrmMain::CreateForm() {
    setObjectName("frmMain");
    setWindowTitle(ToQString("Skedora"));
    resize(870, 640);
    setFont(FormFont());

    trPrograms = std::make_unique<TIBTransaction>();
}
