#include "schedule/Main.h"

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/HeadlessExport.h"
#include "app/Startup.h"
#include "app/TerminationSignals.h"
#include "data/mData.h"
#include "platform/AppFolders.h"
#include "platform/ErrorHandler.h"
#include "platform/FormatSettings.h"
#include "platform/ProcessInfo.h"
#include "platform/QtDialogs.h"
#include "platform/QtFormatSettings.h"
#include "platform/QtTimer.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    BlockTerminationSignals();
    // Read before the application object, which needs a display: --help works without one.
    const TCommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    const bool exports = commandLine.request == TCommandLine::Request::Export;
    if (commandLine.request != TCommandLine::Request::Run && !exports)
        return AnswerWithoutWindow(commandLine);
    const std::string executableFolder = ExecutableFolder();
    if (InstalledDataFolder(executableFolder)) UsePerUserEngineLock();
    if (exports)
        return RunHeadlessExport(commandLine, DatabasePlaceOf(executableFolder), argc, argv);
    TApplication application(argc, argv);
    SetApplicationIdentity();
    QtDialogs dialogs;
    SetAppDialogs(&dialogs);
    InstallQtTimers();
    DefaultFormatSettings() = ReadSystemFormatSettings();
    try {
        auto objects = CreateApplicationObjects(DatabasePlaceOf(executableFolder), commandLine);
        if (objects->data->HaltRequested()) return 0;
        objects->main->show();
        QuitOnTerminationSignals();
        return application.exec();
    } catch (const std::exception& error) {
        return ShowApplicationError(error);
    }
}
