#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Request = TCommandLine::Request;

TEST(CommandLine, ReadsEachOptionAndNamesWhatIsWrong) {
    const struct {
        std::vector<std::string> arguments;
        Request request;
        std::optional<std::string> date;
        std::string database, error;
    } cases[] = {
        {{}, Request::Run, std::nullopt, "", ""},
        {{"--help"}, Request::Help, std::nullopt, "", ""},
        {{"-h"}, Request::Help, std::nullopt, "", ""},
        {{"--date", "2011-03-05", "-v"}, Request::Version, "2011-03-05", "", ""},
        {{"--date", ""}, Request::Run, "", "", ""},
        {{"--date=2011-3-5", "--database", "/data/Програми.fdb"},
         Request::Run,
         "2011-3-5",
         "/data/Програми.fdb",
         ""},
        {{"--database=dbhost/3051:/d/K.FDB"},
         Request::Run,
         std::nullopt,
         "dbhost/3051:/d/K.FDB",
         ""},
        {{"--bogus"}, Request::UsageError, std::nullopt, "", "Unknown option 'bogus'."},
        {{"-platform", "offscreen"},
         Request::UsageError,
         std::nullopt,
         "",
         "Unknown option 'platform'."},
        {{"--date"}, Request::UsageError, std::nullopt, "", "Missing value after '--date'."},
        {{"--database"},
         Request::UsageError,
         std::nullopt,
         "",
         "Missing value after '--database'."},
        {{"today"}, Request::UsageError, std::nullopt, "", "Unexpected argument 'today'."},
    };
    for (const auto& test : cases) {
        std::vector<std::string> arguments = test.arguments;
        arguments.insert(arguments.begin(), "skedora");
        const TCommandLine line = ParseCommandLine(arguments);
        const std::string name = test.arguments.empty() ? "(none)" : test.arguments[0];
        EXPECT_EQ(line.request, test.request) << name;
        EXPECT_EQ(line.date, test.date) << name;
        EXPECT_EQ(line.database, test.database) << name;
        EXPECT_EQ(line.error, test.error) << name;
    }
}

} // namespace
