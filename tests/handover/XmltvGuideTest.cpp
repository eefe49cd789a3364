#include "handover/XmltvGuide.h"

#include "handover/LanguageCode.h"
#include "platform/Cp1251.h"
#include "support/Command.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

TGuideRow Row(TDateTime stored, int position, int startMinute, int minutes, int id,
              const std::string& series = "", const std::string& name = "",
              const std::string& language = "", const std::string& description = "") {
    return {.StoredDate = stored,
            .Position = position,
            .StartTime = startMinute / 1440.0,
            .Duration = minutes / 1440.0,
            .ProgramId = id,
            .ProgramExists = true,
            .SeriesName = Utf8ToCp1251(series),
            .ProgramName = Utf8ToCp1251(name),
            .Language = Utf8ToCp1251(language),
            .Description = Utf8ToCp1251(description)};
}

constexpr int H(int hour, int minute = 0) {
    return hour * 60 + minute;
}

// The validator's exit code and report. XMLTV_SUPPLEMENT makes it read the DTD installed with it
// instead of fetching it from the network.
CommandResult Validate(const std::string& xml) {
    const QString tool = QStandardPaths::findExecutable("tv_validate_file");
    EXPECT_FALSE(tool.isEmpty()) << "setup installs xmltv-util";
    EXPECT_TRUE(std::ifstream("/usr/share/xmltv/xmltv.dtd").good());
    QTemporaryDir dir;
    const std::string file = dir.filePath("guide.xml").toStdString();
    std::ofstream(file, std::ios::binary) << xml;
    return RunCommand("XMLTV_SUPPLEMENT=/usr/share/xmltv " + tool.toStdString() + " " + file +
                      " 2>&1");
}

struct Listed {
    std::string Start, Stop, Title, Lang, SubTitle, Description;
    bool operator==(const Listed&) const = default;
};

struct Guide {
    std::string Generator, DisplayName;
    std::vector<Listed> Programmes;
};

// The fields a guide reader takes, read back as it would.
Guide ReadBack(const std::string& xml) {
    Guide guide;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attribute = [&](const char* name) {
            return reader.attributes().value(name).toString().toStdString();
        };
        const auto name = reader.name();
        if (name == u"tv") guide.Generator = attribute("generator-info-name");
        if (name == u"programme")
            guide.Programmes.push_back({attribute("start"), attribute("stop"), "", "", "", ""});
        if (name == u"title") guide.Programmes.back().Lang = attribute("lang");
        std::string* text = name == u"display-name" ? &guide.DisplayName
                            : name == u"title"      ? &guide.Programmes.back().Title
                            : name == u"sub-title"  ? &guide.Programmes.back().SubTitle
                            : name == u"desc"       ? &guide.Programmes.back().Description
                                                    : nullptr;
        if (text) *text = reader.readElementText().toStdString();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return guide;
}

const TGuideChannel kChannel = {.Id = "bnt1.bg", .DisplayName = "БНТ 1 & \"Пловдив\""};

} // namespace

