#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The system's regional formats as the program uses them: the short date format (with a two-digit
// year widened to four digits, so every date text reads back unambiguously), the system time text
// shown while the clock window loads, and the separator between hours and minutes.
class RegionalFormats {
public:
    explicit RegionalFormats(const QLocale& locale = QLocale::system());

    QString shortDateFormat() const { return m_shortDateFormat; }
    QString timeSeparator() const { return m_timeSeparator; }

    QString dateText(const QDate& date) const;
    // An invalid date when the text is not a date in the short date format.
    QDate parseDateText(const QString& text) const;
    // The locale's own time of day with seconds and without a time zone.
    QString systemTimeText(const QTime& time) const;

private:
    QLocale m_locale;
    QString m_shortDateFormat;
    QString m_systemTimeFormat;
    QString m_timeSeparator;
};
