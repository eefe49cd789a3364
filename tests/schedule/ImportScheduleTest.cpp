#include "planner/widget/Planner.h"
#include "platform/Cp1251.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/ScheduleHistory.h"

#include <QAction>
#include <fstream>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

struct FileBroadcast {
    std::string Date, Time, Duration, Uid, Series = "S", Program = "P", Language = "BG";
};

std::string BroadcastXml(const FileBroadcast& b) {
    return "<broadcast><date>" + b.Date + "</date><time>" + b.Time + "</time><duration>" +
           b.Duration + "</duration><series><![CDATA[" + b.Series +
           "]]></series><program><![CDATA[" + b.Program + "]]></program><programuid><![CDATA[" +
           b.Uid + "]]></programuid><language>" + b.Language + "</language></broadcast>\r\n";
}

class ImportSchedule : public MainWindowFixture {
protected:
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string file = FileInFolder(name);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    std::string BroadcastFile(const std::vector<FileBroadcast>& broadcasts) {
        std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1251\" ?>\r\n<broadcasts>\r\n";
        for (const FileBroadcast& broadcast : broadcasts)
            xml += BroadcastXml(broadcast);
        return WriteFile("import.xml", xml + "</broadcasts>\r\n");
    }
    void Import(const std::string& file) {
        dialogs_.AnswerFile(file);
        window_->actImport->trigger();
    }
    // Each item as "position begin-end caption | text lines".
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (const TPlannerItem& item : window_->Planner1->Items().All()) {
            std::string text = std::to_string(item.ItemPos()) + " " +
                               std::to_string(item.BeginMinute()) + "-" +
                               std::to_string(item.EndMinute()) + " " + item.CaptionText() + " |";
            for (const std::string& line : item.Text())
                text += line;
            items.push_back(text);
        }
        return items;
    }
    std::vector<std::string> Captions() const {
        return window_->Planner1->Header().Captions().Strings();
    }
    // Two broadcasts of the form's date, stored and shown.
    void StartWithStoredDay() {
        Start(Programme(1, "News", "Daily", "BG") + Broadcast(1, "2010-06-17", "08:00", "00:30") +
              Broadcast(1, "2010-06-17", "09:00", "00:30"));
        window_->OpenStoredDay();
    }
};

TEST_F(ImportSchedule, ExportedDayComesBackAsItWasShown) {
    Start(
        Programme(5, Cp1251ToUtf8("\xCD\xEE\xE2\xE8\xED\xE8") + " [HD]", "Tom & Jerry <1>", "B>G") +
        Programme(6, "Odd ]]> end", "A]]B", "EN") + Broadcast(5, "2010-06-17", "06:00", "00:30") +
        Broadcast(6, "2010-06-17", "23:30", "01:00") +
        Broadcast(5, "2010-06-17", "12:10", "00:05"));
    window_->OpenStoredDay();
    const std::vector<std::string> shown = Items();
    ASSERT_EQ(shown.size(), 3u);
    const std::string file = FileInFolder("day.xml");
    ExportTo(file);
    window_->Planner1->SetPositions(3);

    Import(file);
    EXPECT_THAT(dialogs_.Messages(), IsEmpty());
    EXPECT_EQ(Items(), shown);
    EXPECT_EQ(window_->Planner1->Positions(), 1);
    EXPECT_THAT(Captions(), ElementsAre("", "2010-06-17"));
}

TEST_F(ImportSchedule, RisingDatesOpenOnePositionEachWithItsCaption) {
    Start();
    Import(BroadcastFile({{"2010-06-17", "10:00", "00:30", "BG - 1"},
                          {"2010-06-20", "11:00", "00:30", "2"},
                          {"2010-06-19", "12:00", "00:30", "3"},
                          {"2010-06-21", "13:00", "00:30", "none"}}));
    EXPECT_THAT(dialogs_.Messages(), IsEmpty());
    EXPECT_EQ(window_->Planner1->Positions(), 3);
    EXPECT_THAT(Captions(), ElementsAre("", "2010-06-17", "2010-06-20", "2010-06-21"));
    std::vector<std::string> places;
    for (const TPlannerItem& item : window_->Planner1->Items().All())
        places.push_back(std::to_string(item.ItemPos()) + " " + item.CaptionText());
    EXPECT_THAT(places, ElementsAre("0 Program \xB9"
                                    "1",
                                    "1 Program \xB9"
                                    "2",
                                    "1 Program \xB9"
                                    "3",
                                    "2 Program \xB9"
                                    "-1"));
}

TEST_F(ImportSchedule, FilesThatCannotBeReadLeaveThePlannerAsItWas) {
    StartWithStoredDay();
    const std::vector<std::string> before = Items();
    const std::string broken = WriteFile("broken.xml", "<broadcasts><broadcast><date>");
    const std::string empty = WriteFile("empty.xml", "<broadcasts>\r\n</broadcasts>\r\n");
    const std::string lacking = WriteFile(
        "lacking.xml", "<broadcasts>" + BroadcastXml({"2010-06-17", "10:00", "00:30", "1"}) +
                           "<broadcast><date>2010-06-17</date></broadcast></broadcasts>");

    window_->actImport->trigger(); // the dialog is cancelled
    Import(FileInFolder("missing.xml"));
    Import(broken);
    Import(empty);
    Import(lacking);
    const std::vector<std::string> messages = dialogs_.Messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_NE(messages[0].find("Cannot open file"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("missing.xml"), std::string::npos) << messages[0];
    EXPECT_EQ(messages[2], "The file \"" + empty + "\" holds no broadcast.");
    EXPECT_EQ(messages[3], "Broadcast 2 of the file \"" + lacking + "\" has no \"programuid\".");
    EXPECT_EQ(Items(), before);
    EXPECT_THAT(Captions(), ElementsAre("", "2010-06-17"));
    EXPECT_FALSE(window_->History().Unsaved());
}

TEST_F(ImportSchedule, InvalidDateStopsAtThatBroadcastKeepingTheOnesBefore) {
    Start();
    Import(BroadcastFile({{"2010-06-17", "10:00", "00:30", "1"},
                          {"2010-02-30", "11:00", "00:30", "2"},
                          {"2010-06-17", "12:00", "00:30", "3"}}));
    EXPECT_THAT(dialogs_.Messages(), ElementsAre("Invalid argument to date encode."));
    EXPECT_EQ(window_->Planner1->Items().Count(), 1);
    EXPECT_TRUE(window_->History().Unsaved());
}

TEST_F(ImportSchedule, UndoBringsBackTheDayBeforeTheImportWithItsCaptions) {
    StartWithStoredDay();
    const std::vector<std::string> before = Items();
    Import(BroadcastFile(
        {{"2010-07-01", "10:00", "00:30", "7"}, {"2010-07-02", "10:00", "00:30", "8"}}));
    ASSERT_THAT(Captions(), ElementsAre("", "2010-07-01", "2010-07-02"));
    window_->actUndo->trigger();
    EXPECT_EQ(Items(), before);
    EXPECT_THAT(Captions(), ElementsAre("", "2010-06-17"));
    EXPECT_EQ(window_->Planner1->Positions(), 1);
    EXPECT_FALSE(window_->History().Unsaved());
}

} // namespace
