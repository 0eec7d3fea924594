#include "log/BackgroundCount.h"

#include "log/SqliteStatement.h"

#include <sqlite3.h>

namespace {

bool prepared(SqliteStatement& statement, sqlite3* db, const QString& sql,
              const QVariantList& parameters) {
    bool ready = statement.prepare(db, sql);
    for (int i = 0; ready && i < parameters.size(); ++i)
        ready = statement.bind(i + 1, parameters.at(i));
    return ready;
}

} // namespace

BackgroundCount::Result BackgroundCount::read(BackgroundReads::Read& job, const QByteArray& file,
                                              const QString& sql, const QString& keysSql,
                                              const QVariantList& parameters) {
    Result result;
    if (sqlite3* db = job.open(file, 1000)) {
        // One read transaction: the rowids are those of the rows counted.
        const bool ready = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
        SqliteStatement count;
        if (ready && prepared(count, db, sql, parameters) && count.step())
            result.rows = count.integer(0);
        SqliteStatement keys;
        if (result.rows >= 0 && !keysSql.isEmpty() && prepared(keys, db, keysSql, parameters)) {
            std::vector<qint64> rowids;
            rowids.reserve(size_t(result.rows));
            while (keys.step())
                rowids.push_back(keys.integer(0));
            if (!keys.failed() && qint64(rowids.size()) == result.rows)
                result.rowids = std::move(rowids);
        }
    }
    job.close();
    return result;
}

BackgroundCount::~BackgroundCount() {
    abandon();
}

void BackgroundCount::abandon() {
    if (m_future.valid()) {
        m_job->abandon();
        m_future.wait();
        m_future = {};
    }
    m_result.reset();
}

void BackgroundCount::start(sqlite3* db, const QString& sql, const QVariantList& parameters,
                            const QString& keysSql, std::function<void()> ready,
                            BackgroundReads* ownReads) {
    abandon();
    m_db = db;
    m_countTaken = false;
    const char* file = sqlite3_db_filename(db, "main");
    if (!file || !*file)
        return;
    // A read brings this connection's view of the file up to date before its version is kept.
    sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    m_changes = sqlite3_total_changes64(db);
    m_dataVersion = dataVersion();
    m_job = ownReads ? ownReads->add() : std::make_shared<BackgroundReads::Read>();
    m_future = std::async(std::launch::async, [job = m_job, path = QByteArray(file), sql, keysSql,
                                               parameters, ready = std::move(ready)] {
        Result result = read(*job, path, sql, keysSql, parameters);
        if (ready)
            ready();
        return result;
    });
}

void BackgroundCount::wait() {
    if (m_future.valid())
        m_result = m_future.get();
}

bool BackgroundCount::holds() const {
    return sqlite3_total_changes64(m_db) == m_changes && dataVersion() == m_dataVersion;
}

std::optional<qint64> BackgroundCount::take() {
    wait();
    if (!m_result || m_countTaken)
        return std::nullopt;
    m_countTaken = true;
    if (m_result->rows < 0 || !holds())
        return std::nullopt;
    return m_result->rows;
}

std::optional<std::vector<qint64>> BackgroundCount::takeRowids() {
    wait();
    if (!m_result || !m_result->rowids)
        return std::nullopt;
    std::optional<std::vector<qint64>> rowids = std::move(m_result->rowids);
    m_result->rowids.reset();
    if (!holds())
        return std::nullopt;
    return rowids;
}

qint64 BackgroundCount::dataVersion() const {
    // Changes with every commit to the file, by this connection or any other, as this
    // connection last saw it.
    unsigned int version = 0;
    sqlite3_file_control(m_db, "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return version;
}
