#include "platform/ErrorHandler.h"

#include "platform/Exceptions.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

TEST(ErrorBoxText, AppendsFullStopAfterCharactersSortingAfterIt) {
    EXPECT_EQ(ErrorBoxText("File not found"), "File not found.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Really?"), "Really?.");
    EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(ErrorBoxText("(x)"), "(x)");
    EXPECT_EQ(ErrorBoxText("\xC4\xE0"), "\xC4\xE0.");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ErrorHandler, ShowsOneStopBoxCaptionedWithTheTitle) {
    ScriptedDialogs dialogs;
    SetApplicationTitle("Skedora");
    ApplicationHandleException(EConvertError("'x' is not a valid integer value"));
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].Text, "'x' is not a valid integer value.");
    EXPECT_EQ(dialogs.Calls()[0].Caption, "Skedora");
    EXPECT_EQ(dialogs.Calls()[0].Icon, MessageIcon::Error);
    EXPECT_EQ(dialogs.Calls()[0].Buttons, MessageButtons::OK);
}

TEST(ErrorHandler, LastChanceBoxNamesClassModuleAndText) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(ShowApplicationError(EListError("List index out of bounds (3)")), 1);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    const std::string& text = dialogs.Calls()[0].Text;
    EXPECT_EQ(dialogs.Calls()[0].Caption, "Application Error");
    EXPECT_EQ(text.rfind("Exception EListError in module platform_tests at ", 0), 0u) << text;
    EXPECT_NE(text.find(".\r\nList index out of bounds (3).\r\n"), std::string::npos) << text;
}
