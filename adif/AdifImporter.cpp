#include "adif/AdifImporter.h"

#include "adif/AdifReader.h"
#include "adif/BatchQueue.h"
#include "adif/DuplicateKeys.h"
#include "adif/LogContactTable.h"
#include "adif/LogKeyReader.h"
#include "adif/TableIndexes.h"
#include "log/SqliteStatement.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {
constexpr qint64 kProgressEvery = 4096;
constexpr qsizetype kBatchRecords = 1024;
// Seen in real ADI files: about 200 bytes a record, so this rather over- than underestimates.
constexpr qint64 kBytesPerRecord = 150;
// An import this many times smaller than the log reads the contacts of its own dates only.
constexpr qint64 kByDateRatio = 64;
// An import of at least this share of the log takes the log's indexes away while it inserts and
// builds them again at the end.
constexpr qint64 kRebuildRatio = 4;
// The page cache while importing: big enough that the log's indexes of a million contacts stay
// in memory through the transaction, small enough for the import's memory budget. Without the
// indexes the rows are only appended, and each index is then built by sorting its keys in runs as
// large as the cache, on two threads, and merging the runs: there small runs are the fastest
// (a fifth faster than one thread with four times the cache) and take the least memory.
constexpr int kCacheKibibytes = 24576;
constexpr int kRebuildCacheKibibytes = 2048;
constexpr int kSortThreads = 2;
// While the indexes are built, Cancel is looked at every so many steps of SQLite's machine;
// building one index takes about kStepsPerRow steps a contact.
constexpr int kStepsPerProgress = 1 << 18;
constexpr qint64 kStepsPerRow = 8;

bool execute(sqlite3* db, const QByteArray& sql, QString* error = nullptr) {
    SqliteStatement statement;
    const bool done = statement.prepare(db, QString::fromLatin1(sql)) && statement.execute();
    if (!done && error)
        *error = statement.errorMessage();
    return done;
}
} // namespace

bool AdifImporter::run(const QStringList& files) {
    m_imported = m_duplicates = m_refusedCount = 0;
    m_lastError.clear();
    // The connection's settings that the import changes, put back afterwards.
    QList<QByteArray> settings;
    for (const char* pragma : {"cache_size", "threads"}) {
        SqliteStatement setting;
        if (!setting.prepare(m_db, QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma))) ||
            !setting.step())
            return fail(setting.errorMessage());
        settings.append(QByteArray("PRAGMA ") + pragma + '=' +
                        QByteArray::number(setting.integer(0)));
    }
    const bool done = runInTransaction(files);
    for (const QByteArray& setting : settings)
        execute(m_db, setting);
    return done;
}

bool AdifImporter::runInTransaction(const QStringList& files) {
    QString error;
    // IMMEDIATE takes the write lock now, waiting the busy time-out for another writer.
    if (!execute(m_db, "BEGIN IMMEDIATE", &error))
        return fail(QStringLiteral("the log is busy or cannot be written: ") + error);
    if (importAll(files) && execute(m_db, "COMMIT", &error))
        return true;
    if (m_lastError.isEmpty())
        m_lastError = error;
    execute(m_db, "ROLLBACK");
    m_imported = m_duplicates = m_refusedCount = 0;
    return false;
}

