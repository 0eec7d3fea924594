#pragma once

#include <QString>
#include <QVariantList>

#include <future>
#include <memory>
#include <mutex>
#include <optional>

struct sqlite3;

// Counts the rows of a record source on a second, read-only connection to the same file in a
// worker thread, started as the record source opens, so that going to the last record of a large
// log does not wait for the count. The answer is given only while the log is unchanged since the
// count started, as the connection it serves sees it; otherwise the caller counts itself.
class BackgroundCount {
public:
    BackgroundCount() = default;
    BackgroundCount(const BackgroundCount&) = delete;
    BackgroundCount& operator=(const BackgroundCount&) = delete;
    ~BackgroundCount();

    // Starts counting `sql` (one count(*) statement) with its parameters bound, abandoning a
    // count still running; a database without a file of its own is not counted.
    void start(sqlite3* db, const QString& sql, const QVariantList& parameters);
    // The count, once: waits for the worker if it is still counting. Empty when the count
    // failed, was never started, or no longer holds.
    std::optional<qint64> take();

private:
    // The worker's connection, which the owner interrupts when it no longer wants the count.
    struct Job {
        std::mutex mutex;
        sqlite3* db = nullptr;
        bool abandoned = false;
    };

    static qint64 count(const std::shared_ptr<Job>& job, const QByteArray& file, const QString& sql,
                        const QVariantList& parameters);
    void abandon();
    qint64 dataVersion() const;

    std::shared_ptr<Job> m_job;

    sqlite3* m_db = nullptr;
    std::future<qint64> m_result;
    qint64 m_changes = 0;
    qint64 m_dataVersion = 0;
};
