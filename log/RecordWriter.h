#pragma once

#include <QBitArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct sqlite3;

// Writes records of one table by rowid, optimistically: an update or a delete names the values
// the row held when it was read, and touches the row only if it still holds them. Writes run
// inside begin()/commit(); rollback() undoes them all.
class RecordWriter {
public:
    enum class Outcome {
        Written,
        // The row holds other values than those read: changed by someone else.
        Changed,
        // No row has this rowid any more: deleted by someone else.
        Gone,
        Failed
    };

    RecordWriter(sqlite3* db, QString table, QStringList fields);

    bool begin();
    bool commit();
    void rollback();

    // Sets the fields marked in `changed` to their value in `values`.
    Outcome update(qint64 rowid, const QVector<QVariant>& original, const QVector<QVariant>& values,
                   const QBitArray& changed);
    // Inserts the fields marked in `set`; the new row's rowid in `rowid`.
    Outcome insert(const QVector<QVariant>& values, const QBitArray& set, qint64& rowid);
    // Without `original`, the row is deleted whatever it holds.
    Outcome remove(qint64 rowid, const QVector<QVariant>* original);

    QString lastError() const { return m_lastError; }
    int lastErrorNumber() const { return m_lastErrorNumber; }

private:
    bool run(const QString& sql, const QVariantList& values);
    QString unchangedCondition(const QVector<QVariant>& original, QVariantList& values) const;
    Outcome missing(qint64 rowid);

    sqlite3* m_db;
    QString m_table;
    QStringList m_quotedFields;
    QString m_lastError;
    int m_lastErrorNumber = 0;
};
