#include "app/Startup.h"

#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "data/mData.h"
#include "platform/ErrorHandler.h"
#include "schedule/Main.h"

TStartup::~TStartup() {
    programFilter.reset();
    data.reset();
    programs.reset();
    main.reset();
}

std::unique_ptr<TStartup> CreateApplicationObjects(const std::string& configFolder,
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
    return objects;
}
