#include "handover/DayTable.h"

#include "platform/Cp1251.h"
#include "platform/Format.h"
#include "support/Command.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Painting needs the process's one Gui application; it is kept to the end of the process.
void GuiApplication() {
    static int argc = 1;
    static char name[] = "handover_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QGuiApplication(argc, argv);
    ASSERT_NE(qGuiApp, nullptr);
}

TDateTime At(int hour, int minute, int second = 0) {
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

std::string Programme(int number) {
    return Format("Предаване %02d", number);
}

TDayBroadcast Broadcast(int position, TDateTime start, TDateTime end, const std::string& name) {
    return {.ProgramId = 1,
            .SeriesName = Utf8ToCp1251("Новини"),
            .ProgramName = Utf8ToCp1251(name),
            .Language = Utf8ToCp1251("Български"),
            .Start = start,
            .End = end,
            .Position = position};
}

struct PdfFile {
    PdfFile(const QByteArray& bytes, const std::string& name)
        : path(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()) + ".pdf")) {
        std::ofstream(path, std::ios::binary) << bytes.toStdString();
    }
    ~PdfFile() { fs::remove(path); }

    // The output of a poppler tool run on the file; the test fails when the tool fails or is
    // missing.
    std::string Run(const std::string& tool, const std::string& tail = "-") const {
        const CommandResult result = RunCommand(tool + " '" + path.string() + "' " + tail);
        EXPECT_EQ(result.exitCode, 0) << tool;
        return result.output;
    }
    int Pages() const {
        const std::string info = Run("pdfinfo", "");
        const size_t at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
    }
    // The text of each page as pdftotext lays it out.
    std::vector<std::string> PageTexts() const {
        std::vector<std::string> pages(1);
        for (char c : Run("pdftotext -layout"))
            if (c == '\f')
                pages.emplace_back();
            else
                pages.back().push_back(c);
        if (pages.back().empty()) pages.pop_back();
        return pages;
    }

    fs::path path;
};

// The page holding the text, -1 when none does.
int PageOf(const std::vector<std::string>& pages, const std::string& text) {
    for (size_t page = 0; page < pages.size(); ++page)
        if (pages[page].find(text) != std::string::npos) return static_cast<int>(page);
    return -1;
}

// The line holding `key` holds the fields too, in their order.
void ExpectRow(const std::string& text, const std::string& key,
               const std::vector<std::string>& fields) {
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    const size_t begin = text.rfind('\n', at) + 1;
    const std::string line = text.substr(begin, text.find('\n', at) - begin);
    size_t from = 0;
    for (const std::string& field : fields) {
        from = line.find(field, from);
        ASSERT_NE(from, std::string::npos) << "'" << field << "' in: " << line;
        from += field.size();
    }
}

// 40 broadcasts in position 0, every fourth with a series that wraps over several lines so the
// position needs two pages, then 20 in position 1; stored in reverse start order.
TScheduleDay SixtyBroadcasts() {
    TScheduleDay day;
    day.Date = EncodeDate(2010, 6, 17);
    day.Positions = 2;
    day.Captions = {"", Utf8ToCp1251("Първа колона"), Utf8ToCp1251("Втора колона")};
    for (int number = 1; number <= 60; ++number) {
        const int position = number <= 40 ? 0 : 1;
        const int slot = position == 0 ? number - 1 : number - 41;
        TDayBroadcast broadcast = Broadcast(position, At(6, 0) + slot * At(0, 25),
                                            At(6, 25) + slot * At(0, 25), Programme(number));
        if (number % 4 == 0)
            broadcast.SeriesName = Utf8ToCp1251(Format(
                "Дълъг сериал за живота в планината, по морето и в града конец%02d", number));
        day.Broadcasts.insert(day.Broadcasts.begin(), broadcast);
    }
    return day;
}

