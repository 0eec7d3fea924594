#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct sqlite3;

// The indexes of one table, taken away for a bulk insert and made again from the SQL the
// database keeps for them: SQLite builds an index from a sort, far cheaper than as many inserts
// in random order. Both run inside the caller's transaction, so a rollback brings the old
// indexes back as they were.
class TableIndexes {
public:
    TableIndexes(sqlite3* db, const QString& table) : m_db(db), m_table(table) {}

    bool drop();
    bool create();
    // The indexes drop() took away.
    qsizetype count() const { return m_definitions.size(); }
    QString lastError() const { return m_lastError; }

private:
    bool fail(const QString& error);

    sqlite3* m_db;
    QString m_table;
    QList<QByteArray> m_definitions;
    QString m_lastError;
};
