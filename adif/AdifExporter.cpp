#include "adif/AdifExporter.h"

#include "adif/AdiWriter.h"
#include "adif/AdxWriter.h"
#include "adif/BatchQueue.h"
#include "adif/ContactBatch.h"
#include "adif/LogContactTable.h"
#include "log/SqliteStatement.h"

#include <memory>
#include <thread>
#include <utility>

namespace {
constexpr qint64 kProgressEvery = 4096;
constexpr qsizetype kBatchContacts = 1024;

bool execute(sqlite3* db, const char* sql) {
    SqliteStatement statement;
    return statement.prepare(db, QString::fromLatin1(sql)) && statement.execute();
}
} // namespace

bool AdifExporter::run(QIODevice& device, const Options& options, const QDateTime& created) {
    m_exported = 0;
    m_transliterated = 0;
    m_lastError.clear();
    // One read transaction: the count and the rows come from the same state of the log.
    if (!execute(m_db, "BEGIN"))
        return fail(QStringLiteral("cannot read the log"));
    const bool written = write(device, options, created);
    execute(m_db, "COMMIT");
    return written;
}

bool AdifExporter::write(QIODevice& device, const Options& options, const QDateTime& created) {
    QStringList limits;
    if (options.from.isValid())
        limits.append(QStringLiteral("[QSO Date] >= :from"));
    if (options.to.isValid())
        limits.append(QStringLiteral("[QSO Date] <= :to"));
    const QString where =
        limits.isEmpty() ? QString() : QStringLiteral(" WHERE ") + limits.join(" AND ");
    SqliteStatement count;
    SqliteStatement rows;
    if (!count.prepare(m_db, QStringLiteral("SELECT count(*) FROM Log1") + where) ||
        !rows.prepare(m_db, QStringLiteral("SELECT %1 FROM Log1").arg(LogContactTable::columns()) +
                                where))
        return fail(count.isPrepared() ? rows.errorMessage() : count.errorMessage());
    for (SqliteStatement* statement : {&count, &rows}) {
        if (options.from.isValid())
            statement->bind(":from", options.from.toString(Qt::ISODate));
        if (options.to.isValid())
            statement->bind(":to", options.to.toString(Qt::ISODate));
    }
    const qint64 total = count.step() ? count.integer(0) : 0;
    if (count.failed())
        return fail(count.errorMessage());

    std::unique_ptr<AdifWriter> writer;
    if (options.form == AdifMapping::Form::Adx)
        writer = std::make_unique<AdxWriter>();
    else
        writer = std::make_unique<AdiWriter>();
    if (!writer->begin(device, created))
        return fail(writer->lastError());
    // The log is read on a thread of its own while the contacts read before are mapped and
    // written here; the connection is that thread's until it ends.
    BatchQueue<ContactBatch> batches;
    std::thread reading([&rows, &batches] {
        ContactBatch batch;
        LogContact row;
        while (rows.step()) {
            LogContactTable::read(rows, row);
            batch.append(row);
            if (batch.size() == kBatchContacts && !batches.push(std::exchange(batch, {})))
                return;
        }
        if (batch.size() > 0)
            batches.push(std::move(batch));
        batches.close();
    });
    const bool written = writeRecords(batches, *writer, options, total);
    batches.close();
    reading.join();
    if (!written)
        return false;
    if (rows.failed())
        return fail(rows.errorMessage());
    if (!writer->finish())
        return fail(writer->lastError());
    if (m_progress)
        m_progress(m_exported, total);
    return true;
}

bool AdifExporter::writeRecords(BatchQueue<ContactBatch>& batches, AdifWriter& writer,
                                const Options& options, qint64 total) {
    ContactBatch batch;
    LogContact contact;
    AdifRecord record;
    while (batches.pop(batch)) {
        for (qsizetype index = 0; index < batch.size(); ++index) {
            batch.contactAt(index, contact);
            bool transliterated = false;
            m_mapping.record(contact, options.form, options.localDifference, record,
                             &transliterated);
            if (!writer.write(record))
                return fail(writer.lastError());
            ++m_exported;
            m_transliterated += transliterated ? 1 : 0;
            if (m_progress && m_exported % kProgressEvery == 0 && !m_progress(m_exported, total))
                return fail(QStringLiteral("cancelled"));
        }
    }
    return true;
}

bool AdifExporter::fail(const QString& error) {
    m_lastError = error;
    return false;
}
