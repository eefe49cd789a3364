#include "app/HeadlessExport.h"

#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "handover/DayCsv.h"
#include "handover/DayTable.h"
#include "platform/Cp1251.h"
#include "platform/Dialogs.h"
#include "platform/ErrorHandler.h"
#include "platform/FormatSettings.h"
#include "platform/QtFormatSettings.h"
#include "platform/QtTimer.h"
#include "platform/ReplacingFile.h"
#include "schedule/ChannelSettings.h"
#include "schedule/StoredDay.h"
#include "schedule/StoredGuide.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

// What would have been shown is kept instead: the first message is the one the job reports.
class FirstMessage : public Dialogs {
public:
    ModalResult MessageBox(const std::string& text, const std::string&, MessageIcon,
                           MessageButtons) override {
        if (first_.empty()) first_ = text;
        return mrCancel;
    }
    bool OpenFile(OpenFileRequest&) override { return false; }
    int ShowModal(QWidget&) override { return mrCancel; }
    const std::string& Text() const { return first_; }

private:
    std::string first_;
};

// The job's standard error is its report: Qt's notes on the environment would crowd it.
void KeepOnlyQtErrors(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().data());
}

int Fail(const std::string& cp1251) {
    std::string line = Cp1251ToUtf8(cp1251);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    std::fprintf(stderr, "skedora: %s\n", line.c_str());
    return 1;
}

std::string ExportBytes(const TExportRequest& request, TIBQuery& query) {
    TChannelSettings channel = ReadChannelSettings();
    if (request.timeZone) channel.TimeZone = *request.timeZone;
    switch (request.form) {
    case TExportRequest::Form::Xmltv:
        return StoredGuide(query, request.first, request.last, channel);
    case TExportRequest::Form::Pdf:
        return DayTablePdf(ReadStoredDay(query, request.first), channel.DisplayName).toStdString();
    case TExportRequest::Form::Csv:
        break;
    }
    return DayCsv(ReadStoredDay(query, request.first));
}

void WriteWholeFile(const std::string& fileName, const std::string& bytes) {
    TReplacingFile file(fileName);
    file.Write(bytes);
    file.Commit();
}

} // namespace

int RunHeadlessExport(const TCommandLine& commandLine, const TDatabasePlace& place, int& argc,
                      char** argv) {
    // The printed table needs fonts, which come with a platform; this one needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepOnlyQtErrors);
    QGuiApplication application(argc, argv);
    DefaultFormatSettings() = ReadSystemFormatSettings();
    FirstMessage messages;
    SetAppDialogs(&messages);
    InstallQtTimers();
    SetApplicationTitle("Skedora");
    try {
        TDatabasePlace placeOfRun = place;
        if (!commandLine.database.empty()) placeOfRun.server = commandLine.database;
        TmodData data(placeOfRun);
        if (!data.IBDatabase->Connected())
            return Fail(messages.Text().empty() ? "Could not connect to the database."
                                                : messages.Text());
        const TExportRequest& request = commandLine.exportRequest;
        WriteWholeFile(Utf8ToCp1251(request.file), ExportBytes(request, *data.qryTemp));
        return 0;
    } catch (const std::exception& error) {
        return Fail(error.what());
    }
}
