#include "log/BackgroundCount.h"

#include "log/SqliteStatement.h"

#include <sqlite3.h>

namespace {

qint64 countOnOwnConnection(const QByteArray& file, const QString& sql,
                            const QVariantList& parameters) {
    sqlite3* db = nullptr;
    qint64 rows = -1;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 1000);
        SqliteStatement statement;
        bool ready = statement.prepare(db, sql);
        for (int i = 0; ready && i < parameters.size(); ++i)
            ready = statement.bind(i + 1, parameters.at(i));
        if (ready && statement.step())
            rows = statement.integer(0);
    }
    sqlite3_close(db);
    return rows;
}

} // namespace

BackgroundCount::~BackgroundCount() {
    if (m_result.valid())
        m_result.wait();
}

void BackgroundCount::start(sqlite3* db, const QString& sql, const QVariantList& parameters) {
    if (m_result.valid())
        m_result.wait();
    m_result = {};
    m_db = db;
    const char* file = sqlite3_db_filename(db, "main");
    if (!file || !*file)
        return;
    // A read brings this connection's view of the file up to date before its version is kept.
    sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    m_changes = sqlite3_total_changes64(db);
    m_dataVersion = dataVersion();
    m_result = std::async(std::launch::async, countOnOwnConnection, QByteArray(file), sql,
                          parameters);
}

std::optional<qint64> BackgroundCount::take() {
    if (!m_result.valid())
        return std::nullopt;
    const qint64 rows = m_result.get();
    if (rows < 0 || sqlite3_total_changes64(m_db) != m_changes || dataVersion() != m_dataVersion)
        return std::nullopt;
    return rows;
}

qint64 BackgroundCount::dataVersion() const {
    // Changes with every commit to the file, by this connection or any other, as this
    // connection last saw it.
    unsigned int version = 0;
    sqlite3_file_control(m_db, "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return version;
}
