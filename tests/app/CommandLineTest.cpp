#include "app/CommandLine.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using Request = TCommandLine::Request;

TCommandLine Parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "skedora");
    return ParseCommandLine(arguments);
}

TEST(CommandLine, NoArgumentsRunsOnTheFormsDayAndSqlIni) {
    const TCommandLine line = Parse({});
    EXPECT_EQ(line.request, Request::Run);
    EXPECT_EQ(line.date, std::nullopt);
    EXPECT_EQ(line.database, "");
    EXPECT_EQ(ParseCommandLine({}).request, Request::Run);
}

TEST(CommandLine, HelpAndVersionInBothSpellings) {
    EXPECT_EQ(Parse({"--help"}).request, Request::Help);
    EXPECT_EQ(Parse({"-h"}).request, Request::Help);
    EXPECT_EQ(Parse({"--version"}).request, Request::Version);
    EXPECT_EQ(Parse({"-v"}).request, Request::Version);
    EXPECT_EQ(Parse({"--date", "2011-03-05", "--help"}).request, Request::Help);
}

TEST(CommandLine, DateAndDatabaseKeepTheirValues) {
    const TCommandLine line = Parse({"--date", "2011-3-5", "--database=dbhost/3051:/d/K.FDB"});
    EXPECT_EQ(line.request, Request::Run);
    EXPECT_EQ(line.date, "2011-3-5");
    EXPECT_EQ(line.database, "dbhost/3051:/d/K.FDB");
    EXPECT_EQ(Parse({"--date=2011-03-06"}).date, "2011-03-06");
    EXPECT_EQ(Parse({"--date", ""}).date, "");
    EXPECT_EQ(Parse({"--database", "/data/Програми.fdb"}).database, "/data/Програми.fdb");
}

TEST(CommandLine, UnknownOptionsMissingValuesAndArgumentsAreUsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "Unknown option 'bogus'."},
        {{"-platform", "offscreen"}, "Unknown option 'platform'."},
        {{"--date"}, "Missing value after '--date'."},
        {{"--database"}, "Missing value after '--database'."},
        {{"today"}, "Unexpected argument 'today'."},
    };
    for (const auto& [arguments, error] : cases) {
        const TCommandLine line = Parse(arguments);
        EXPECT_EQ(line.request, Request::UsageError) << arguments[0];
        EXPECT_EQ(line.error, error) << arguments[0];
    }
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string usage = UsageText();
    EXPECT_EQ(usage.rfind("Usage: skedora [options]\n", 0), 0u) << usage;
    for (const char* option :
         {"-h, --help", "-v, --version", "--date <YYYY-MM-DD>", "--database <server>"})
        EXPECT_NE(usage.find(option), std::string::npos) << option << "\n" << usage;
    EXPECT_EQ(VersionText(), std::string("skedora ") + SKEDORA_VERSION + "\n");
}

TEST(CommandLine, ScheduleDateIsReadOnlyWhenAskedFor) {
    EXPECT_EQ(ScheduleDateOf(Parse({})), std::nullopt);
    EXPECT_EQ(ScheduleDateOf(Parse({"--date", "2011-03-05"})), EncodeDate(2011, 3, 5));
    EXPECT_THROW(ScheduleDateOf(Parse({"--date", "2011-02-30"})), EConvertError);
}

} // namespace
