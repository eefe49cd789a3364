#pragma once

#include "support/xml/SimpleXml.h"

#include <string>

// Parses `text` into `xml` as a file's content would be.
inline void Parse(TSimpleXml& xml, const std::string& text) {
    XmlInput input(text);
    xml.ParseStream(input);
}

// The message of the TSimpleXmlInvalid that parsing `text` raises, or "no error".
inline std::string ParseError(const std::string& text) {
    TSimpleXml xml;
    try {
        Parse(xml, text);
    } catch (const TSimpleXmlInvalid& error) {
        return error.Message();
    }
    return "no error";
}
