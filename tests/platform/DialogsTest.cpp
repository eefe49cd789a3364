#include "platform/Cp1251.h"
#include "platform/Exceptions.h"
#include "platform/QtDialogs.h"
#include "support/ScriptedDialogs.h"
#include "support/TestApplication.h"

#include <QDialog>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class AutoDialogs : public testing::Test {
protected:
    void SetUp() override { setenv("SKEDORA_AUTO_DIALOGS", "1", 1); }
    void TearDown() override { unsetenv("SKEDORA_AUTO_DIALOGS"); }
    QtDialogs dialogs;
};

TEST_F(AutoDialogs, MessageBoxPrintsOneUtf8LineAndAnswersTheFirstButton) {
    testing::internal::CaptureStderr();
    const ModalResult ok =
        dialogs.MessageBox(Utf8ToCp1251("Грешка при свързване\r\nс базата данни!"), "Error",
                           MessageIcon::Error, MessageButtons::OK);
    const ModalResult yes =
        dialogs.MessageBox("Delete?", "Skedora", MessageIcon::Question, MessageButtons::YesNo);
    const ModalResult ok2 =
        dialogs.MessageBox("a\nb", "c", MessageIcon::None, MessageButtons::OKCancel);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "DIALOG Error|Грешка при свързване\\nс базата данни!\n"
              "DIALOG Skedora|Delete?\n"
              "DIALOG c|a\\nb\n");
    EXPECT_EQ(ok, mrOk);
    EXPECT_EQ(yes, mrYes);
    EXPECT_EQ(ok2, mrOk);
}

TEST_F(AutoDialogs, OpenFileAnswersFalseAndWindowsAreNotShown) {
    OpenFileRequest request{"XML|*.xml", "export.xml", "", "", 563, 454};
    EXPECT_FALSE(dialogs.OpenFile(request));
    EXPECT_EQ(request.FileName, "export.xml");
    TestApplication();
    QDialog window;
    window.setWindowTitle("Programs List");
    testing::internal::CaptureStderr();
    EXPECT_EQ(dialogs.ShowModal(window), mrCancel);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "WINDOW Programs List\n");
    EXPECT_FALSE(window.isVisible());
}

// Ends the window once the modal loop runs.
void EndSoon(QWidget& window, int result) {
    QTimer::singleShot(0, &window, [&window, result] { SetModalResult(window, result); });
}

TEST(QtDialogsShowModal, ADialogAnswersItsModalResult) {
    TestApplication();
    QtDialogs dialogs;
    QDialog dialog;
    EndSoon(dialog, mrOk);
    EXPECT_EQ(dialogs.ShowModal(dialog), mrOk);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    EXPECT_EQ(dialogs.ShowModal(dialog), mrCancel);
}

TEST(QtDialogsShowModal, APlainWindowAnswersItsModalResultOrCancelWhenClosed) {
    TestApplication();
    QtDialogs dialogs;
    QWidget window;
    EndSoon(window, mrYes);
    EXPECT_EQ(dialogs.ShowModal(window), mrYes);
    EXPECT_FALSE(window.isVisible());
    QTimer::singleShot(0, &window, [&window] {
        SetModalResult(window, mrNone); // stays open
        window.close();
    });
    EXPECT_EQ(dialogs.ShowModal(window), mrCancel);
    auto* deletedOnClose = new QWidget;
    deletedOnClose->setAttribute(Qt::WA_DeleteOnClose);
    EndSoon(*deletedOnClose, mrOk);
    EXPECT_EQ(dialogs.ShowModal(*deletedOnClose), mrOk);
}

TEST(AppDialogs, ScriptedDialogsAreInstalledWhileTheyLive) {
    EXPECT_THROW(AppDialogs(), Exception);
    {
        ScriptedDialogs scripted;
        EXPECT_EQ(&AppDialogs(), &scripted);
    }
    EXPECT_THROW(AppDialogs(), Exception);
}

TEST(ScriptedDialogs, RecordsCallsAndAnswersFromTheScriptThenDefaults) {
    ScriptedDialogs dialogs;
    std::vector<std::string> seen;
    dialogs.Answer(mrNo, [&](const DialogCall& call) { seen.push_back(call.Caption); });
    dialogs.AnswerFile("/tmp/in.xml");
    dialogs.Answer(mrCancel);

    EXPECT_EQ(AppDialogs().MessageBox("Delete record?", "Confirm", MessageIcon::Question,
                                      MessageButtons::YesNo),
              mrNo);
    OpenFileRequest picked;
    picked.FileName = "export.xml";
    EXPECT_TRUE(AppDialogs().OpenFile(picked));
    OpenFileRequest cancelled;
    cancelled.FileName = "export.xml";
    EXPECT_FALSE(AppDialogs().OpenFile(cancelled));
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_EQ(
        AppDialogs().MessageBox("Done", "Skedora", MessageIcon::Information, MessageButtons::OK),
        mrOk);
    OpenFileRequest unanswered;
    EXPECT_FALSE(AppDialogs().OpenFile(unanswered));

    EXPECT_EQ(seen, std::vector<std::string>{"Confirm"});
    EXPECT_EQ(picked.FileName, "/tmp/in.xml");
    EXPECT_EQ(cancelled.FileName, "export.xml");
    ASSERT_EQ(dialogs.Calls().size(), 5u);
    EXPECT_EQ(dialogs.Calls()[0].Icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.Calls()[0].Buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.Calls()[1].Kind, DialogKind::OpenFile);
    EXPECT_EQ(dialogs.Calls()[1].Request.FileName, "export.xml");
    EXPECT_EQ(dialogs.Messages(), (std::vector<std::string>{"Delete record?", "Done"}));
}

} // namespace
