#include "app/CommandLine.h"

#include "handover/ZoneTime.h"
#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

#ifndef SKEDORA_VERSION
#error "SKEDORA_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace {

const QString kDate = QStringLiteral("date");
const QString kDatabase = QStringLiteral("database");

// The one declaration of the options; QCommandLineParser needs no application object for it.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption date{
        kDate,
        QStringLiteral("Open that day instead of the form's day; the day --export-pdf "
                       "and --export-csv write."),
        QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption database{
        kDatabase,
        QStringLiteral("Use the database <server> for this run instead of SQL.ini's SERVER: a "
                       "file path, host:path or host/port:path."),
        QStringLiteral("server")};

    QCommandLineOption exportXmltv{
        QStringLiteral("export-xmltv"),
        QStringLiteral(
            "Write the stored days --from .. --to as an XMLTV guide to <file> and exit."),
        QStringLiteral("file")};
    QCommandLineOption exportPdf{
        QStringLiteral("export-pdf"),
        QStringLiteral("Write the stored day --date as a PDF table to <file> and exit."),
        QStringLiteral("file")};
    QCommandLineOption exportCsv{
        QStringLiteral("export-csv"),
        QStringLiteral("Write the stored day --date as CSV to <file> and exit."),
        QStringLiteral("file")};
    QCommandLineOption from{QStringLiteral("from"),
                            QStringLiteral("The first air date of the XMLTV guide."),
                            QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption to{QStringLiteral("to"),
                          QStringLiteral("The last air date of the XMLTV guide."),
                          QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption timeZone{
        QStringLiteral("time-zone"),
        QStringLiteral("The IANA time zone of the guide's times instead of the settings' one."),
        QStringLiteral("name")};

    Options() {
        parser.setApplicationDescription(
            QStringLiteral("Skedora: a TV channel's programme catalogue and day broadcast "
                           "planner."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions(
            {help, version, date, database, exportXmltv, exportPdf, exportCsv, from, to, timeZone});
    }
};

std::optional<TDateTime> IsoDay(const std::string& text) {
    int year = 0, month = 0, day = 0, used = 0;
    TDateTime date = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) != 3 ||
        used != static_cast<int>(text.size()) || text.size() != 10 ||
        !TryEncodeDate(year, month, day, date))
        return std::nullopt;
    return date;
}

TDateTime ParseIsoDay(const std::string& text) {
    if (const auto date = IsoDay(text)) return *date;
    throw EConvertError("Invalid --date \"" + text +
                        "\": expected a date as YYYY-MM-DD; the form's date is used");
}

void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

TCommandLine UsageError(std::string error) {
    TCommandLine result;
    result.request = TCommandLine::Request::UsageError;
    result.error = std::move(error);
    return result;
}

std::string Local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// The date an option gives, or the reason it gives none.
std::optional<TDateTime> DateOption(const Options& options, const QCommandLineOption& option,
                                    std::string& error) {
    const std::string name = "--" + Local(option.names().first());
    if (!options.parser.isSet(option)) {
        error = name + " YYYY-MM-DD is needed with this export.";
        return std::nullopt;
    }
    const std::string text = Local(options.parser.value(option));
    const auto date = IsoDay(text);
    if (!date) error = "Invalid " + name + " \"" + text + "\": expected a date as YYYY-MM-DD.";
    return date;
}

std::optional<TExportRequest::Form> ExportForm(const Options& options, std::string& file,
                                               std::string& error) {
    const std::pair<const QCommandLineOption*, TExportRequest::Form> forms[] = {
        {&options.exportXmltv, TExportRequest::Form::Xmltv},
        {&options.exportPdf, TExportRequest::Form::Pdf},
        {&options.exportCsv, TExportRequest::Form::Csv}};
    std::optional<TExportRequest::Form> chosen;
    for (const auto& [option, form] : forms) {
        if (!options.parser.isSet(*option)) continue;
        if (chosen) error = "Give only one of --export-xmltv, --export-pdf and --export-csv.";
        chosen = form;
        file = Local(options.parser.value(*option));
    }
    return chosen;
}

// The export asked for, checked as far as the command line can be: dates that exist, a range
// in order, a known zone, and no option that belongs to another export.
TCommandLine ExportCommandLine(const Options& options, TExportRequest::Form form,
                               TExportRequest request) {
    std::string error;
    const bool xmltv = form == TExportRequest::Form::Xmltv;
    const QCommandLineOption& stray = xmltv ? options.date : options.from;
    if (options.parser.isSet(stray) || (!xmltv && options.parser.isSet(options.to)) ||
        (!xmltv && options.parser.isSet(options.timeZone)))
        return UsageError(xmltv ? "--date belongs to --export-pdf and --export-csv; the guide "
                                  "takes --from and --to."
                                : "--from, --to and --time-zone belong to --export-xmltv; this "
                                  "export takes --date.");
    const auto first = DateOption(options, xmltv ? options.from : options.date, error);
    const auto last = xmltv ? DateOption(options, options.to, error) : first;
    if (!error.empty()) return UsageError(error);
    if (*last < *first) return UsageError("--to comes before --from.");
    request.form = form;
    request.first = *first;
    request.last = *last;
    if (options.parser.isSet(options.timeZone)) {
        request.timeZone = Local(options.parser.value(options.timeZone));
        try {
            TimeZoneNamed(*request.timeZone);
        } catch (const EConvertError& error) {
            return UsageError(Cp1251ToUtf8(error.Message()));
        }
    }
    TCommandLine result;
    result.request = TCommandLine::Request::Export;
    result.exportRequest = std::move(request);
    return result;
}

// A run of the window, or the export the options ask for, or what is wrong with them.
TCommandLine RequestOf(const Options& options) {
    std::string error;
    TExportRequest request;
    const auto form = ExportForm(options, request.file, error);
    if (!error.empty()) return UsageError(error);
    if (form) return ExportCommandLine(options, *form, std::move(request));
    if (options.parser.isSet(options.from) || options.parser.isSet(options.to) ||
        options.parser.isSet(options.timeZone))
        return UsageError("--from, --to and --time-zone belong to --export-xmltv.");
    return {};
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    Options options;
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromLocal8Bit(argument);
    if (list.isEmpty()) list << QStringLiteral("skedora");
    if (!options.parser.parse(list)) return UsageError(options.parser.errorText().toStdString());
    const QStringList extra = options.parser.positionalArguments();
    if (!extra.isEmpty())
        return UsageError("Unexpected argument '" + extra.first().toStdString() + "'.");
    TCommandLine result = RequestOf(options);
    if (result.request == TCommandLine::Request::UsageError) return result;
    if (options.parser.isSet(options.help))
        result.request = TCommandLine::Request::Help;
    else if (options.parser.isSet(options.version))
        result.request = TCommandLine::Request::Version;
    if (options.parser.isSet(options.date))
        result.date = options.parser.value(options.date).toLocal8Bit().toStdString();
    result.database = options.parser.value(options.database).toLocal8Bit().toStdString();
    return result;
}

std::string UsageText() {
    Options options;
    return "Usage: skedora [options]\n" + options.parser.helpText().section(u'\n', 1).toStdString();
}

std::string VersionText() {
    return std::string("skedora ") + SKEDORA_VERSION + "\n";
}

std::optional<TDateTime> ScheduleDateOf(const TCommandLine& commandLine) {
    if (!commandLine.date) return std::nullopt;
    return ParseIsoDay(*commandLine.date);
}

int AnswerWithoutWindow(const TCommandLine& commandLine) {
    switch (commandLine.request) {
    case TCommandLine::Request::Help:
        Print(stdout, UsageText());
        return 0;
    case TCommandLine::Request::Version:
        Print(stdout, VersionText());
        return 0;
    case TCommandLine::Request::UsageError:
        Print(stderr, "skedora: " + commandLine.error + "\n" + UsageText());
        return 2;
    case TCommandLine::Request::Run:
    case TCommandLine::Request::Export:
        break;
    }
    return 0;
}
