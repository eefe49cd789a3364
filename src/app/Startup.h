#pragma once

#include "app/CommandLine.h"
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
// made before it, then runs afterBinding, before it connects to the database of the place (or
// the command line's --database). Stops after the data module when it asks the process to end.
// Errors escape to the caller.
// Then the main window shows the day given by --date (or the form's date) and, when connected,
// opens the broadcasts stored under it; errors of these steps are shown and start-up goes on. A
// database the data module created is named once in the main window's status bar.
std::unique_ptr<TStartup> CreateApplicationObjects(const TDatabasePlace& place,
                                                   const TCommandLine& commandLine,
                                                   const TmodData::BindWindows& afterBinding = {});
// The same for SQL.ini and KORVEN.FDB in configFolder, with the arguments read as the command
// line (a usage error among them is ignored).
std::unique_ptr<TStartup> CreateApplicationObjects(const std::string& configFolder,
                                                   const std::vector<std::string>& arguments = {},
                                                   const TmodData::BindWindows& afterBinding = {});

// Where a run of the executable in that folder finds SQL.ini and its database. Ordinarily
// both beside the executable; for an installed layout (InstalledDataFolder), SQL.ini in the
// user's configuration folder, then in the system's, and by default the user's own
// KORVEN.FDB in the user's data folder, created from the shipped schema when missing.
TDatabasePlace DatabasePlaceOf(const std::string& executableFolder);
