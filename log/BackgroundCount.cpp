#include "log/BackgroundCount.h"

#include "log/SqliteStatement.h"

#include <sqlite3.h>

qint64 BackgroundCount::count(const std::shared_ptr<Job>& job, const QByteArray& file,
                              const QString& sql, const QVariantList& parameters) {
    sqlite3* db = nullptr;
    qint64 rows = -1;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 1000);
        bool ready = false;
        {
            const std::lock_guard<std::mutex> lock(job->mutex);
            job->db = db;
            ready = !job->abandoned;
        }
        SqliteStatement statement;
        ready = ready && statement.prepare(db, sql);
        for (int i = 0; ready && i < parameters.size(); ++i)
            ready = statement.bind(i + 1, parameters.at(i));
        if (ready && statement.step())
            rows = statement.integer(0);
    }
    {
        const std::lock_guard<std::mutex> lock(job->mutex);
        job->db = nullptr;
    }
    sqlite3_close(db);
    return rows;
}

BackgroundCount::~BackgroundCount() {
    abandon();
}

void BackgroundCount::abandon() {
    if (!m_result.valid())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_job->mutex);
        m_job->abandoned = true;
        if (m_job->db)
            sqlite3_interrupt(m_job->db);
    }
    m_result.wait();
    m_result = {};
}

void BackgroundCount::start(sqlite3* db, const QString& sql, const QVariantList& parameters) {
    abandon();
    m_db = db;
    const char* file = sqlite3_db_filename(db, "main");
    if (!file || !*file)
        return;
    // A read brings this connection's view of the file up to date before its version is kept.
    sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    m_changes = sqlite3_total_changes64(db);
    m_dataVersion = dataVersion();
    m_job = std::make_shared<Job>();
    m_result = std::async(std::launch::async, count, m_job, QByteArray(file), sql, parameters);
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
