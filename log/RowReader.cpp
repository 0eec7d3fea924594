#include "log/RowReader.h"

#include "log/RecordSource.h"
#include "log/RowKeys.h"

bool RowReader::prepare(sqlite3* db, const RecordSource& source, int cachedRows) {
    m_cache.clear();
    m_cache.setMaxCost(cachedRows);
    m_fieldNames.clear();
    if (!m_statement.prepare(db,
                             QStringLiteral("SELECT %1 FROM %2 WHERE rowid = :rowid")
                                 .arg(source.selectList, source.table),
                             true))
        return false;
    for (int i = 0; i < m_statement.columnCount(); ++i)
        m_fieldNames << m_statement.columnName(i);
    return true;
}

bool RowReader::read(qint64 rowid, Row& row) {
    if (const Row* cached = m_cache.object(rowid)) {
        row = *cached;
        return true;
    }
    return reread(rowid, row);
}

bool RowReader::reread(qint64 rowid, Row& row) {
    row.values = QVector<QVariant>(m_fieldNames.size());
    row.exists = false;
    if (rowid != RowKeys::kVanished) {
        m_statement.reset();
        if (!m_statement.bind(":rowid", rowid))
            return false;
        if (m_statement.step()) {
            row.exists = true;
            for (int i = 0; i < row.values.size(); ++i)
                row.values[i] = m_statement.value(i);
        }
        if (m_statement.failed())
            return false;
        m_statement.reset();
    }
    m_cache.insert(rowid, new Row(row));
    return true;
}
