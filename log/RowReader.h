#pragma once

#include "log/SqliteStatement.h"

#include <QCache>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct RecordSource;
struct sqlite3;

// The values of a record set's fields for one row, read by rowid with the record source's own
// select list. The last rows read are kept (a few screens of the grid); nothing else of the log
// is held in memory.
class RowReader {
public:
    struct Row {
        QVector<QVariant> values;
        // False when no row has this rowid any more (deleted by someone else).
        bool exists = false;
    };

    // Prepares the read and learns the field names; fails when the select list does not read.
    bool prepare(sqlite3* db, const RecordSource& source, int cachedRows);
    const QStringList& fieldNames() const { return m_fieldNames; }

    // Reads the row (from the cache when it is there).
    bool read(qint64 rowid, Row& row);
    // Reads the row from the table, bypassing and refreshing the cache.
    bool reread(qint64 rowid, Row& row);
    void forget(qint64 rowid) { m_cache.remove(rowid); }

    QString lastError() const { return m_statement.errorMessage(); }
    int lastErrorNumber() const { return m_statement.errorCode(); }

private:
    SqliteStatement m_statement;
    QStringList m_fieldNames;
    QCache<qint64, Row> m_cache;
};
