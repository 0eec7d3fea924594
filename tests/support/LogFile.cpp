#include "LogFile.h"

#include "log/SqliteStatement.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

LogFile::LogFile(const QString& path) {
    QVERIFY2(sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE,
                             nullptr) == SQLITE_OK,
             qPrintable(path));
    // Like any program sharing the file, wait for another connection's read to finish.
    sqlite3_busy_timeout(m_db, 5000);
    // The test's own rows need not survive a power cut: skip waiting for the disk.
    execute(QStringLiteral("PRAGMA synchronous = OFF"));
}

LogFile::~LogFile() {
    sqlite3_close_v2(m_db);
}

qint64 LogFile::add(const QString& date, const QString& call, const QString& name) {
    execute(QStringLiteral("INSERT INTO Log1 ([QSO Date], OM_Call, Name) VALUES (?, ?, ?)"),
            {date.isEmpty() ? QVariant() : QVariant(date),
             call.isEmpty() ? QVariant() : QVariant(call),
             name.isEmpty() ? QVariant() : QVariant(name)});
    return sqlite3_last_insert_rowid(m_db);
}

void LogFile::addMany(int count, const QString& callPrefix) {
    execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                           "i < ?) INSERT INTO Log1 (OM_Call, Note) SELECT ? || i, "
                           "hex(randomblob(40)) FROM n"),
            {count, callPrefix});
}

QStringList LogFile::rows(const QString& sql, const QVariantList& values) {
    SqliteStatement statement;
    bool ok = statement.prepare(m_db, sql);
    for (int i = 0; ok && i < values.size(); ++i)
        ok = statement.bind(i + 1, values.at(i));
    QStringList rows;
    while (ok && statement.step()) {
        QStringList values;
        for (int i = 0; i < statement.columnCount(); ++i) {
            const QVariant value = statement.value(i);
            values << (value.isNull() ? QStringLiteral("-") : value.toString());
        }
        rows << values.join(QLatin1Char('|'));
    }
    if (!ok || statement.failed())
        QTest::qFail(qPrintable(sql + ": " + statement.errorMessage()), __FILE__, __LINE__);
    return rows;
}
