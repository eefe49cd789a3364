#include "app/CommandLine.h"

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
    QCommandLineOption date{kDate, QStringLiteral("Open that day instead of the form's day."),
                            QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption database{
        kDatabase,
        QStringLiteral("Use the database <server> for this run instead of SQL.ini's SERVER: a "
                       "file path, host:path or host/port:path."),
        QStringLiteral("server")};

    Options() {
        parser.setApplicationDescription(
            QStringLiteral("Skedora: a TV channel's programme catalogue and day broadcast "
                           "planner."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help, version, date, database});
    }
};

TDateTime ParseIsoDay(const std::string& text) {
    int year = 0, month = 0, day = 0, used = 0;
    TDateTime date = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) != 3 ||
        used != static_cast<int>(text.size()) || text.size() != 10 ||
        !TryEncodeDate(year, month, day, date))
        throw EConvertError("Invalid --date \"" + text +
                            "\": expected a date as YYYY-MM-DD; the form's date is used");
    return date;
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
    TCommandLine result;
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
        break;
    }
    return 0;
}