TEST(DayTable, PdfShowsEveryRowInStartOrderWithCyrillicOnCountedPages) {
    GuiApplication();
    const TScheduleDay day = SixtyBroadcasts();
    const PdfFile pdf(DayTablePdf(day, "Канал Едно"), "day-table");
    QByteArray painted;
    QBuffer buffer(&painted);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(DayTablePdfPage());
    EXPECT_EQ(pdf.Pages(), PaintDayTable(writer, day, "Канал Едно"));
    EXPECT_NE(pdf.Run("pdffonts", "").find("DejaVuSans"), std::string::npos);

    const std::vector<std::string> pages = pdf.PageTexts();
    ASSERT_GE(pages.size(), 3u);
    for (size_t page = 0; page < pages.size(); ++page) {
        const std::string footer = Format("Page %zu of %zu", page + 1, pages.size());
        EXPECT_NE(pages[page].find(footer), std::string::npos) << footer;
        EXPECT_NE(pages[page].find("Канал Едно"), std::string::npos) << page;
    }
    EXPECT_NE(pages[0].find("2010-06-17"), std::string::npos);
    EXPECT_NE(pages.back().find("2010-06-18"), std::string::npos);
    EXPECT_EQ(PageOf(pages, "Втора колона"), PageOf(pages, Programme(41)));
    EXPECT_GT(PageOf(pages, Programme(41)), PageOf(pages, Programme(40))) << "a new page";

    std::string text;
    for (const std::string& page : pages)
        text += page;
    size_t from = 0;
    for (int number = 1; number <= 60; ++number) {
        const std::string name = Programme(number);
        const size_t at = text.find(name, from);
        ASSERT_NE(at, std::string::npos) << name << " after the one before it";
        from = at;
        const int slot = number <= 40 ? number - 1 : number - 41;
        const int start = 6 * 60 + slot * 25, end = start + 25;
        ExpectRow(text, name,
                  {Format("%02d:%02d", start / 60, start % 60),
                   Format("%02d:%02d", end / 60, end % 60), "0:25", name, "Български"});
        if (number % 4 == 0) {
            EXPECT_EQ(PageOf(pages, Format("конец%02d", number)), PageOf(pages, name))
                << "row split across pages";
        }
    }
}

// Dark pixels of the picture inside the rectangle.
int Ink(const QImage& image, const QRect& rect) {
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

// The first page as a picture, to look at by eye as well:
//   pdftoppm -r 60 -png -f 1 -l 1 -singlefile day.pdf page
// At 60 dpi A4 is 496 by 702 pixels and the margins 35 pixels: the header and the table carry
// ink, the right margin none (no text runs out of its column).
TEST(DayTable, FirstPageRendersInsideTheMargins) {
    GuiApplication();
    const PdfFile pdf(DayTablePdf(SixtyBroadcasts(), "Канал Едно"), "day-table-picture");
    const fs::path png = pdf.path.parent_path() / (pdf.path.stem().string() + ".png");
    pdf.Run("pdftoppm -r 60 -png -f 1 -l 1 -singlefile", (png.parent_path() / png.stem()).string());
    const QImage image(QString::fromStdString(png.string()));
    fs::remove(png);
    ASSERT_EQ(image.size(), QSize(496, 702));
    EXPECT_GT(Ink(image, QRect(35, 35, 426, 40)), 200) << "header";
    EXPECT_GT(Ink(image, QRect(35, 100, 426, 560)), 5000) << "table";
    EXPECT_EQ(Ink(image, QRect(465, 0, 31, 702)), 0) << "right margin";
}

// Start and end are the clock's times with the day they fall on marked, the running time the
// difference; a position without broadcasts still gets its page.
TEST(DayTable, TimesAcrossMidnightAndTheEmptyPosition) {
    GuiApplication();
    struct Case {
        TDateTime start, end;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {-At(0, 30), At(0, 30), {"23:30 -1", "00:30", "1:00"}},
        {At(10, 0, 40), At(10, 30, 20), {"10:01", "10:30", "0:30"}},
        {At(23, 0), 1.0, {"23:00", "00:00 +1", "1:00"}},
        {At(23, 15), 1 + At(0, 45), {"23:15", "00:45 +1", "1:30"}},
    };
    TScheduleDay day;
    day.Date = EncodeDate(2010, 10, 31);
    day.Positions = 2;
    day.Captions = {"", "", "Empty"};
    for (size_t i = 0; i < std::size(cases); ++i)
        day.Broadcasts.push_back(
            Broadcast(0, cases[i].start, cases[i].end, Programme(static_cast<int>(i))));
    const PdfFile pdf(DayTablePdf(day, "Channel"), "day-table-times");
    const std::vector<std::string> pages = pdf.PageTexts();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[1].find("Empty"), std::string::npos);
    for (size_t i = 0; i < std::size(cases); ++i)
        ExpectRow(pages[0], Programme(static_cast<int>(i)), cases[i].shown);
}

} // namespace
