#include "handover/LanguageCode.h"

#include "platform/Cp1251.h"

#include <QHash>
#include <QLocale>
#include <QString>

namespace {

void AddName(QHash<QString, QLocale::Language>& names, const QString& name,
             QLocale::Language language) {
    if (!name.isEmpty()) names.insert(name.toCaseFolded(), language);
}

// Every language name the locale data holds, case-folded; built once.
const QHash<QString, QLocale::Language>& LanguagesByName() {
    static const QHash<QString, QLocale::Language> names = [] {
        QHash<QString, QLocale::Language> all;
        for (const QLocale& locale : QLocale::matchingLocales(
                 QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            if (locale.language() <= QLocale::C) continue;
            AddName(all, locale.nativeLanguageName(), locale.language());
            AddName(all, QLocale::languageToString(locale.language()), locale.language());
        }
        return all;
    }();
    return names;
}

} // namespace

std::string LanguageCode(const std::string& name) {
    const QString key = QString::fromUtf8(Cp1251ToUtf8(name)).trimmed().toCaseFolded();
    QLocale::Language language = LanguagesByName().value(key, QLocale::AnyLanguage);
    if (language == QLocale::AnyLanguage) language = QLocale::codeToLanguage(key);
    return language > QLocale::C ? QLocale::languageToCode(language).toStdString() : std::string();
}
