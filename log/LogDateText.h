#pragma once

#include <QString>
#include <QVariant>

class RegionalFormats;

// The log's dates between the table and the operator: stored as ISO text (yyyy-MM-dd), so they
// sort by date, and shown and typed as the short date text of the regional formats. A stored
// value that is not an ISO date is shown as it is; an empty text stores no value.
class LogDateText {
public:
    explicit LogDateText(const RegionalFormats& formats) : m_formats(formats) {}

    QString text(const QVariant& stored) const;
    // False, with a description, when the text is not a date in the short date format.
    bool stored(const QString& text, QVariant& value) const;
    QString lastError() const { return m_lastError; }

private:
    const RegionalFormats& m_formats;
    mutable QString m_lastError;
};
