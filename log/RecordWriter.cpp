#include "log/RecordWriter.h"

#include "log/SqliteStatement.h"

#include <sqlite3.h>

namespace {

QString quoted(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace

RecordWriter::RecordWriter(sqlite3* db, QString table, QStringList fields)
    : m_db(db), m_table(std::move(table)) {
    for (const QString& field : fields)
        m_quotedFields << quoted(field);
}

bool RecordWriter::run(const QString& sql, const QVariantList& values) {
    SqliteStatement statement;
    bool ok = statement.prepare(m_db, sql);
    for (int i = 0; ok && i < values.size(); ++i)
        ok = statement.bind(i + 1, values.at(i));
    ok = ok && statement.execute();
    if (!ok) {
        m_lastError = statement.errorMessage();
        m_lastErrorNumber = statement.errorCode();
    }
    return ok;
}

bool RecordWriter::begin() {
    // IMMEDIATE takes the write lock now, so a busy log fails before anything is written.
    return run(QStringLiteral("BEGIN IMMEDIATE"), {});
}

bool RecordWriter::commit() {
    if (run(QStringLiteral("COMMIT"), {}))
        return true;
    rollback();
    return false;
}

void RecordWriter::rollback() {
    if (!sqlite3_get_autocommit(m_db)) {
        const QString error = m_lastError;
        const int number = m_lastErrorNumber;
        run(QStringLiteral("ROLLBACK"), {});
        m_lastError = error;
        m_lastErrorNumber = number;
    }
}

QString RecordWriter::unchangedCondition(const QVector<QVariant>& original,
                                         QVariantList& values) const {
    QString condition;
    for (int i = 0; i < m_quotedFields.size() && i < original.size(); ++i) {
        condition += QStringLiteral(" AND %1 IS ?").arg(m_quotedFields.at(i));
        values << original.at(i);
    }
    return condition;
}

RecordWriter::Outcome RecordWriter::missing(qint64 rowid) {
    SqliteStatement statement;
    if (!statement.prepare(m_db, QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?").arg(m_table)) ||
        !statement.bind(1, rowid)) {
        m_lastError = statement.errorMessage();
        m_lastErrorNumber = statement.errorCode();
        return Outcome::Failed;
    }
    const bool exists = statement.step();
    if (statement.failed()) {
        m_lastError = statement.errorMessage();
        m_lastErrorNumber = statement.errorCode();
        return Outcome::Failed;
    }
    return exists ? Outcome::Changed : Outcome::Gone;
}

RecordWriter::Outcome RecordWriter::update(qint64 rowid, const QVector<QVariant>& original,
                                           const QVector<QVariant>& values,
                                           const QBitArray& changed) {
    QStringList assignments;
    QVariantList bound;
    for (int i = 0; i < m_quotedFields.size(); ++i) {
        if (changed.testBit(i)) {
            assignments << m_quotedFields.at(i) + QStringLiteral(" = ?");
            bound << values.at(i);
        }
    }
    if (assignments.isEmpty())
        return Outcome::Written;
    bound << rowid;
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                            .arg(m_table, assignments.join(QStringLiteral(", "))) +
                        unchangedCondition(original, bound);
    if (!run(sql, bound))
        return Outcome::Failed;
    return sqlite3_changes(m_db) == 1 ? Outcome::Written : missing(rowid);
}

RecordWriter::Outcome RecordWriter::insert(const QVector<QVariant>& values, const QBitArray& set,
                                           qint64& rowid) {
    QStringList fields;
    QStringList marks;
    QVariantList bound;
    for (int i = 0; i < m_quotedFields.size(); ++i) {
        if (set.testBit(i)) {
            fields << m_quotedFields.at(i);
            marks << QStringLiteral("?");
            bound << values.at(i);
        }
    }
    const QString sql = fields.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table)
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(m_table, fields.join(QStringLiteral(", ")),
                                       marks.join(QStringLiteral(", ")));
    if (!run(sql, bound))
        return Outcome::Failed;
    rowid = sqlite3_last_insert_rowid(m_db);
    return Outcome::Written;
}

RecordWriter::Outcome RecordWriter::remove(qint64 rowid, const QVector<QVariant>* original) {
    QVariantList bound{rowid};
    QString sql = QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_table);
    if (original)
        sql += unchangedCondition(*original, bound);
    if (!run(sql, bound))
        return Outcome::Failed;
    return sqlite3_changes(m_db) == 1 ? Outcome::Written : missing(rowid);
}