TEST(XmltvGuide, ADayOfThreePositionsPassesTheValidatorAndReadsBack) {
    const TDateTime d = EncodeDate(2024, 5, 10);
    TGuideRow deleted = Row(d, 1, H(10), 60, 4, "Стара серия", "", "Български", "Няма я");
    deleted.ProgramExists = false;
    std::vector<TGuideRow> rows = {
        Row(d, 2, H(12), 15, 5, "\u00A0 ", "", "Български"),
        Row(d, 0, H(23, 30), 90, 3, "Кино ]]>", "Филм \"Нощ\"", "Клингонски", "a"),
        deleted,
        Row(d, 0, H(7), 45, 2, "", "Tom & Jerry <1>", "english", " \t"),
        Row(d, 0, H(6), 30, 1, "Новини", "Сутрешна емисия", "Български", "Времето & пътищата"),
    };
    rows[1].Description += "\x01"
                           "b\x98"
                           "c\x7F";
    const std::string xml = XmltvGuide(RowsOnTheAir(rows, d, d + 2), kChannel,
                                       QTimeZone("Europe/Sofia"), "2.1 <\"rc\">");
    const CommandResult verdict = Validate(xml);
    EXPECT_EQ(verdict.exitCode, 0) << verdict.output;

    const Guide guide = ReadBack(xml);
    EXPECT_EQ(guide.Generator, "Skedora 2.1 <\"rc\">");
    EXPECT_EQ(guide.DisplayName, kChannel.DisplayName);
    const std::vector<Listed> expected = {
        {"20240510060000 +0300", "20240510063000 +0300", "Новини", "bg", "Сутрешна емисия",
         "Времето & пътищата"},
        {"20240510070000 +0300", "20240510074500 +0300", "Tom & Jerry <1>", "en", "", ""},
        {"20240510233000 +0300", "20240511010000 +0300", "Кино ]]>", "", "Филм \"Нощ\"", "abc"},
        {"20240511100000 +0300", "20240511110000 +0300", "Program №4", "", "", ""},
        {"20240512120000 +0300", "20240512121500 +0300", "Program №5", "", "", ""},
    };
    EXPECT_EQ(guide.Programmes, expected);
    EXPECT_NE(xml.find("<length units=\"minutes\">90</length>"), std::string::npos);

    // The validator must be able to fail: the first programme's length moved before its title.
    std::string misordered = xml;
    const size_t title = misordered.find("    <title");
    const size_t length = misordered.find("    <length");
    const size_t lengthEnd = misordered.find('\n', length) + 1;
    const std::string lengthLine = misordered.substr(length, lengthEnd - length);
    misordered.erase(length, lengthEnd - length);
    misordered.insert(title, lengthLine);
    const CommandResult rejected = Validate(misordered);
    EXPECT_NE(rejected.exitCode, 0);
    EXPECT_NE(rejected.output.find("got (length title"), std::string::npos) << rejected.output;
}

// Each day of the week stored on its own. On the day of the change a broadcast starts in the
// hour that changes, one just after it, and the night block spans the change.
TEST(XmltvGuide, WeeksHoldingAChangeOfOffset) {
    const struct {
        TDateTime monday;
        std::vector<std::vector<std::string>> night; // start, stop, title in guide order
    } weeks[] = {
        {EncodeDate(2010, 3, 22),
         {{"20100328023000 +0200", "20100328053000 +0300", "02:30"},
          {"20100328041000 +0300", "20100328043000 +0300", "04:10"},
          {"20100328043000 +0300", "20100328050000 +0300", "03:30"}}},
        {EncodeDate(2010, 10, 25),
         {{"20101031023000 +0300", "20101031033000 +0200", "02:30"},
          {"20101031033000 +0300", "20101031030000 +0200", "03:30"},
          {"20101031041000 +0200", "20101031043000 +0200", "04:10"}}},
    };
    for (const auto& week : weeks) {
        std::vector<TGuideRow> rows;
        for (int day = 0; day < 7; ++day) {
            rows.push_back(Row(week.monday + day, 0, H(2, 30), 120, 1, "02:30"));
            rows.push_back(Row(week.monday + day, 0, H(21), 30, 2, "Новини"));
        }
        rows.push_back(Row(week.monday + 6, 0, H(3, 30), 30, 3, "03:30"));
        rows.push_back(Row(week.monday + 6, 0, H(4, 10), 20, 4, "04:10"));
        const std::string xml = XmltvGuide(RowsOnTheAir(rows, week.monday, week.monday + 6),
                                           kChannel, QTimeZone("Europe/Sofia"), "2");
        const CommandResult verdict = Validate(xml);
        EXPECT_EQ(verdict.exitCode, 0) << verdict.output;

        const std::vector<Listed> listed = ReadBack(xml).Programmes;
        EXPECT_EQ(listed.size(), rows.size());
        std::vector<std::vector<std::string>> night;
        for (const Listed& p : listed)
            if (p.Start.starts_with(week.night[0][0].substr(0, 8)) && p.Title != "Новини")
                night.push_back({p.Start, p.Stop, p.Title});
        EXPECT_EQ(night, week.night);
    }
}

