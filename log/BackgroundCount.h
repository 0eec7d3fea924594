#pragma once

#include "log/BackgroundReads.h"

#include <QString>
#include <QVariantList>

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

// Counts the rows of a record source on a second, read-only connection to the same file in a
// worker thread, started as the record source opens, so that going to the last record of a large
// log does not wait for the count. Given the source's rowids in order as well (keysSql), it reads
// them in the same read transaction, so that the grid can reach any position without walking the
// log on the UI thread. The answers are given only while the log is unchanged since the count
// started, as the connection it serves sees it; otherwise the caller reads for itself. A write of
// the program interrupts it (its answer would not hold after the write anyway).
class BackgroundCount {
public:
    BackgroundCount() = default;
    BackgroundCount(const BackgroundCount&) = delete;
    BackgroundCount& operator=(const BackgroundCount&) = delete;
    ~BackgroundCount();

    // Starts counting `sql` (one count(*) statement) with its parameters bound, and then reading
    // the rowids of `keysSql` when given, abandoning a count still running; a database without a
    // file of its own is not counted. `ready` is called on the worker thread when it has finished,
    // whether or not it succeeded, unless abandoned by then. The read gives way to writes through
    // ownReads.
    void start(sqlite3* db, const QString& sql, const QVariantList& parameters,
               const QString& keysSql = QString(), std::function<void()> ready = {},
               BackgroundReads* ownReads = nullptr);
    // The count, once: waits for the worker if it is still counting. Empty when the count
    // failed, was never started, or no longer holds.
    std::optional<qint64> take();
    // The rowids, once, on the same terms; empty too when no keysSql was given.
    std::optional<std::vector<qint64>> takeRowids();

private:
    struct Result {
        qint64 rows = -1;
        std::optional<std::vector<qint64>> rowids;
    };

    static Result read(BackgroundReads::Read& job, const QByteArray& file, const QString& sql,
                       const QString& keysSql, const QVariantList& parameters);
    void abandon();
    void wait();
    bool holds() const;
    qint64 dataVersion() const;

    std::shared_ptr<BackgroundReads::Read> m_job;

    sqlite3* m_db = nullptr;
    std::future<Result> m_future;
    std::optional<Result> m_result;
    bool m_countTaken = false;
    qint64 m_changes = 0;
    qint64 m_dataVersion = 0;
};
