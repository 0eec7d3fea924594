#pragma once

#include <QString>

// The station log's file format: an SQLite 3 database holding the table Log1 with the eleven
// fields the program shows. "QSO Date" holds the date as ISO text (yyyy-MM-dd) so that ordering
// by it is chronological; every other field is text. Call signs are indexed without regard to
// case, so that a `like` search can use the index, and dates are indexed for the date order.
class LogSchema {
public:
    // Creates a new log database at filePath; refuses a file that exists.
    bool create(const QString& filePath);
    QString lastError() const { return m_lastError; }

private:
    QString m_lastError;
};
