#include "schedule/MainWindowFixture.h"

#include "app/ErrorHandler.h"
#include "app/mData.h"
#include "schedule/Main.h"

#include <QAction>
#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "schedule_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

std::string Run(const std::string& command, int* status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    *status = pclose(pipe);
    return output;
}

} // namespace

MainWindowFixture::MainWindowFixture() : savedSettings_(DefaultFormatSettings()) {
    Application();
    SetApplicationTitle("Skedora");
    DefaultFormatSettings().TimeSeparator = ':';
    DefaultFormatSettings().LongTimeFormat = "hh:mm:ss";
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
    data_ = std::make_unique<TmodData>(FileInFolder(""));
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
    int status = 0;
    const std::string output = Run("xmllint --noout '" + fileName + "' 2>&1", &status);
    EXPECT_EQ(status, 0) << output;
    return status;
}

std::string XPathString(const std::string& fileName, const std::string& expression) {
    int status = 0;
    std::string value =
        Run("xmllint --xpath 'string(" + expression + ")' '" + fileName + "' 2>/dev/null", &status);
    if (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
}
