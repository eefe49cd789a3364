#pragma once

#include "data/mData.h"

#include <memory>
#include <string>
#include <vector>

class TfrmMain;
class TfrmPrograms;
class TfrmProgramFilter;

// The windows and the data module of one run, destroyed in reverse order of creation.
struct TStartup {
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<TfrmPrograms> programs;
    std::unique_ptr<TmodData> data;
    std::unique_ptr<TfrmProgramFilter> programFilter;

    ~TStartup();
};

// Start-up after the application object exists: title, then the main window, the catalogue
// window, the data module and the picker, in that order. The data module binds the two windows
// made before it, then runs afterBinding, before it connects. Stops after the data module when
// it asks the process to end. Errors escape to the caller.
// Then the main window shows the day given by "--date" among the arguments (or the form's
// date) and, when connected, opens the broadcasts stored under it; errors of these steps are
// shown and start-up goes on.
std::unique_ptr<TStartup> CreateApplicationObjects(const std::string& configFolder,
                                                   const std::vector<std::string>& arguments = {},
                                                   const TmodData::BindWindows& afterBinding = {});
