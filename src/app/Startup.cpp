#include "app/Startup.h"

#include "app/ErrorHandler.h"
#include "app/mData.h"
#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "schedule/Main.h"

TStartup::~TStartup() {
    programFilter.reset();
    data.reset();
    programs.reset();
    main.reset();
}

std::unique_ptr<TStartup> CreateApplicationObjects(const std::string& configFolder) {
    SetApplicationTitle("Skedora");
    auto objects = std::make_unique<TStartup>();
    objects->main = std::make_unique<TfrmMain>();
    frmMain = objects->main.get();
    objects->programs = std::make_unique<TfrmPrograms>();
    frmPrograms = objects->programs.get();
    objects->data = std::make_unique<TmodData>(configFolder);
    if (objects->data->HaltRequested()) return objects;
    objects->programFilter = std::make_unique<TfrmProgramFilter>();
    frmProgramFilter = objects->programFilter.get();
    return objects;
}
