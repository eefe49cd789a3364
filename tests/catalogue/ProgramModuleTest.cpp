#include "catalogue/ProgramModule.h"

#include "catalogue/CatalogueFixture.h"
#include "data/mData.h"
#include "db/DataSource.h"
#include "db/IBDataSet.h"
#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "platform/QtText.h"
#include "support/ErrorText.h"
#include "support/FaultClient.h"
#include "support/OwnConnection.h"
#include "support/RecordingCanvas.h"
#include "support/dbcontrols/DBEdit.h"
#include "support/dbcontrols/DateTimePicker.h"
#include "support/grid/RecordGrid.h"
#include "support/navigator/DBNavigator.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gmock/gmock.h>

namespace {

std::string ThreeProgrammes() {
    return "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION, SFILE_NAME) "
           "VALUES (1, 'One', 'S', '00:30', 'one.mp4');\n"
           "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION, SFILE_NAME) "
           "VALUES (2, 'Two', 'S', '01:00', 'two.mp4');\n"
           "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION, SFILE_NAME) "
           "VALUES (3, 'Three', 'S', '00:45', 'three.mp4');\n";
}

class Catalogue : public CatalogueFixture {
protected:
    // Opens the catalogue as "Show All Programs" does; act works on the shown window.
    int Show(const std::function<void(TfrmPrograms&)>& act) {
        dialogs_.AnswerWith([&](const DialogCall& call) {
            auto& window = static_cast<TfrmPrograms&>(*call.Window);
            ShowActive(window);
            act(window);
            return mrNone;
        });
        return TfrmPrograms::ShowProgramCatalogue(*data_);
    }
    // Committed rows, "NID name duration file" each, by NID.
    std::vector<std::string> Stored() {
        TIBTransaction transaction;
        transaction.SetDefaultDatabase(data_->IBDatabase.get());
        TIBQuery query;
        query.SetDatabase(data_->IBDatabase.get());
        query.SetTransaction(&transaction);
        query.SetSQL(
            {"select nid, sname, fduration, sfile_name from program_description", "order by nid"});
        std::vector<std::string> rows;
        for (query.Open(); !query.AtEnd(); query.Next())
            rows.push_back(query.Fields(0).AsString() + " " + query.Fields(1).AsString() + " " +
                           FormatDateTime("hh:mm", query.Fields(2).AsDateTime()) + " " +
                           query.Fields(3).AsString());
        return rows;
    }
    static void Type(QWidget& edit, const QString& text) {
        edit.setFocus();
        QTest::keyClicks(&edit, text);
    }
};

TEST_F(Catalogue, FormShowsFourNavigatorButtonsWithTheirHints) {
    Start(ThreeProgrammes());
    TfrmPrograms window;
    TDBNavigator& navigator = *window.nv1;
    EXPECT_EQ(navigator.VisibleButtons(), (TButtonSet{nbInsert, nbEdit, nbPost, nbCancel}));
    EXPECT_EQ(FromQString(navigator.Button(nbInsert).text()), "Insert");
    EXPECT_EQ(FromQString(navigator.Button(nbInsert).toolTip()),
              "\xC4\xEE\xE1\xE0\xE2\xFF\xED\xE5");
    EXPECT_EQ(FromQString(navigator.Button(nbDelete).toolTip()),
              "\xC8\xE7\xF2\xF0\xE8\xE2\xE0\xED\xE5");
    EXPECT_EQ(FromQString(navigator.Button(nbFirst).toolTip()), "First record");
    TDBGridColumns& columns = window.grdPrograms->Columns();
    ASSERT_EQ(columns.Count(), 6);
    EXPECT_EQ(columns[5].FieldName(), "SFILE_NAME");
    EXPECT_EQ(columns[3].Width(), 70);
    EXPECT_EQ(window.dstPrograms->ModifySQL().back(), "  NID = :OLD_NID");
    EXPECT_EQ(window.dstPrograms->RefreshSQL()[10], "from PROGRAM_DESCRIPTION ");
}

TEST_F(Catalogue, TabRunsThroughTheDetailEditsInFormOrder) {
    Start(ThreeProgrammes());
    std::vector<std::string> visited;
    Show([&](TfrmPrograms& window) {
        window.edID->setFocus();
        for (int i = 0; i < 6; ++i) {
            visited.push_back(QApplication::focusWidget()->objectName().toStdString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    });
    EXPECT_THAT(visited,
                testing::ElementsAre("edID", "edCode", "edName", "dtpDuration", "mNote", "edFile"));
}

TEST_F(Catalogue, ReturnsTheRowCurrentAtClosingAndCommitsWhatWasPosted) {
    Start(ThreeProgrammes());
    const int id = Show([this](TfrmPrograms& window) {
        TIBDataSet& set = *window.dstPrograms;
        set.Next();
        set.Edit();
        set.Field("SNAME").SetAsString("Deux");
        set.Post();
        set.Next();
    });
    EXPECT_EQ(id, 3);
    EXPECT_THAT(Stored(), testing::Contains("2 Deux 01:00 two.mp4"));
}

TEST_F(Catalogue, EmptyCatalogueReturnsZero) {
    Start();
    EXPECT_EQ(Show([](TfrmPrograms&) {}), 0);
}

TEST_F(Catalogue, RowsAreStripedByRecordNumber) {
    Start(ThreeProgrammes());
    Show([](TfrmPrograms& window) {
        RecordingCanvas canvas;
        window.grdPrograms->PaintTo(canvas);
        std::map<std::string, TColor> brushOf;
        for (const TCanvasOp& op : canvas.OfKind("DrawText"))
            brushOf[op.Text] = op.Brush.Color;
        EXPECT_EQ(brushOf["One"], TColor(15720403));
        EXPECT_EQ(brushOf["Two"], TColor(15127753));
        EXPECT_EQ(brushOf["Three"], TColor(15720403));
    });
}

TEST_F(Catalogue, DurationAndFileFollowTheRowAndArePostedFromTheEdits) {
    Start(ThreeProgrammes());
    Show([](TfrmPrograms& window) {
        TIBDataSet& set = *window.dstPrograms;
        EXPECT_EQ(FromQString(window.edFile->text()), "one.mp4");
        EXPECT_EQ(FormatDateTime("hh:mm", window.dtpDuration->Time()), "00:30");
        set.Next();
        EXPECT_EQ(FromQString(window.edFile->text()), "two.mp4");
        EXPECT_EQ(FormatDateTime("hh:mm", window.dtpDuration->Time()), "01:00");
    });
}

TEST_F(Catalogue, ChangingOnlyTheDurationStartsEditingSoTheChangeIsKept) {
    Start(ThreeProgrammes());
    Show([](TfrmPrograms& window) {
        TIBDataSet& set = *window.dstPrograms;
        set.Cancel(); // showing the row's file name started an edit
        ASSERT_EQ(set.State(), dsBrowse);
        window.dtpDuration->setFocus();
        window.dtpDuration->setCurrentSection(QDateTimeEdit::MinuteSection);
        QTest::keyClick(window.dtpDuration, Qt::Key_Up);
        EXPECT_EQ(set.State(), dsEdit);
        set.Next(); // the move posts the changed row
    });
    EXPECT_THAT(Stored(), testing::Contains("1 One 00:31 one.mp4"));
}

TEST_F(Catalogue, BrowsedFileKeepsOnlyItsNameAndIsStored) {
    Start(ThreeProgrammes());
    Show([this](TfrmPrograms& window) {
        dialogs_.AnswerFile("/media/archive/2010/news.avi");
        window.edFileButtonClick();
        EXPECT_EQ(FromQString(window.edFile->text()), "news.avi");
        EXPECT_EQ(window.dstPrograms->State(), dsEdit);
        window.dstPrograms->Post();
    });
    EXPECT_THAT(Stored(), testing::Contains("1 One 00:30 news.avi"));
}

TEST_F(Catalogue, ClosingOverTypingAsksAndDoesWhatTheUserChose) {
    Start(ThreeProgrammes());
    const auto closeAfterTyping = [this](int answer) {
        Show([this, answer](TfrmPrograms& window) {
            Type(*window.edName, "X");
            dialogs_.Answer(answer);
            window.close();
            EXPECT_EQ(window.isVisible(), answer == mrCancel);
            if (answer == mrCancel) window.dstPrograms->Cancel();
        });
        EXPECT_EQ(dialogs_.Messages().back(), "Save changes?");
    };
    closeAfterTyping(mrNo);
    EXPECT_THAT(Stored(), testing::Contains("1 One 00:30 one.mp4"));
    closeAfterTyping(mrCancel);
    EXPECT_THAT(Stored(), testing::Contains("1 One 00:30 one.mp4"));
    closeAfterTyping(mrYes);
    EXPECT_THAT(Stored(), testing::Contains("1 OneX 00:30 one.mp4"));
}

TEST_F(Catalogue, RefusedPostOnClosingShowsTheErrorAndKeepsTheWindow) {
    Start(ThreeProgrammes());
    Show([this](TfrmPrograms& window) {
        window.edID->selectAll();
        Type(*window.edID, "2"); // taken by the second row
        dialogs_.Answer(mrYes);
        window.close();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.dstPrograms->State(), dsEdit);
        EXPECT_EQ(dialogs_.Messages().size(), 2u) << "the question, then the error";
        window.dstPrograms->Cancel();
    });
    EXPECT_THAT(Stored(), testing::Contains("1 One 00:30 one.mp4"));
}

TEST_F(Catalogue, LettersInTheIdentifierAreRefusedAndTheTypingStays) {
    Start(ThreeProgrammes());
    Show([](TfrmPrograms& window) {
        window.edID->selectAll();
        Type(*window.edID, "ab");
        EXPECT_THROW(window.nv1->BtnClick(nbPost), EDatabaseError);
        EXPECT_EQ(window.dstPrograms->State(), dsEdit);
        EXPECT_EQ(window.edID->Text(), "AB") << "shown in upper case";
        window.dstPrograms->Cancel();
    });
    EXPECT_EQ(Stored().size(), 3u);
}

TEST_F(Catalogue, ClosingWithoutTypingAsksNothing) {
    Start(ThreeProgrammes());
    Show([](TfrmPrograms& window) {
        window.dstPrograms->Next();
        window.close();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(Catalogue, DuplicateIdentifierIsRefusedAndTheNewRowStays) {
    Start(ThreeProgrammes());
    Show([](TfrmPrograms& window) {
        TIBDataSet& set = *window.dstPrograms;
        set.Insert();
        set.Field("NID").SetAsInteger(2);
        set.Field("SNAME").SetAsString("Copy");
        EXPECT_THROW(set.Post(), EIBInterBaseError);
        EXPECT_EQ(set.State(), dsInsert);
        set.Cancel();
    });
    EXPECT_EQ(Stored().size(), 3u);
}

// The other user's transaction holds the row; the post waits a few seconds for it, then says so.
TEST_F(Catalogue, ARowAnotherUserIsEditingIsSaidSoAndTheTypingStays) {
    Start(ThreeProgrammes());
    OwnConnection other(database_->Path(), data_->IBDatabase->Params());
    other.Query.SetSQL({"update program_description set sname = 'Theirs' where nid = 2"});
    other.Query.Execute();
    Show([&](TfrmPrograms& window) {
        TIBDataSet& set = *window.dstPrograms;
        set.Next();
        set.Edit();
        set.Field("SNAME").SetAsString("Mine");
        EXPECT_EQ(ErrorOf<EDatabaseError>([&] { set.Post(); }),
                  "The programme is being edited by another user.");
        EXPECT_EQ(set.State(), dsEdit);
        EXPECT_EQ(set.Field("SNAME").AsString(), "Mine");
        other.Transaction.Rollback();
        set.Post();
    });
    EXPECT_THAT(Stored(), testing::Contains("2 Mine 01:00 two.mp4"));
}

TEST_F(Catalogue, CtrlDeleteAsksBeforeDeleting) {
    Start(ThreeProgrammes());
    Show([this](TfrmPrograms& window) {
        window.grdPrograms->setFocus();
        dialogs_.Answer(mrNo);
        QTest::keyClick(window.grdPrograms, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(dialogs_.Messages().back(), "Delete record?");
        dialogs_.Answer(mrYes);
        QTest::keyClick(window.grdPrograms, Qt::Key_Delete, Qt::ControlModifier);
    });
    EXPECT_EQ(Stored(),
              (std::vector<std::string>{"2 Two 01:00 two.mp4", "3 Three 00:45 three.mp4"}));
}

TEST_F(Catalogue, OpenErrorStopsBeforeTheWindowShows) {
    Start(ThreeProgrammes());
    data_->IBDatabase->SetConnected(false);
    data_->IBDatabase->SetDatabaseName(database_->Folder() + "/missing.fdb");
    EXPECT_THROW(TfrmPrograms::ShowProgramCatalogue(*data_), EDatabaseError);
    EXPECT_TRUE(dialogs_.Calls().empty());
}

} // namespace

// The lost connection closes the dataset inside the post; the typing must come back on its own
// once the window reconnects, for an edited row (false) and for a new one (true) alike.
class LostConnection : public Catalogue, public testing::WithParamInterface<bool> {};

TEST_P(LostConnection, TypingOfTheFailedPostComesBackInEditingAndIsStored) {
    const bool inserting = GetParam();
    Start(ThreeProgrammes());
    Show([&](TfrmPrograms& window) {
        TIBDataSet& set = *window.dstPrograms;
        set.Next();
        if (inserting) {
            // Leaving the grid would drop a new row that holds nothing yet.
            window.edID->setFocus();
            set.Insert();
            Type(*window.edID, "7");
        }
        window.edName->selectAll();
        Type(*window.edName, "Mine");
        window.dtpDuration->SetTime(EncodeTime(0, 50, 0, 0));
        window.edFile->setText("mine.mp4");
        {
            const ScopedFault lost("*", kFaultConnectionLost, 0, 1);
            EXPECT_THROW(window.nv1->BtnClick(nbPost), EIBInterBaseError);
        }
        EXPECT_FALSE(data_->IBDatabase->Connected());
        QCoreApplication::processEvents();
        ASSERT_EQ(set.State(), inserting ? dsInsert : dsEdit);
        EXPECT_EQ(window.edName->Text(), "Mine");
        EXPECT_EQ(window.edID->Text(), inserting ? "7" : "2");
        EXPECT_EQ(FromQString(window.edFile->text()), "mine.mp4");
        window.nv1->BtnClick(nbPost);
    });
    EXPECT_THAT(Stored(),
                testing::Contains(inserting ? "7 Mine 00:50 mine.mp4" : "2 Mine 00:50 mine.mp4"));
}
INSTANTIATE_TEST_SUITE_P(EditedAndNew, LostConnection, testing::Bool());
