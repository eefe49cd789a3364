#include "schedule/BroadcastFile.h"

#include "platform/Cp1251.h"
#include "platform/Exceptions.h"
#include "platform/Format.h"

#include <cerrno>
#include <filesystem>

namespace {

// The runtime's texts for the common causes; any other cause shows its code.
std::string InOutErrorText(int code) {
    switch (code) {
    case ENOENT:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    case EMFILE:
        return "Too many open files";
    case ENOSPC:
        return "Disk full";
    default:
        return Format("I/O error %d", code);
    }
}

std::filesystem::path PathOf(const std::string& fileName) {
    const std::string utf8 = Cp1251ToUtf8(fileName);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Element(const char* name, const std::string& content) {
    return Format("    <%s>%s</%s>", name, content.c_str(), name);
}

} // namespace

TBroadcastFileWriter::TBroadcastFileWriter(const std::string& fileName) {
    errno = 0;
    stream_.open(PathOf(fileName), std::ios::binary | std::ios::trunc);
    Check();
}

void TBroadcastFileWriter::WriteLine(const std::string& line) {
    errno = 0;
    stream_.write(line.data(), static_cast<std::streamsize>(line.size()));
    stream_.write("\r\n", 2);
    Check();
}

void TBroadcastFileWriter::Close() {
    errno = 0;
    stream_.close();
    Check();
}

void TBroadcastFileWriter::Check() {
    if (!stream_.fail()) return;
    const int code = errno;
    stream_.clear();
    throw EInOutError(InOutErrorText(code));
}

void TBroadcastFileWriter::WriteHeader() {
    WriteLine(R"(<?xml version="1.0" encoding="windows-1251" standalone="yes" ?>)");
    WriteLine("<broadcasts>");
}

void TBroadcastFileWriter::WriteBroadcast(const TBroadcastRecord& broadcast) {
    WriteLine("  <broadcast>");
    WriteLine(Element("date", XmlText(broadcast.Date)));
    WriteLine(Element("time", XmlText(broadcast.Time)));
    WriteLine(Element("duration", XmlText(broadcast.Duration)));
    WriteLine(Element("series", XmlCData(broadcast.Series)));
    WriteLine(Element("program", XmlCData(broadcast.Program)));
    WriteLine(Element("programuid", XmlCData(broadcast.ProgramUid)));
    WriteLine(Element("language", XmlText(broadcast.Language)));
    WriteLine("  </broadcast>");
}

void TBroadcastFileWriter::WriteFooter() {
    WriteLine("</broadcasts>");
}

std::string XmlText(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&#38;";
            break;
        case '<':
            result += "&#60;";
            break;
        case '>':
            result += "&#62;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string XmlCData(const std::string& text) {
    std::string result = "<![CDATA[";
    size_t from = 0;
    for (size_t end; (end = text.find("]]>", from)) != std::string::npos; from = end + 2)
        result += text.substr(from, end + 2 - from) + "]]><![CDATA[";
    return result + text.substr(from) + "]]>";
}
