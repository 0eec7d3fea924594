#include "log/LogSchema.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

bool LogSchema::create(const QString& filePath) {
    if (QFileInfo::exists(filePath)) {
        m_lastError = QStringLiteral("The log \"%1\" exists already.").arg(filePath);
        return false;
    }
    static const char* const kSchema =
        "BEGIN;"
        "CREATE TABLE Log1 ([QSO Date] DATE, [Time Init] TEXT, [Time End] TEXT, OM_Call TEXT,"
        " Name TEXT, QTH TEXT, [QSL Man] TEXT, Band TEXT, Frequency TEXT, Mode TEXT, Note TEXT);"
        "CREATE INDEX Log1_OM_Call ON Log1 (OM_Call COLLATE NOCASE);"
        "CREATE INDEX Log1_QSO_Date ON Log1 ([QSO Date]);"
        "COMMIT;";
    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(filePath);
    int rc =
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* message = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, kSchema, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        m_lastError = QStringLiteral("Cannot create the log \"%1\": %2")
                          .arg(filePath, QString::fromUtf8(message ? message : sqlite3_errmsg(db)));
        sqlite3_free(message);
        sqlite3_close(db);
        QFile::remove(filePath);
        return false;
    }
    sqlite3_close(db);
    m_lastError.clear();
    return true;
}
