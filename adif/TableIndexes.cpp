#include "adif/TableIndexes.h"

#include "log/SqliteStatement.h"

#include <QStringList>

bool TableIndexes::drop() {
    m_definitions.clear();
    SqliteStatement indexes;
    // The indexes SQLite makes itself (for UNIQUE, PRIMARY KEY) have no SQL and stay.
    if (!indexes.prepare(m_db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = "
                                              "'index' AND tbl_name = ? AND sql IS NOT NULL")) ||
        !indexes.bind(1, m_table))
        return fail(indexes.errorMessage());
    QStringList names;
    while (indexes.step()) {
        names.append(QString::fromUtf8(indexes.text(0)));
        // A deep copy: the text points into the row.
        const QByteArray sql = indexes.text(1);
        m_definitions.append(QByteArray(sql.constData(), sql.size()));
    }
    if (indexes.failed())
        return fail(indexes.errorMessage());
    for (QString& name : names) {
        SqliteStatement dropping;
        const QString sql = QStringLiteral("DROP INDEX \"%1\"")
                                .arg(name.replace(QLatin1Char('"'), QLatin1String("\"\"")));
        if (!dropping.prepare(m_db, sql) || !dropping.execute())
            return fail(dropping.errorMessage());
    }
    return true;
}

bool TableIndexes::create() {
    for (const QByteArray& definition : m_definitions) {
        SqliteStatement creating;
        if (!creating.prepare(m_db, QString::fromUtf8(definition)) || !creating.execute())
            return fail(creating.errorMessage());
    }
    m_definitions.clear();
    return true;
}

bool TableIndexes::fail(const QString& error) {
    m_lastError = error;
    return false;
}
