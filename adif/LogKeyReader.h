#pragma once

#include "adif/LogContact.h"
#include "log/SqliteStatement.h"

#include <QSet>
#include <QString>

class DuplicateKeys;
struct sqlite3;

// Puts the keys of the contacts already in the log into a DuplicateKeys set, reading only the
// columns a key is made of: either all of them in one pass over the table, or, for an import
// that is small against the log, one date at a time through the log's index on the date, before
// the first record of that date is checked. A key holds the date, so the contacts of other dates
// can never match.
class LogKeyReader {
public:
    LogKeyReader(sqlite3* db, DuplicateKeys& keys) : m_db(db), m_keys(keys) {}

    bool readAll();
    // False without an index that finds a date's contacts (readDate would then pass over the
    // whole table each time), or when the log cannot be asked.
    bool canReadByDate();
    // The contacts of date, once per date; nothing after readAll().
    bool readDate(const QByteArray& date);
    QString lastError() const { return m_lastError; }

private:
    static QString byDate();
    static QString select(const QString& condition);
    bool readRows(SqliteStatement& statement);
    bool fail(const SqliteStatement& statement);

    sqlite3* m_db;
    DuplicateKeys& m_keys;
    SqliteStatement m_byDate;
    QSet<QByteArray> m_dates;
    bool m_readAll = false;
    LogContact m_contact;
    QString m_lastError;
};
