#include "exchange/BroadcastFile.h"

#include "platform/Format.h"

namespace {

std::string Element(const char* name, const std::string& content) {
    return Format("    <%s>%s</%s>", name, content.c_str(), name);
}

bool XmlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 ? byte != 0x98 : (c == '\t' || c == '\n' || c == '\r');
}

std::string WithoutNonXmlBytes(const std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text)
        if (XmlCharacter(c)) kept += c;
    return kept;
}

} // namespace

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
    for (const char c : WithoutNonXmlBytes(text)) {
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

std::string XmlCData(const std::string& rawText) {
    const std::string text = WithoutNonXmlBytes(rawText);
    std::string result = "<![CDATA[";
    size_t from = 0;
    for (size_t end; (end = text.find("]]>", from)) != std::string::npos; from = end + 2)
        result += text.substr(from, end + 2 - from) + "]]><![CDATA[";
    return result + text.substr(from) + "]]>";
}
