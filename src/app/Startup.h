#pragma once

#include <memory>
#include <string>

class TfrmMain;
class TfrmPrograms;
class TmodData;
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
// window, the data module and the picker, in that order. Stops after the data module when it
// asks the process to end. Errors escape to the caller.
std::unique_ptr<TStartup> CreateApplicationObjects(const std::string& configFolder);
