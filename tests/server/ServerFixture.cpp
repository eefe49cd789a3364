#include "server/ServerFixture.h"

#include "catalogue/ProgramFilter.h"
#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "support/TestApplication.h"
#include "support/grid/RecordGrid.h"

#include <QAction>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
// Before the application binds the client library, which it does once per process.
[[maybe_unused]] const bool kFaultClientChosen =
    setenv("SKEDORA_CLIENT_LIBRARY", SKEDORA_FAULT_CLIENT, 0) == 0;
} // namespace

PrivateServer& Server() {
    static PrivateServer server(kApplicationPassword);
    return server;
}

ServerFixture::ServerFixture() : savedSettings_(DefaultFormatSettings()) {
    TestApplication();
    DefaultFormatSettings().TimeSeparator = ':';
    DefaultFormatSettings().LongTimeFormat = "hh:mm:ss";
    DefaultFormatSettings().DateSeparator = '-';
    DefaultFormatSettings().ShortDateFormat = "yyyy/mm/dd";
}

ServerFixture::~ServerFixture() {
    app_.reset();
    DefaultFormatSettings() = savedSettings_;
}

void ServerFixture::TearDown() {
    app_.reset();
    Server().Start();
}

void ServerFixture::StartOnServer(const std::string& sql, int dialect) {
    database_ = std::make_unique<TempDatabase>(sql, dialect);
    StartWith(Server().ConnectionString(database_->Path()));
}

void ServerFixture::StartWith(const std::string& server) {
    if (!database_) database_ = std::make_unique<TempDatabase>();
    std::ofstream(FileInFolder("SQL.ini")) << "[DATABASE]\nSERVER=" << server << "\n";
    app_ = CreateApplicationObjects(FileInFolder(""));
}

std::string ServerFixture::FileInFolder(const std::string& name) const {
    return database_->Folder() + "/" + name;
}

void ServerFixture::AddPrograms(const std::string& ids) {
    dialogs_.AnswerWith([ids](const DialogCall& call) {
        // No picker when its list could not be read: this answers the error box instead.
        if (call.Kind != DialogKind::ShowModal) return static_cast<int>(mrOk);
        auto& picker = static_cast<TfrmProgramFilter&>(*call.Window);
        TIBQuery& list = *picker.qryPrograms;
        const std::string wanted = "," + ids + ",";
        for (list.First(); !list.AtEnd(); list.Next())
            if (wanted.find("," + list.Field("NPROGRAM_ID").AsString() + ",") != std::string::npos)
                picker.grdPrograms->SelectedBookmarks().SetCurrentRowSelected(true);
        picker.btnSelect->click();
        return picker.result();
    });
    app_->main->actAddProgram->trigger();
}

void ServerFixture::Save() {
    app_->main->actSave->trigger();
}

std::string ServerFixture::ExportTo(const std::string& fileName) {
    dialogs_.AnswerFile(fileName);
    app_->main->actExport->trigger();
    return ReadBytes(fileName);
}

std::vector<std::string> ServerFixture::StoredRows() const {
    std::istringstream output(Server().Isql(
        database_->Path(), "SET HEADING OFF;\nSELECT NPROGRAM_ID || ' ' || DSTART_DATE || ' ' || "
                           "TSTART_TIME FROM PROGRAM_TIMELINE ORDER BY DSTART_DATE, TSTART_TIME;"));
    std::vector<std::string> rows;
    for (std::string line; std::getline(output, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        if (!line.empty()) rows.push_back(line);
    }
    return rows;
}

bool ServerFixture::Connected() const {
    return app_->data->IBDatabase->Connected();
}

int ServerFixture::PlannerItems() const {
    return app_->main->Planner1->Items().Count();
}

std::string ReadBytes(const std::string& fileName) {
    std::ifstream stream(fileName, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

std::string Broadcast(int id, const std::string& date, const std::string& start) {
    return "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, TSTART_TIME, TDURATION) "
           "VALUES (" +
           std::to_string(id) + ", '" + date + "', '" + start + "', '00:30');\n";
}

std::string CatalogueAndDay() {
    return "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, SLANGUAGE, FDURATION) "
           "VALUES (1, 'News', 'Daily', 'BG', '00:30');\n"
           "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, SLANGUAGE, FDURATION) "
           "VALUES (2, 'Weather', 'Daily', 'EN', '00:45');\n"
           "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, SLANGUAGE, FDURATION) "
           "VALUES (3, 'Film', 'Cinema', 'BG', '01:00');\n" +
           Broadcast(1, "2010-06-17", "10:00");
}
