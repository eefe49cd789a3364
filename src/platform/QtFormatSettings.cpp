#include "platform/QtFormatSettings.h"

#include "platform/QtText.h"

#include <QLocale>
#include <algorithm>
#include <optional>

namespace {

// The Windows-1251 form of a locale character; blanks without one become ' '.
char ToCp1251Char(QChar c, char fallback) {
    const char converted = FromQString(QString(c))[0];
    if (converted != '?' || c == '?') return converted;
    return c.isSpace() ? ' ' : fallback;
}

char FirstChar(const QString& text, char fallback) {
    return text.isEmpty() ? fallback : ToCp1251Char(text[0], fallback);
}

// A literal of FormatDateTime: quoted with whichever quote character it does not contain.
std::string QuoteLiteral(const std::string& text) {
    const char quote = text.find('"') == std::string::npos ? '"' : '\'';
    return quote + text + quote;
}

// Qt's quoted literal, from after its opening quote; '' inside stands for one quote.
QString ReadQtLiteral(const QString& format, qsizetype& pos) {
    QString literal;
    while (pos < format.size()) {
        const QChar c = format[pos++];
        if (c != '\'') {
            literal += c;
        } else if (pos < format.size() && format[pos] == '\'') {
            literal += c;
            ++pos;
        } else {
            break;
        }
    }
    return literal;
}

// A run of one Qt pattern letter in FormatDateTime's letters; nothing for a letter Qt prints
// as is.
std::optional<std::string> TranslateField(char16_t letter, qsizetype count) {
    const auto upTo = [count](qsizetype most, char c) {
        return std::string(static_cast<size_t>(std::min(count, most)), c);
    };
    switch (letter) {
    case 'd':
        return upTo(4, 'd');
    case 'M':
        return upTo(4, 'm');
    case 'y':
        return count <= 2 ? "yy" : "yyyy";
    case 'h':
    case 'H':
        return upTo(2, 'h');
    case 'm':
        return upTo(2, 'n');
    case 's':
        return upTo(2, 's');
    case 'z':
        return count < 3 ? "z" : "zzz";
    case 'a':
    case 'A':
        return "ampm";
    default:
        return std::nullopt;
    }
}

void AppendField(const QString& format, qsizetype& pos, std::string& out) {
    const QChar letter = format[pos];
    const qsizetype start = pos;
    while (pos < format.size() && format[pos] == letter)
        ++pos;
    const bool amPm = letter.toLower() == 'a';
    if (amPm && pos < format.size() && format[pos].toLower() == 'p') ++pos;
    if (letter == 't') { // the time zone: FormatDateTime has none
        out.erase(out.find_last_not_of(' ') + 1);
        return;
    }
    const auto field = TranslateField(letter.unicode(), pos - start);
    out += field ? *field : QuoteLiteral(FromQString(format.mid(start, pos - start)));
}

std::string TranslateFormat(const QString& format) {
    std::string out;
    for (qsizetype pos = 0; pos < format.size();) {
        const QChar c = format[pos];
        if (c == '\'' && pos + 1 < format.size() && format[pos + 1] == '\'') {
            out += QuoteLiteral("'");
            pos += 2;
        } else if (c == '\'') {
            ++pos;
            out += QuoteLiteral(FromQString(ReadQtLiteral(format, pos)));
        } else if (c.isLetter()) {
            AppendField(format, pos, out);
        } else {
            out += c == '"' ? QuoteLiteral("\"") : std::string(1, ToCp1251Char(c, '?'));
            ++pos;
        }
    }
    const size_t first = out.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : out.substr(first, out.find_last_not_of(' ') - first + 1);
}

// The first character between fields, outside quoted text.
char FindSeparator(const QString& format, char fallback) {
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return ToCp1251Char(c, fallback);
    }
    return fallback;
}

// Qt counts days from Monday = 1; FormatSettings' day names start at Sunday.
void ReadNames(const QLocale& locale, FormatSettings& settings) {
    for (int month = 1; month <= 12; ++month) {
        settings.ShortMonthNames[month - 1] =
            FromQString(locale.standaloneMonthName(month, QLocale::ShortFormat));
        settings.LongMonthNames[month - 1] =
            FromQString(locale.standaloneMonthName(month, QLocale::LongFormat));
    }
    for (int day = 0; day < 7; ++day) {
        const int qtDay = day == 0 ? 7 : day;
        settings.ShortDayNames[day] =
            FromQString(locale.standaloneDayName(qtDay, QLocale::ShortFormat));
        settings.LongDayNames[day] =
            FromQString(locale.standaloneDayName(qtDay, QLocale::LongFormat));
    }
}

} // namespace

FormatSettings ReadFormatSettings(const QLocale& locale) {
    FormatSettings settings;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString longTime = locale.timeFormat(QLocale::LongFormat);
    settings.ShortDateFormat = TranslateFormat(shortDate);
    settings.LongDateFormat = TranslateFormat(locale.dateFormat(QLocale::LongFormat));
    settings.ShortTimeFormat = TranslateFormat(locale.timeFormat(QLocale::ShortFormat));
    settings.LongTimeFormat = TranslateFormat(longTime);
    settings.DateSeparator = FindSeparator(shortDate, settings.DateSeparator);
    settings.TimeSeparator = FindSeparator(longTime, settings.TimeSeparator);
    settings.DecimalSeparator = FirstChar(locale.decimalPoint(), settings.DecimalSeparator);
    settings.ThousandSeparator = FirstChar(locale.groupSeparator(), settings.ThousandSeparator);
    settings.TimeAMString = FromQString(locale.amText());
    settings.TimePMString = FromQString(locale.pmText());
    ReadNames(locale, settings);
    return settings;
}

FormatSettings ReadSystemFormatSettings() {
    return ReadFormatSettings(QLocale::system());
}
