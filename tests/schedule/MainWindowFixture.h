#pragma once

#include "platform/FormatSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class TfrmMain;
class TmodData;

// The main window with the data module attached to a fresh database holding `sql`'s rows.
// Locale formats are fixed: colon as time separator, long time "hh:mm:ss", short date
// "yyyy-mm-dd".
class MainWindowFixture : public testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    void Start(const std::string& sql = {});
    // Runs the Export action with the dialog answering `fileName`; the file's bytes.
    std::string ExportTo(const std::string& fileName);
    // A file name in the database's folder.
    std::string FileInFolder(const std::string& name) const;
    // PROGRAM_TIMELINE rows as committed, one text each: identifier, start and end dates, start,
    // end and running time, '-' for NULL; ordered by date, start and identifier.
    std::vector<std::string> StoredRows(const std::string& where = {});

    ScriptedDialogs dialogs_;
    std::unique_ptr<TempDatabase> database_;
    std::unique_ptr<TfrmMain> window_;
    std::unique_ptr<TmodData> data_;

private:
    FormatSettings savedSettings_;
};

// Rows for the database a test starts with.
std::string Programme(int id, const std::string& name, const std::string& series,
                      const std::string& language, const std::string& duration = "00:30");
std::string Broadcast(int id, const std::string& date, const std::string& start,
                      const std::string& duration);

std::string ReadBytes(const std::string& fileName);
// The lines of a text whose every line ends with CR LF; a text not ending so fails the test.
std::vector<std::string> CrLfLines(const std::string& text);
// xmllint's exit status checking the file, and its output for an XPath string expression.
int XmlLint(const std::string& fileName);
std::string XPathString(const std::string& fileName, const std::string& expression);
