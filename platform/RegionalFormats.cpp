#include "platform/RegionalFormats.h"

#include <QRegularExpression>

namespace {

// Qt reads a two-digit year as 19xx, so a stored short date would not read back: use four digits.
QString widenYear(QString format) {
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return format.replace(twoDigitYear, QStringLiteral("yyyy"));
}

// Qt's long time format ends with the zone name ("t"); the system time text has none.
QString withoutZone(QString format) {
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    return format.replace(zone, QString()).trimmed();
}

QString separatorBetweenHoursAndMinutes(const QString& timeFormat) {
    static const QRegularExpression between(QStringLiteral("[hH]+([^hHm]*)m"));
    const auto match = between.match(timeFormat);
    const QString separator = match.hasMatch() ? match.captured(1) : QString();
    return separator.isEmpty() ? QStringLiteral(":") : separator;
}

} // namespace

RegionalFormats::RegionalFormats(const QLocale& locale)
    : m_locale(locale), m_shortDateFormat(widenYear(locale.dateFormat(QLocale::ShortFormat))),
      m_systemTimeFormat(withoutZone(locale.timeFormat(QLocale::LongFormat))),
      m_timeSeparator(separatorBetweenHoursAndMinutes(locale.timeFormat(QLocale::ShortFormat))) {}

QString RegionalFormats::dateText(const QDate& date) const {
    return m_locale.toString(date, m_shortDateFormat);
}

QDate RegionalFormats::parseDateText(const QString& text) const {
    return m_locale.toDate(text.trimmed(), m_shortDateFormat);
}

QString RegionalFormats::systemTimeText(const QTime& time) const {
    return m_locale.toString(time, m_systemTimeFormat);
}
