#include "schedule/MainWindowFixture.h"

#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/ErrorHandler.h"
#include "schedule/Main.h"
#include "support/Command.h"
#include "support/OwnConnection.h"
#include "support/TestApplication.h"

#include <QAction>
#include <filesystem>
#include <fstream>
#include <sstream>

MainWindowFixture::MainWindowFixture() : savedSettings_(DefaultFormatSettings()) {
    TestApplication();
    SetApplicationTitle("Skedora");
    DefaultFormatSettings().TimeSeparator = ':';
    DefaultFormatSettings().LongTimeFormat = "hh:mm:ss";
    DefaultFormatSettings().DateSeparator = '-';
    DefaultFormatSettings().ShortDateFormat = "yyyy/mm/dd";
}

MainWindowFixture::~MainWindowFixture() {
    data_.reset();
    window_.reset();
    DefaultFormatSettings() = savedSettings_;
}

void MainWindowFixture::Start(const std::string& sql) {
    database_ = std::make_unique<TempDatabase>(sql);
    std::ofstream(FileInFolder("SQL.ini")) << "[DATABASE]\nSERVER=" << database_->Path() << "\n";
    window_ = std::make_unique<TfrmMain>();
    data_ = std::make_unique<TmodData>(FileInFolder(""),
                                       [this](TmodData& data) { window_->BindDataModule(data); });
    ASSERT_TRUE(dialogs_.Calls().empty()) << dialogs_.Messages().front();
}

std::string MainWindowFixture::FileInFolder(const std::string& name) const {
    return std::filesystem::path(database_->Path()).parent_path().string() + "/" + name;
}

std::string MainWindowFixture::ExportTo(const std::string& fileName) {
    dialogs_.AnswerFile(fileName);
    window_->actExport->trigger();
    return ReadBytes(fileName);
}

// A connection of its own, so what it reads is what the server committed, not what the window's
// attachment holds.
std::vector<std::string> MainWindowFixture::StoredRows(const std::string& where) {
    OwnConnection reader(database_->Path(), data_->IBDatabase->Params());
    TIBQuery& query = reader.Query;
    query.SetSQL({"select nprogram_id, dstart_date, dend_date, tstart_time, tend_time, tduration",
                  "from program_timeline " + where,
                  "order by dstart_date, tstart_time, nprogram_id"});
    std::vector<std::string> rows;
    for (query.Open(); !query.AtEnd(); query.Next()) {
        std::string row = query.Fields(0).AsString();
        for (int i = 1; i < query.FieldCount(); ++i)
            row += " " + (query.Fields(i).IsNull() ? "-" : query.Fields(i).AsString());
        rows.push_back(row);
    }
    return rows;
}

std::string Programme(int id, const std::string& name, const std::string& series,
                      const std::string& language, const std::string& duration) {
    return "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, SLANGUAGE, FDURATION) "
           "VALUES (" +
           std::to_string(id) + ", '" + name + "', '" + series + "', '" + language + "', '" +
           duration + "');\n";
}

std::string Broadcast(int id, const std::string& date, const std::string& start,
                      const std::string& duration) {
    return "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, TSTART_TIME, TDURATION) "
           "VALUES (" +
           std::to_string(id) + ", '" + date + "', '" + start + "', '" + duration + "');\n";
}

std::string ReadBytes(const std::string& fileName) {
    std::ifstream stream(fileName, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()) << "text after the last CR LF";
    return lines;
}

int XmlLint(const std::string& fileName) {
    const CommandResult result = RunCommand("xmllint --noout '" + fileName + "' 2>&1");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.exitCode;
}

std::string XPathString(const std::string& fileName, const std::string& expression) {
    std::string value =
        RunCommand("xmllint --xpath 'string(" + expression + ")' '" + fileName + "' 2>/dev/null")
            .output;
    if (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
}
