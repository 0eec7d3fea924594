#include "LogFiles.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

namespace LogFiles {

void addRows(const QString& path, int count, const QString& prefix) {
    const QByteArray sql =
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Log1 (OM_Call, Note) SELECT '%2' || i, hex(randomblob(40)) FROM n")
            .arg(count)
            .arg(prefix)
            .toUtf8();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("cannot add rows to %s: %s", qPrintable(path), sqlite3_errmsg(db));
    sqlite3_close(db);
}

int number(const QString& path, const QString& query) {
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    int result = -1;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK &&
        sqlite3_prepare_v2(db, query.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        result = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace LogFiles
