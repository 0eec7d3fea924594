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
    // A date typed in the short date format, its day and month with or without a leading zero and
    // its year of four digits or two (00 to 49 read as 2000 to 2049, 50 to 99 as 1950 to 1999),
    // or as ISO yyyy-MM-dd; an invalid date for any other text.
    QDate parseDateText(const QString& text) const;
    // The locale's own time of day with seconds and without a time zone.
    QString systemTimeText(const QTime& time) const;

private:
    QLocale m_locale;
    QString m_shortDateFormat;
    // The short date format with single-letter day and month, which read one digit or two.
    QString m_typedDateFormat;
    QString m_systemTimeFormat;
    QString m_timeSeparator;
};
