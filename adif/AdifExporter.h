#pragma once

#include "adif/AdifMapping.h"
#include "adif/AdifProgress.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

class AdifWriter;
class ContactBatch;
class QIODevice;
struct sqlite3;
template <typename Batch> class BatchQueue;

// Writes the log's contacts to a device as they are read, in the order they were entered, from
// one snapshot of the log. from and to (inclusive, either may be invalid for no limit) select
// by the stored `QSO Date`. Progress counts contacts; a cancel fails with "cancelled".
class AdifExporter {
public:
    struct Options {
        QDate from;
        QDate to;
        AdifMapping::Form form = AdifMapping::Form::Adi;
        std::optional<int> localDifference;
    };

    AdifExporter(sqlite3* db, const AdifMapping& mapping) : m_db(db), m_mapping(mapping) {}
    void setProgress(AdifProgress progress) { m_progress = std::move(progress); }

    bool run(QIODevice& device, const Options& options, const QDateTime& created);
    qint64 exported() const { return m_exported; }
    // Contacts with a text that lost characters ADI cannot hold.
    qint64 transliterated() const { return m_transliterated; }
    QString lastError() const { return m_lastError; }

private:
    bool write(QIODevice& device, const Options& options, const QDateTime& created);
    // Maps and writes the contacts of each batch as it comes, telling progress of total.
    bool writeRecords(BatchQueue<ContactBatch>& batches, AdifWriter& writer, const Options& options,
                      qint64 total);
    bool fail(const QString& error);

    sqlite3* m_db;
    const AdifMapping& m_mapping;
    AdifProgress m_progress;
    qint64 m_exported = 0;
    qint64 m_transliterated = 0;
    QString m_lastError;
};
