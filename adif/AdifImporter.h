#pragma once

#include "adif/AdifMapping.h"
#include "adif/AdifProgress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class DuplicateKeys;
class LogKeyReader;
class QFile;
class SqliteStatement;
class TableIndexes;
struct sqlite3;
template <typename Batch> class BatchQueue;

// Adds the contacts of ADIF files (ADI or ADX, told apart by their content) to the log in one
// transaction: all of them or, on any failure or cancel, none. A record that cannot be a
// contact is refused with its reason and the rest go in; a contact already in the log or
// earlier in the same import (see DuplicateKeys) is skipped and counted. Progress counts bytes
// of all files together.
class AdifImporter {
public:
    struct Refusal {
        QString file;
        qint64 record;
        QString reason;
    };

    AdifImporter(sqlite3* db, const AdifMapping& mapping) : m_db(db), m_mapping(mapping) {}
    void setProgress(AdifProgress progress) { m_progress = std::move(progress); }
    void setRefusals(std::function<void(const Refusal&)> refused) {
        m_refused = std::move(refused);
    }

    bool run(const QStringList& files);
    qint64 imported() const { return m_imported; }
    qint64 duplicates() const { return m_duplicates; }
    qint64 refused() const { return m_refusedCount; }
    QString lastError() const { return m_lastError; }

private:
    bool runInTransaction(const QStringList& files);
    struct RecordBatch;

    bool importAll(const QStringList& files);
    // Reads and maps the files' records into batches, on a thread of its own; the failure that
    // ended the reading, empty for none.
    QString readFiles(const std::vector<std::unique_ptr<QFile>>& files,
                      BatchQueue<RecordBatch>& batches) const;
    // Counts the refusals and duplicates of each batch as it comes and inserts the rest.
    bool insertRecords(BatchQueue<RecordBatch>& batches, DuplicateKeys& keys, LogKeyReader& logKeys,
                       SqliteStatement& insert, qint64 progressTotal);
    bool createIndexes(TableIndexes& indexes, qint64 contacts, qint64 fileBytes);
    bool fail(const QString& error);

    sqlite3* m_db;
    const AdifMapping& m_mapping;
    AdifProgress m_progress;
    std::function<void(const Refusal&)> m_refused;
    qint64 m_imported = 0;
    qint64 m_duplicates = 0;
    qint64 m_refusedCount = 0;
    QString m_lastError;
};
