// Broadcast files as the import reads them: parsed, saved back, checked and read into a day.
#include "exchange/BroadcastImport.h"
#include "platform/Exceptions.h"
#include "support/xml/SimpleXml.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TSimpleXml xml;
    XmlInput input(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        xml.ParseStream(input);
    } catch (const TSimpleXmlInvalid&) {
        return 0;
    }
    xml.Root().SaveToString();
    try {
        CheckBroadcasts(xml, "fuzz.xml");
        TScheduleDay day;
        ReadBroadcastDay(xml.Root().Items(), day);
    } catch (const EConvertError&) {
    }
    return 0;
}
