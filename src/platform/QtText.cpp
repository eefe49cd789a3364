#include "platform/QtText.h"

#include "platform/Cp1251.h"

QString ToQString(const std::string& cp1251) {
    QString result(static_cast<qsizetype>(cp1251.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char c : cp1251)
        *out++ = QChar(Cp1251ToUnicode(static_cast<unsigned char>(c)));
    return result;
}

std::string FromQString(const QString& text) {
    std::string result(static_cast<size_t>(text.size()), '\0');
    size_t length = 0;
    const QChar* const end = text.constData() + text.size();
    for (const QChar* c = text.constData(); c != end; ++c) {
        // A surrogate pair is one character outside the set: one '?'.
        if (c->isHighSurrogate() && c + 1 != end && (c + 1)->isLowSurrogate()) ++c;
        result[length++] = UnicodeToCp1251(c->unicode());
    }
    result.resize(length);
    return result;
}
