#include "support/navigator/NavigatorSetup.h"

#include "platform/QtImageList.h"
#include "support/navigator/DBNavigator.h"

namespace {
constexpr const char* kCaptions[kNavButtonCount] = {"First",  "Prior", "Next", "Last",   "Insert",
                                                    "Delete", "Edit",  "Post", "Cancel", "Refresh"};
} // namespace

// A list of fewer than ten images leaves the glyphs beyond it empty.
void SetupNavigatorButtons(TDBNavigator& navigator, const TQtImageList& images) {
    for (int i = 0; i < kNavButtonCount; ++i) {
        TNavButton& button = navigator.Button(static_cast<TNavigateBtn>(i));
        button.SetCaption(kCaptions[i]);
        button.SetNumGlyphs(1);
        button.SetGlyph(i < images.Count() ? images.Image(i) : QImage());
        button.SetLayout(blGlyphTop);
    }
}
