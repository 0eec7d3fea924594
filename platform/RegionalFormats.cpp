#include "platform/RegionalFormats.h"

#include <QRegularExpression>

namespace {

// Qt reads a two-digit year as 19xx, so a stored short date would not read back: use four digits.
QString widenYear(QString format) {
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return format.replace(twoDigitYear, QStringLiteral("yyyy"));
}

// Qt's long time format holds the zone name ("t"), in some locales in brackets; the system time
// text has none.
QString withoutZone(QString format) {
    static const QRegularExpression zone(QStringLiteral("\\s*[(\\[]?t+[)\\]]?\\s*"));
    return format.replace(zone, QString()).trimmed();
}

// The text between two fields of a time format, without its quoted words, when it is a single
// mark that can stand between the digits of a clock ("14:05", "14.05"); empty otherwise, as for
// "HH 'h' mm" or a separator that is a word.
QString markBetween(const QString& timeFormat, const QString& fields) {
    const QRegularExpression between(fields);
    static const QRegularExpression quoted(QStringLiteral("'[^']*'"));
    QString text = between.match(timeFormat).captured(1);
    text = text.replace(quoted, QString()).trimmed();
    if (text.size() != 1)
        return QString();
    const QChar mark = text.front();
    return mark.isLetterOrNumber() || mark.isSpace() || mark == QLatin1Char('\'') ? QString()
                                                                                  : text;
}

// The mark between hours and minutes; else the one between minutes and seconds of the long format;
// else a colon.
QString clockSeparator(const QLocale& locale) {
    for (const QString& found :
         {markBetween(locale.timeFormat(QLocale::ShortFormat), QStringLiteral("[hH]+([^hHm]*)m")),
          markBetween(locale.timeFormat(QLocale::LongFormat), QStringLiteral("m+([^ms]*)s"))}) {
        if (!found.isEmpty())
            return found;
    }
    return QStringLiteral(":");
}

} // namespace

RegionalFormats::RegionalFormats(const QLocale& locale)
    : m_locale(locale), m_shortDateFormat(widenYear(locale.dateFormat(QLocale::ShortFormat))),
      m_systemTimeFormat(withoutZone(locale.timeFormat(QLocale::LongFormat))),
      m_timeSeparator(clockSeparator(locale)) {}

QString RegionalFormats::dateText(const QDate& date) const {
    return m_locale.toString(date, m_shortDateFormat);
}

QDate RegionalFormats::parseDateText(const QString& text) const {
    return m_locale.toDate(text.trimmed(), m_shortDateFormat);
}

QString RegionalFormats::systemTimeText(const QTime& time) const {
    return m_locale.toString(time, m_systemTimeFormat);
}