TEST(XmltvGuide, RowsOnTheAirTakeEachAirDateFromItsLatestStoredDate) {
    const TDateTime d = EncodeDate(2024, 5, 10);
    const struct {
        const char* name;
        std::vector<TGuideRow> rows;
        TDateTime first, last;
        std::vector<int> ids;
    } cases[] = {
        {"a day saved again overrides the position of an earlier one",
         {Row(d, 1, H(9), 30, 1), Row(d + 1, 0, H(8), 30, 2), Row(d + 1, 0, H(7), 30, 3)},
         d + 1,
         d + 1,
         {3, 2}},
        {"a day stored before the first date reaches in through its positions",
         {Row(d - 2, 2, H(9), 30, 1), Row(d - 2, 0, H(9), 30, 2), Row(d - 1, 0, H(9), 30, 3)},
         d,
         d,
         {1}},
        {"an import of several days, one of them saved again, lists no day twice",
         {Row(d, 2, H(6), 30, 3), Row(d, 1, H(6), 30, 2), Row(d, 0, H(22), 30, 1),
          Row(d, 3, H(6), 30, 5), Row(d + 1, 0, H(20), 30, 4), Row(d, 0, H(5), 30, 6)},
         d,
         d + 2,
         {6, 1, 4, 3}},
    };
    for (const auto& c : cases) {
        std::vector<int> ids;
        for (const TGuideRow& row : RowsOnTheAir(c.rows, c.first, c.last))
            ids.push_back(row.ProgramId);
        EXPECT_EQ(ids, c.ids) << c.name;
    }
}

TEST(XmltvGuide, LanguagesAreTheNamesAndCodesQtKnows) {
    const std::pair<const char*, const char*> cases[] = {
        {"Български", "bg"}, {"БЪЛГАРСКИ", "bg"}, {"Bulgarian", "bg"},
        {"english", "en"},   {" Deutsch ", "de"}, {"BG", "bg"},
        {"eng", "en"},       {"Клингонски", ""},  {"", ""},
        {"C", ""},
    };
    for (const auto& [name, code] : cases)
        EXPECT_EQ(LanguageCode(Utf8ToCp1251(name)), code) << name;
}

// Each id on a line of its own, so the lines the validator names tell which it refused.
TEST(XmltvGuide, ChannelIdsAreThoseTheValidatorTakes) {
    const std::pair<const char*, bool> cases[] = {
        {"bnt1.bg", true}, {"a-b.c-d.e", true}, {"-.-", true},   {"nodot", false},
        {".bg", false},    {"bnt.", false},     {"a..b", false}, {"a_b.bg", false},
        {"a b.bg", false}, {"ä.bg", false},     {"", false},
    };
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM "
                      "\"xmltv.dtd\">\n<tv>\n";
    std::set<int> refused;
    int line = 4;
    for (const auto& [id, valid] : cases) {
        EXPECT_EQ(IsValidChannelId(id), valid) << id;
        xml += std::string("<channel id=\"") + id + "\"><display-name>x</display-name></channel>\n";
        if (!valid) refused.insert(line);
        ++line;
    }
    const std::string report = Validate(xml + "</tv>\n").output;
    std::set<int> named;
    std::istringstream lines(report);
    for (std::string text; std::getline(lines, text);) {
        int number = 0, used = 0;
        if (std::sscanf(text.c_str(), "Line %d Invalid channel-id%n", &number, &used) == 1 &&
            used > 0)
            named.insert(number);
    }
    EXPECT_EQ(named, refused) << report;
}
