#include "platform/QtFormFont.h"

QFont FormFont() {
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}
