#pragma once

#include "platform/DateTime.h"

#include <optional>
#include <string>
#include <vector>

// What the command line asks of this run. The options are declared in one place, shared by the
// window and by the runs that need none.
// An export run without a window: the file written and the stored days it holds.
struct TExportRequest {
    enum class Form { Xmltv, Pdf, Csv };
    Form form = Form::Xmltv;
    std::string file;    // the argument's bytes
    TDateTime first = 0; // the XMLTV range; the one date of the PDF and CSV
    TDateTime last = 0;
    std::optional<std::string> timeZone; // --time-zone, instead of the settings' zone
};

struct TCommandLine {
    enum class Request { Run, Help, Version, UsageError, Export };
    Request request = Request::Run;
    // --date's value, checked when the main window takes it (ScheduleDateOf).
    std::optional<std::string> date;
    // --database: the connection string for this run, instead of SQL.ini's.
    std::string database;
    // For Export: what to write.
    TExportRequest exportRequest;
    // For UsageError: what was wrong, in one line.
    std::string error;
};

// Reads the arguments, the program's name first (Qt's own options such as -platform are given
// through their environment variables instead). Option values keep the arguments' bytes.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints: the usage line and every option.
std::string UsageText();
// The text --version prints.
std::string VersionText();

// The schedule date asked for with --date YYYY-MM-DD, none without the option. A value that
// names no date raises EConvertError saying what was expected.
std::optional<TDateTime> ScheduleDateOf(const TCommandLine& commandLine);

// Answers a request that opens no window: --help and --version on standard output (exit code 0),
// a usage error on standard error followed by the usage (exit code 2).
int AnswerWithoutWindow(const TCommandLine& commandLine);
