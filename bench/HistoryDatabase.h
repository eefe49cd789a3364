#pragma once

#include "data/mData.h"
#include "platform/DateTime.h"
#include "schedule/Main.h"

#include <memory>
#include <optional>
#include <string>

// The main window on a database, bound to the data module as start-up binds them, shown.
struct MainWindowOn {
    explicit MainWindowOn(const std::string& file);

    TfrmMain window;
    std::unique_ptr<TmodData> data;
};

// One size of history: a copy of its database in a temporary folder of its own, so that the
// steps leave the original as it was, and the main window on the copy, each made when first
// needed and removed by Release.
class HistoryDatabase {
public:
    HistoryDatabase(std::string name, std::string original);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    const std::string& Name() const { return name_; }
    // The copy's folder, for the files the steps read and write.
    const std::string& Folder();
    // Showing the latest stored date when made, as the application starts.
    MainWindowOn& Main();
    // The copy with no attachment of this process, for the application to open.
    const std::string& DetachedCopy();
    void Release();

    // Read once from the original's copy: the latest date broadcasts are stored under, and an
    // identifier no programme had, a new one at each call.
    TDateTime LatestDate();
    int NewProgrammeId();

private:
    void MakeCopy();
    void ReadFacts();

    std::string name_;
    std::string original_;
    std::string folder_;
    std::string copy_;
    std::unique_ptr<MainWindowOn> main_;
    std::optional<TDateTime> latestDate_;
    int lastProgrammeId_ = 0;
};
