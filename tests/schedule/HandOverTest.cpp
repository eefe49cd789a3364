#include "planner/widget/Planner.h"
#include "schedule/ChannelSettings.h"
#include "schedule/GuideRangeDialog.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/ScheduleHistory.h"
#include "schedule/SettingsDialog.h"
#include "support/Command.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <filesystem>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

namespace {

// 2010-06-17 holds a broadcast stored; 06-18 one of a programme since deleted; the shown day
// gets an unsaved item on top.
class HandOver : public MainWindowFixture {
protected:
    void Open() {
        Start(Programme(1, "Вечерни новини", "Новини & <спорт>", "Български") +
              Programme(2, "Film ]]> night", "", "English") +
              Broadcast(1, "2010-06-17", "06:00", "00:30") +
              Broadcast(2, "2010-06-17", "23:30", "01:00") +
              Broadcast(9, "2010-06-18", "07:00", "00:45"));
        window_->OpenStoredDay();
        TScheduleEntry entry;
        entry.NID = 2;
        entry.ProgramName = "Film ]]> night";
        entry.Language = "English";
        entry.StartTime = EncodeTime(12, 0, 0, 0);
        entry.Duration = EncodeTime(0, 20, 0, 0);
        window_->AddScheduleItem(entry, 0);
        window_->History().Record("Add");
    }
    // The range window answers as the user leaves it, the question about the unsaved day with
    // `unsaved`, the file dialog with the name.
    void ExportXmltv(int unsaved, const std::string& fileName) {
        dialogs_.Answer(mrOk);
        dialogs_.Answer(unsaved);
        if (!fileName.empty()) dialogs_.AnswerFile(fileName);
        window_->actExportXmltv->trigger();
    }
};

int ValidateXmltv(const std::string& fileName) {
    return RunCommand("XMLTV_SUPPLEMENT=/usr/share/xmltv tv_validate_file " + fileName + " 2>&1")
        .exitCode;
}

// The stored week as a guide; the unsaved item stays on the planner and out of the guide.
TEST_F(HandOver, XmltvGuideOfTheStoredWeekKeepsTheUnsavedDayAsItIs) {
    Open();
    EXPECT_THAT(window_->mnuMore->actions(),
                testing::IsSupersetOf({window_->actExportXmltv, window_->actPrint,
                                       window_->actExportPdf, window_->actExportCsv}));
    EXPECT_EQ(window_->actPrint->shortcut(), QKeySequence("Ctrl+P"));
    const std::string guide = FileInFolder("guide.xml");
    ExportXmltv(mrNo, guide);
    ASSERT_THAT(dialogs_.Messages(), ElementsAre("Save changes to the schedule of 2010-06-17?"));
    EXPECT_EQ(ValidateXmltv(guide), 0) << ReadBytes(guide);
    const std::string xml = ReadBytes(guide);
    EXPECT_THAT(xml, HasSubstr("<title lang=\"bg\">Новини &amp; &lt;спорт&gt;</title>"));
    EXPECT_THAT(xml, HasSubstr("Program №9"));
    EXPECT_THAT(xml, Not(HasSubstr("20100617120000"))) << "the unsaved item is not stored";
    EXPECT_TRUE(window_->History().Unsaved());
    EXPECT_EQ(window_->Planner1->Items().Count(), 3);
}

TEST_F(HandOver, XmltvRefusesARangeBackwardsAndWritesNothingForAnEmptyOne) {
    Open();
    TfrmGuideRange range(EncodeDate(2010, 6, 17));
    EXPECT_EQ(range.Range().Last, EncodeDate(2010, 6, 23)) << "a week is proposed";
    range.edLast->setDate(QDate(2010, 6, 16));
    range.accept();
    EXPECT_NE(range.result(), QDialog::Accepted);
    const std::string guide = FileInFolder("empty.xml");
    dialogs_.AnswerWith([](const DialogCall& call) {
        auto& window = dynamic_cast<TfrmGuideRange&>(*call.Window);
        window.edFirst->setDate(QDate(2011, 1, 1));
        window.edLast->setDate(QDate(2011, 1, 7));
        window.accept();
        return window.result();
    });
    dialogs_.Answer(mrNo);
    window_->actExportXmltv->trigger();
    EXPECT_THAT(dialogs_.Messages(),
                ElementsAre("The last date, 2010-06-16, comes before the first, 2010-06-17.",
                            "Save changes to the schedule of 2010-06-17?",
                            HasSubstr("No broadcasts are stored for 2011-01-01 to 2011-01-07")));
    EXPECT_FALSE(std::filesystem::exists(guide));
}

// The day as shown, unsaved item included, read back by the tools a reader uses.
TEST_F(HandOver, PdfAndCsvHoldTheDayAsShown) {
    Open();
    const std::string pdf = FileInFolder("day.pdf"), csv = FileInFolder("day.csv");
    dialogs_.AnswerFile(pdf);
    window_->actExportPdfExecute();
    dialogs_.AnswerFile(csv);
    window_->actExportCsvExecute();
    const std::string text = RunCommand("pdftotext -layout " + pdf + " -").output;
    EXPECT_THAT(text, HasSubstr("Вечерни новини"));
    EXPECT_THAT(text, HasSubstr("12:00"));
    EXPECT_THAT(ReadBytes(csv), HasSubstr("2010-06-17,1,12:00,12:20,00:20,2,,Film ]]> night,"
                                          "English\r\n"));
    dialogs_.AnswerWith([](const DialogCall& call) {
        EXPECT_NE(dynamic_cast<QPrintPreviewDialog*>(call.Window), nullptr);
        return mrCancel;
    });
    window_->actPrint->trigger();
    EXPECT_TRUE(dialogs_.Messages().empty());
}

// An id a guide refuses and an unknown zone keep the window open; good values are kept.
TEST_F(HandOver, SettingsRefuseAChannelIdWithoutADotAndAnUnknownZone) {
    Open();
    TfrmSettings settings(TMarkSettings{}, ReadChannelSettings());
    settings.edChannelId->setText("skedora");
    settings.accept();
    settings.edChannelId->setText("news.example.org");
    settings.cbTimeZone->setCurrentText("Mars/Base");
    settings.accept();
    EXPECT_NE(settings.result(), QDialog::Accepted);
    EXPECT_THAT(dialogs_.Messages(), ElementsAre(HasSubstr("\"skedora\" is not a channel id"),
                                                 "Unknown time zone \"Mars/Base\"."));
    settings.cbTimeZone->setCurrentText("Europe/Sofia");
    settings.edChannelName->setText("Канал 1");
    dialogs_.AnswerWith([&](const DialogCall& call) {
        auto& window = dynamic_cast<TfrmSettings&>(*call.Window);
        window.edChannelId->setText(settings.edChannelId->text());
        window.edChannelName->setText(settings.edChannelName->text());
        window.cbTimeZone->setCurrentText(settings.cbTimeZone->currentText());
        window.accept();
        return window.result();
    });
    window_->actSettings->trigger();
    const TChannelSettings kept = ReadChannelSettings();
    EXPECT_EQ(kept.Id, "news.example.org");
    EXPECT_EQ(kept.DisplayName, "Канал 1");
    EXPECT_EQ(kept.TimeZone, "Europe/Sofia");
    WriteChannelSettings({});
}

} // namespace
