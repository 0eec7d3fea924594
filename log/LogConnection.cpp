#include "log/LogConnection.h"

#include "log/ConnectionString.h"
#include "log/LogDamage.h"
#include "log/SqliteStatement.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

const QString& LogConnection::provider() {
    static const QString name = QStringLiteral("Microsoft.Jet.OLEDB.3.51");
    return name;
}

LogConnection::~LogConnection() {
    close();
}

void LogConnection::close() {
    // Every statement of the record set is finalized before its connection closes, so v2 closes
    // at once.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool LogConnection::open(const QString& connectionString, const Paths& paths, int busyTimeoutMs) {
    close();
    const ConnectionString parts(connectionString);
    m_designPath = parts.value(QStringLiteral("Data Source"));
    m_filePath = m_designPath.isEmpty() ? QString() : paths.resolve(m_designPath);

    const QString providerName = parts.value(QStringLiteral("Provider"));
    if (providerName.compare(provider(), Qt::CaseInsensitive) != 0) {
        return fail(SQLITE_ERROR,
                    providerName.isEmpty()
                        ? QStringLiteral("the connection string names no provider; the log opens "
                                         "with \"%1\"")
                              .arg(provider())
                        : QStringLiteral("the provider \"%1\" is not known; the log opens with "
                                         "\"%2\"")
                              .arg(providerName, provider()));
    }
    if (m_designPath.isEmpty())
        return fail(SQLITE_ERROR, QStringLiteral("the connection string names no Data Source"));
    if (m_filePath.isEmpty()) {
        return fail(SQLITE_CANTOPEN,
                    QStringLiteral("the path is outside the installation folder "
                                   "C:\\Programmi\\Tempora\\ and the backup medium A:\\"));
    }
    const QFileInfo file(m_filePath);
    if (!file.exists())
        return fail(SQLITE_CANTOPEN, QStringLiteral("the file does not exist"));
    if (!file.isFile())
        return fail(SQLITE_CANTOPEN, QStringLiteral("it is not a file"));

    // Without SQLITE_OPEN_CREATE a file that vanished meanwhile is not created either.
    const QByteArray path = QFile::encodeName(m_filePath);
    int rc = sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
        close();
        return fail(rc, message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    m_lockWait.install(m_db, busyTimeoutMs, &m_backgroundReads);

    // The first read of the schema tells a database from any other file.
    SqliteStatement table;
    if (!table.prepare(m_db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                            "AND name = 'Log1' COLLATE NOCASE"))) {
        const int code = table.errorCode();
        const QString message = (code & 0xff) == SQLITE_NOTADB
                                    ? QStringLiteral("the file is not an SQLite database")
                                    : table.errorMessage();
        close();
        return fail(code, message);
    }
    const bool hasTable = table.step();
    if (table.failed()) {
        const int code = table.errorCode();
        const QString message = table.errorMessage();
        close();
        return fail(code, message);
    }
    table.reset();
    if (!hasTable) {
        close();
        return fail(SQLITE_ERROR, QStringLiteral("the database has no table Log1"));
    }
    m_lastError.clear();
    return true;
}

bool LogConnection::fail(int number, const QString& reason) {
    const QString file = m_filePath.isEmpty() ? QStringLiteral("no local file") : m_filePath;
    m_lastError =
        QStringLiteral("Cannot open the log %1 (%2): %3.")
            .arg(m_designPath.isEmpty() ? QStringLiteral("\"\"") : m_designPath, file, reason);
    if (LogDamage::isDamage(number))
        m_lastError += QStringLiteral("\nThe log is damaged. ") + LogDamage::whatToDo();
    return false;
}
