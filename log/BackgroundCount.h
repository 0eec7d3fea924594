#pragma once

#include <QString>
#include <QVariantList>

#include <future>
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

    // Starts counting `sql` (one count(*) statement) with its parameters bound; a database
    // without a file of its own is not counted.
    void start(sqlite3* db, const QString& sql, const QVariantList& parameters);
    // The count, once: waits for the worker if it is still counting. Empty when the count
    // failed, was never started, or no longer holds.
    std::optional<qint64> take();

private:
    qint64 dataVersion() const;

    sqlite3* m_db = nullptr;
    std::future<qint64> m_result;
    qint64 m_changes = 0;
    qint64 m_dataVersion = 0;
};
