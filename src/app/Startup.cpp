#include "app/Startup.h"

#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "data/mData.h"
#include "db/IBDatabase.h"
#include "platform/AppFolders.h"
#include "platform/ErrorHandler.h"
#include "platform/HandledAction.h"
#include "schedule/Main.h"

#include <QStatusBar>
#include <QString>

TStartup::~TStartup() {
    programFilter.reset();
    data.reset();
    programs.reset();
    main.reset();
}

namespace {

// A start-up attach that failed has said so once; nothing more is tried.
void OpenFirstDay(TfrmMain& main, const TmodData& data, const TCommandLine& commandLine) {
    RunHandled([&] {
        if (const auto date = ScheduleDateOf(commandLine)) main.SetScheduleDate(*date);
    });
    if (data.IBDatabase->Connected()) RunHandled([&] { main.OpenStoredDay(); });
}

void AnnounceCreatedDatabase(TfrmMain& main, const TmodData& data) {
    if (data.CreatedDatabase().empty()) return;
    main.statusBar()->showMessage(QStringLiteral("Created a new database at %1.")
                                      .arg(QString::fromLocal8Bit(data.CreatedDatabase())));
}

} // namespace

TDatabasePlace DatabasePlaceOf(const std::string& executableFolder) {
    const auto shared = InstalledDataFolder(executableFolder);
    if (!shared) return TDatabasePlace::InFolder(executableFolder);
    TDatabasePlace place;
    place.iniFiles = {UserConfigFolder() + "SQL.ini", SystemConfigFolder() + "SQL.ini"};
    place.defaultDatabase = UserDataFolder() + "KORVEN.FDB";
    place.schemaFile = *shared + "schema.sql";
    return place;
}

std::unique_ptr<TStartup> CreateApplicationObjects(const std::string& configFolder,
                                                   const std::vector<std::string>& arguments,
                                                   const TmodData::BindWindows& afterBinding) {
    return CreateApplicationObjects(TDatabasePlace::InFolder(configFolder),
                                    ParseCommandLine(arguments), afterBinding);
}

std::unique_ptr<TStartup> CreateApplicationObjects(const TDatabasePlace& place,
                                                   const TCommandLine& commandLine,
                                                   const TmodData::BindWindows& afterBinding) {
    SetApplicationTitle("Skedora");
    TDatabasePlace placeOfRun = place;
    if (!commandLine.database.empty()) placeOfRun.server = commandLine.database;
    auto objects = std::make_unique<TStartup>();
    objects->main = std::make_unique<TfrmMain>();
    objects->programs = std::make_unique<TfrmPrograms>();
    objects->data = std::make_unique<TmodData>(placeOfRun, [&](TmodData& data) {
        objects->main->BindDataModule(data);
        objects->programs->BindDataModule(data);
        if (afterBinding) afterBinding(data);
    });
    if (objects->data->HaltRequested()) return objects;
    objects->programFilter = std::make_unique<TfrmProgramFilter>();
    objects->programFilter->BindDataModule(*objects->data);
    OpenFirstDay(*objects->main, *objects->data, commandLine);
    AnnounceCreatedDatabase(*objects->main, *objects->data);
    return objects;
}
