#include "schedule/Main.h"

#include "app/Application.h"
#include "app/Startup.h"
#include "data/mData.h"
#include "platform/ErrorHandler.h"
#include "platform/FormatSettings.h"
#include "platform/ProcessInfo.h"
#include "platform/QtDialogs.h"
#include "platform/QtFormatSettings.h"
#include "platform/QtTimer.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    QtDialogs dialogs;
    SetAppDialogs(&dialogs);
    InstallQtTimers();
    DefaultFormatSettings() = ReadSystemFormatSettings();
    try {
        auto objects = CreateApplicationObjects(ExecutableFolder());
        if (objects->data->HaltRequested()) return 0;
        objects->main->show();
        return application.exec();
    } catch (const std::exception& error) {
        return ShowApplicationError(error);
    }
}
