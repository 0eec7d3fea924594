#include "adif/AdifImporter.h"

#include "adif/AdifReader.h"
#include "adif/DuplicateKeys.h"
#include "adif/LogContactTable.h"
#include "log/SqliteStatement.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {
constexpr qint64 kProgressEvery = 4096;
// Seen in real ADI files: about 200 bytes a record, so this rather over- than underestimates.
constexpr qint64 kBytesPerRecord = 150;
// The page cache while importing: big enough that the log's indexes of a million contacts stay
// in memory through the transaction, small enough for the import's memory budget.
constexpr int kCacheKibibytes = 24576;

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
    execute(m_db, QByteArray("PRAGMA cache_size=-" + QByteArray::number(kCacheKibibytes)));
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
    DuplicateKeys keys(count.integer(0) + totalBytes / kBytesPerRecord);
    count.reset();

    SqliteStatement existing;
    if (!existing.prepare(m_db,
                          QStringLiteral("SELECT %1 FROM Log1").arg(LogContactTable::columns())))
        return fail(existing.errorMessage());
    LogContact contact;
    while (existing.step()) {
        LogContactTable::read(existing, contact);
        keys.insert(keys.keyOf(contact));
    }
    if (existing.failed())
        return fail(existing.errorMessage());

    SqliteStatement insert;
    if (!insert.prepare(m_db, LogContactTable::insert()))
        return fail(insert.errorMessage());
    qint64 doneBytes = 0;
    qint64 records = 0;
    AdifRecord record;
    QString reason;
    for (const std::unique_ptr<QFile>& file : opened) {
        const std::unique_ptr<AdifReader> reader = AdifReader::open(*file);
        while (reader->next(record)) {
            if (m_progress && ++records % kProgressEvery == 0 &&
                !m_progress(doneBytes + file->pos(), totalBytes))
                return fail(QStringLiteral("cancelled"));
            if (!record.refusal.isEmpty() || !m_mapping.contact(record, contact, reason)) {
                ++m_refusedCount;
                if (m_refused)
                    m_refused({file->fileName(), record.number,
                               record.refusal.isEmpty() ? reason : record.refusal});
                continue;
            }
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
    if (m_progress && !m_progress(totalBytes, totalBytes))
        return fail(QStringLiteral("cancelled"));
    return true;
}

bool AdifImporter::fail(const QString& error) {
    m_lastError = error;
    return false;
}
