#pragma once

#include <fstream>
#include <string>

// The broadcast exchange file as the export writes it: Windows-1251 bytes, every line ended by
// CR LF. Readers decode the declared character set, so the bytes stay one per letter.

// One broadcast's values, already in their text forms.
struct TBroadcastRecord {
    std::string Date;
    std::string Time;
    std::string Duration;
    std::string Series;
    std::string Program;
    std::string ProgramUid;
    std::string Language;
};

// A text file written line by line; a failure to create or write it raises EInOutError.
class TBroadcastFileWriter {
public:
    // Creates the file or truncates an existing one; the name is Windows-1251 text.
    explicit TBroadcastFileWriter(const std::string& fileName);
    TBroadcastFileWriter(const TBroadcastFileWriter&) = delete;
    TBroadcastFileWriter& operator=(const TBroadcastFileWriter&) = delete;

    void WriteLine(const std::string& line);
    // Flushes and closes; without it the destructor closes and drops a late write failure.
    void Close();

    void WriteHeader();
    void WriteBroadcast(const TBroadcastRecord& broadcast);
    void WriteFooter();

private:
    void Check();

    std::ofstream stream_;
};

// Element text with '&', '<' and '>' as numeric character references.
std::string XmlText(const std::string& text);
// CDATA sections holding the text; a "]]>" inside is split across two sections.
std::string XmlCData(const std::string& text);
