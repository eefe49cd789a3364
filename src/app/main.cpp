#include "schedule/Main.h"

#include "app/Application.h"
#include "app/Startup.h"
#include "app/TerminationSignals.h"
#include "data/mData.h"
#include "platform/ErrorHandler.h"
#include "platform/FormatSettings.h"
#include "platform/ProcessInfo.h"
#include "platform/QtDialogs.h"
#include "platform/QtFormatSettings.h"
#include "platform/QtTimer.h"

#include <QCoreApplication>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    BlockTerminationSignals();
    TApplication application(argc, argv);
    QtDialogs dialogs;
    SetAppDialogs(&dialogs);
    InstallQtTimers();
    DefaultFormatSettings() = ReadSystemFormatSettings();
    try {
        std::vector<std::string> arguments;
        for (const QString& argument : QCoreApplication::arguments())
            arguments.push_back(argument.toStdString());
        auto objects = CreateApplicationObjects(ExecutableFolder(), arguments);
        if (objects->data->HaltRequested()) return 0;
        objects->main->show();
        QuitOnTerminationSignals();
        return application.exec();
    } catch (const std::exception& error) {
        return ShowApplicationError(error);
    }
}
