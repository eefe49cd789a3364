#include "app/Startup.h"

#include "app/CommandLine.h"
#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "data/mData.h"
#include "db/IBDatabase.h"
#include "platform/ErrorHandler.h"
#include "platform/HandledAction.h"
#include "schedule/Main.h"

TStartup::~TStartup() {
    programFilter.reset();
    data.reset();
    programs.reset();
    main.reset();
}

namespace {

// A start-up attach that failed has said so once; nothing more is tried.
void OpenFirstDay(TfrmMain& main, const TmodData& data, const std::vector<std::string>& arguments) {
    RunHandled([&] {
        if (const auto date = ScheduleDateArgument(arguments)) main.SetScheduleDate(*date);
    });
    if (data.IBDatabase->Connected()) RunHandled([&] { main.OpenStoredDay(); });
}

} // namespace

std::unique_ptr<TStartup> CreateApplicationObjects(const std::string& configFolder,
                                                   const std::vector<std::string>& arguments,
                                                   const TmodData::BindWindows& afterBinding) {
    SetApplicationTitle("Skedora");
    auto objects = std::make_unique<TStartup>();
    objects->main = std::make_unique<TfrmMain>();
    objects->programs = std::make_unique<TfrmPrograms>();
    objects->data = std::make_unique<TmodData>(configFolder, [&](TmodData& data) {
        objects->main->BindDataModule(data);
        objects->programs->BindDataModule(data);
        if (afterBinding) afterBinding(data);
    });
    if (objects->data->HaltRequested()) return objects;
    objects->programFilter = std::make_unique<TfrmProgramFilter>();
    objects->programFilter->BindDataModule(*objects->data);
    OpenFirstDay(*objects->main, *objects->data, arguments);
    return objects;
}
