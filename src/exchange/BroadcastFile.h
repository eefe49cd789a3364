#pragma once

#include "platform/ReplacingFile.h"

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

// A text file written line by line; a failure to create or write it raises EInOutError. The
// file replaces one of the same name only when closed: until then, and after a failure, an
// existing file stays as it was and no partial file is left.
class TBroadcastFileWriter {
public:
    // The name is Windows-1251 text.
    explicit TBroadcastFileWriter(const std::string& fileName) : file_(fileName) {}

    void WriteLine(const std::string& line) { file_.Write(line + "\r\n"); }
    void Close() { file_.Commit(); }

    void WriteHeader();
    void WriteBroadcast(const TBroadcastRecord& broadcast);
    void WriteFooter();

private:
    TReplacingFile file_;
};

// Element text with '&', '<' and '>' as numeric character references. Bytes XML cannot carry
// (control characters other than tab, LF and CR, and the unassigned 0x98) are left out.
std::string XmlText(const std::string& text);
// CDATA sections holding the text; a "]]>" inside is split across two sections. Bytes XML
// cannot carry are left out.
std::string XmlCData(const std::string& text);