bool AdifImporter::importAll(const QStringList& files) {
    std::vector<std::unique_ptr<QFile>> opened;
    qint64 totalBytes = 0;
    for (const QString& path : files) {
        auto file = std::make_unique<QFile>(path);
        if (!file->open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1: %2").arg(path, file->errorString()));
        totalBytes += file->size();
        opened.push_back(std::move(file));
    }

    SqliteStatement count;
    if (!count.prepare(m_db, QStringLiteral("SELECT count(*) FROM Log1")) || !count.step())
        return fail(count.errorMessage());
    const qint64 contacts = count.integer(0);
    count.reset();
    const qint64 expected = totalBytes / kBytesPerRecord;
    const bool rebuild = expected * kRebuildRatio >= contacts;
    const bool small = expected * kByDateRatio < contacts;
    DuplicateKeys keys(small ? expected : contacts + expected);
    LogKeyReader logKeys(m_db, keys);
    if (!(small && logKeys.canReadByDate()) && !logKeys.readAll())
        return fail(logKeys.lastError());
    TableIndexes indexes(m_db, QStringLiteral("Log1"));
    if (rebuild && !indexes.drop())
        return fail(indexes.lastError());
    execute(m_db,
            QByteArray("PRAGMA cache_size=-" +
                       QByteArray::number(rebuild ? kRebuildCacheKibibytes : kCacheKibibytes)));
    const qint64 progressTotal = rebuild ? 2 * totalBytes : totalBytes;

    SqliteStatement insert;
    if (!insert.prepare(m_db, LogContactTable::insert()))
        return fail(insert.errorMessage());
    // The files are read and their records mapped on a thread of its own while the contacts read
    // before are checked and inserted here.
    BatchQueue<RecordBatch> batches;
    QString readFailure;
    std::thread reading([&] {
        readFailure = readFiles(opened, batches);
        batches.close();
    });
    const bool inserted = insertRecords(batches, keys, logKeys, insert, progressTotal);
    batches.close();
    reading.join();
    if (!inserted)
        return false;
    if (!readFailure.isEmpty())
        return fail(readFailure);
    if (rebuild && !createIndexes(indexes, contacts + m_imported, totalBytes))
        return false;
    if (m_progress && !m_progress(progressTotal, progressTotal))
        return fail(QStringLiteral("cancelled"));
    return true;
}

struct AdifImporter::RecordBatch {
    // A record as the reading thread took it: a contact, or the reason it was refused.
    struct Record {
        LogContact contact;
        qint64 number = 0;
        QString refusal;
    };
    std::vector<Record> records;
    QString file;
    // How far into the files together the records reach.
    qint64 doneBytes = 0;
};

QString AdifImporter::readFiles(const std::vector<std::unique_ptr<QFile>>& files,
                                BatchQueue<RecordBatch>& batches) const {
    qint64 earlierBytes = 0;
    AdifRecord record;
    QString reason;
    for (const std::unique_ptr<QFile>& file : files) {
        const std::unique_ptr<AdifReader> reader = AdifReader::open(*file);
        RecordBatch batch;
        const auto send = [&](qint64 doneBytes) {
            batch.file = file->fileName();
            batch.doneBytes = doneBytes;
            return batches.push(std::exchange(batch, {}));
        };
        while (reader->next(record)) {
            RecordBatch::Record& read = batch.records.emplace_back();
            read.number = record.number;
            if (!record.refusal.isEmpty())
                read.refusal = record.refusal;
            else if (!m_mapping.contact(record, read.contact, reason))
                read.refusal = reason;
            if (qsizetype(batch.records.size()) == kBatchRecords &&
                !send(earlierBytes + file->pos()))
                return {};
        }
        earlierBytes += file->size();
        // The records before a failure still go, so that their refusals are told.
        if (!batch.records.empty() && !send(earlierBytes))
            return {};
        if (reader->failed())
            return QStringLiteral("cannot read %1: %2").arg(file->fileName(), reader->lastError());
    }
    return {};
}

bool AdifImporter::insertRecords(BatchQueue<RecordBatch>& batches, DuplicateKeys& keys,
                                 LogKeyReader& logKeys, SqliteStatement& insert,
                                 qint64 progressTotal) {
    qint64 records = 0;
    RecordBatch batch;
    while (batches.pop(batch)) {
        for (RecordBatch::Record& read : batch.records) {
            if (m_progress && ++records % kProgressEvery == 0 &&
                !m_progress(batch.doneBytes, progressTotal))
                return fail(QStringLiteral("cancelled"));
            if (!read.refusal.isEmpty()) {
                ++m_refusedCount;
                if (m_refused)
                    m_refused({batch.file, read.number, read.refusal});
                continue;
            }
            LogContact& contact = read.contact;
            if (!logKeys.readDate(contact[LogContact::Date]))
                return fail(logKeys.lastError());
            if (!keys.insert(keys.keyOf(contact))) {
                ++m_duplicates;
                continue;
            }
            if (!LogContactTable::bind(insert, contact) || !insert.execute())
                return fail(insert.errorMessage());
            ++m_imported;
        }
    }
    return true;
}

// Progress counts the building of the indexes as much as the reading of the files, going on by
// the steps it has taken against those it is expected to take.
bool AdifImporter::createIndexes(TableIndexes& indexes, qint64 contacts, qint64 fileBytes) {
    struct Building {
        const AdifProgress& progress;
        qint64 fileBytes;
        qint64 expectedCalls;
        qint64 calls = 0;
        bool cancelled = false;
    } building{m_progress, fileBytes,
               qMax<qint64>(1, contacts * indexes.count() * kStepsPerRow / kStepsPerProgress)};
    auto step = [](void* context) {
        auto& building = *static_cast<Building*>(context);
        const qint64 share = qMin(++building.calls, building.expectedCalls - 1) *
                             building.fileBytes / building.expectedCalls;
        building.cancelled = building.progress &&
                             !building.progress(building.fileBytes + share, 2 * building.fileBytes);
        return building.cancelled ? 1 : 0;
    };
    if (m_progress)
        sqlite3_progress_handler(m_db, kStepsPerProgress, step, &building);
    execute(m_db, "PRAGMA threads=" + QByteArray::number(kSortThreads));
    const bool created = indexes.create();
    sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    if (building.cancelled)
        return fail(QStringLiteral("cancelled"));
    return created || fail(indexes.lastError());
}

bool AdifImporter::fail(const QString& error) {
    m_lastError = error;
    return false;
}
