#include "platform/RegionalFormats.h"

#include <QRegularExpression>

namespace {

// Qt reads a two-digit year as 19xx, so a stored short date would not read back: use four digits.
QString widenYear(QString format) {
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return format.replace(twoDigitYear, QStringLiteral("yyyy"));
}

QString withoutLeadingZeros(QString format) {
    static const QRegularExpression day(QStringLiteral("(?<!d)dd(?!d)"));
    static const QRegularExpression month(QStringLiteral("(?<!M)MM(?!M)"));
    return format.replace(day, QStringLiteral("d")).replace(month, QStringLiteral("M"));
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
      m_typedDateFormat(withoutLeadingZeros(m_shortDateFormat)),
      m_systemTimeFormat(withoutZone(locale.timeFormat(QLocale::LongFormat))),
      m_timeSeparator(clockSeparator(locale)) {}

QString RegionalFormats::dateText(const QDate& date) const {
    return m_locale.toString(date, m_shortDateFormat);
}

QDate RegionalFormats::parseDateText(const QString& text) const {
    const QString typed = text.trimmed();
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (iso.match(typed).hasMatch())
        return QDate::fromString(typed, Qt::ISODate);
    const QDate date = m_locale.toDate(typed, m_typedDateFormat);
    if (date.isValid())
        return date;
    // Qt reads a two-digit year in the 1900s.
    static const QRegularExpression fourDigitYear(QStringLiteral("(?<!y)yyyy(?!y)"));
    const QDate shortYear = m_locale.toDate(
        typed, QString(m_typedDateFormat).replace(fourDigitYear, QStringLiteral("yy")));
    return shortYear.isValid() && shortYear.year() < 1950 ? shortYear.addYears(100) : shortYear;
}

QString RegionalFormats::systemTimeText(const QTime& time) const {
    return m_locale.toString(time, m_systemTimeFormat);
}
