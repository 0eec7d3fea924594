#include "adif/AdifImporter.h"

#include "adif/AdifReader.h"
#include "adif/DuplicateKeys.h"
#include "adif/LogContactTable.h"
#include "adif/LogKeyReader.h"
#include "adif/TableIndexes.h"
#include "log/SqliteStatement.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>
#include <vector>

namespace {
constexpr qint64 kProgressEvery = 4096;
// Seen in real ADI files: about 200 bytes a record, so this rather over- than underestimates.
constexpr qint64 kBytesPerRecord = 150;
// An import this many times smaller than the log reads the contacts of its own dates only.
constexpr qint64 kByDateRatio = 64;
// An import of at least this share of the log takes the log's indexes away while it inserts and
// builds them again at the end.
constexpr qint64 kRebuildRatio = 4;
// The page cache while importing: big enough that the log's indexes of a million contacts stay
// in memory through the transaction, small enough for the import's memory budget. Without the
// indexes the rows are only appended, and building an index sorts as fast with less.
constexpr int kCacheKibibytes = 24576;
constexpr int kRebuildCacheKibibytes = 8192;
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
    SqliteStatement cacheSize;
    if (!cacheSize.prepare(m_db, QStringLiteral("PRAGMA cache_size")) || !cacheSize.step())
        return fail(cacheSize.errorMessage());
    const qint64 cache = cacheSize.integer(0);
    cacheSize.reset();
    const bool done = runInTransaction(files);
    execute(m_db, QByteArray("PRAGMA cache_size=" + QByteArray::number(cache)));
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
    qint64 doneBytes = 0;
    qint64 records = 0;
    AdifRecord record;
    LogContact contact;
    QString reason;
    for (const std::unique_ptr<QFile>& file : opened) {
        const std::unique_ptr<AdifReader> reader = AdifReader::open(*file);
        while (reader->next(record)) {
            if (m_progress && ++records % kProgressEvery == 0 &&
                !m_progress(doneBytes + file->pos(), progressTotal))
                return fail(QStringLiteral("cancelled"));
            if (!record.refusal.isEmpty() || !m_mapping.contact(record, contact, reason)) {
                ++m_refusedCount;
                if (m_refused)
                    m_refused({file->fileName(), record.number,
                               record.refusal.isEmpty() ? reason : record.refusal});
                continue;
            }
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
        if (reader->failed())
            return fail(
                QStringLiteral("cannot read %1: %2").arg(file->fileName(), reader->lastError()));
        doneBytes += file->size();
    }
    if (rebuild && !createIndexes(indexes, contacts + m_imported, totalBytes))
        return false;
    if (m_progress && !m_progress(progressTotal, progressTotal))
        return fail(QStringLiteral("cancelled"));
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
