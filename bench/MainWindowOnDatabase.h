#pragma once

// The main window on a fresh database, as start-up binds them, for benchmarks of its actions.
#include "BenchApplication.h"
#include "data/mData.h"
#include "schedule/Main.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <fstream>
#include <memory>
#include <string>

struct MainWindowOnDatabase {
    explicit MainWindowOnDatabase(const std::string& sql) : database(sql) {
        std::ofstream(database.Folder() + "/SQL.ini") << "[DATABASE]\nSERVER=" << database.Path();
        data = std::make_unique<TmodData>(database.Folder() + "/",
                                          [this](TmodData& d) { window.BindDataModule(d); });
    }
    // The first message box shown, empty when none was.
    std::string FirstMessage() const {
        return dialogs.Messages().empty() ? std::string() : dialogs.Messages().front();
    }

    // Before any window.
    BenchApplication application;
    ScriptedDialogs dialogs;
    TempDatabase database;
    TfrmMain window;
    std::unique_ptr<TmodData> data;
};
