// Item texts through the markup renderer, measuring only, as the planner sizes an item.
#include "support/RecordingCanvas.h"
#include "support/markup/Markup.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    RecordingCanvas canvas;
    TMarkupOptions options;
    options.MeasureOnly = true;
    TMarkupResult result;
    DrawMarkupText(canvas, text, TRect{0, 0, 200, 400}, options, result);
    MarkupToPlainText(text);
    return 0;
}
