#include "log/RecordSet.h"

#include "log/BackgroundReads.h"
#include "log/LogDamage.h"
#include "log/RecordWriter.h"
#include "log/RowReader.h"
#include "log/SqliteStatement.h"

#include <QTimer>

#include <sqlite3.h>

#include <algorithm>

RecordSet::RecordSet(QObject* parent) : QObject(parent) {}

RecordSet::~RecordSet() = default;

bool RecordSet::fail(int number, const QString& description) {
    m_lastError = description;
    if (LogDamage::isDamage(number))
        setDamaged(QString::fromUtf8(sqlite3_errstr(number)));
    return false;
}

void RecordSet::setDamaged(const QString& problem) {
    if (isDamaged() || !m_db)
        return;
    m_damageNotice =
        LogDamage::notice(QString::fromUtf8(sqlite3_db_filename(m_db, "main")), problem);
    emit damaged(m_damageNotice);
}

bool RecordSet::refuse(const QString& description) {
    return fail(SQLITE_ERROR, description);
}

bool RecordSet::open(sqlite3* db, const RecordSource& source, const Options& options) {
    const QString text = source.text();
    const auto cannotOpen = [this, &text](int number, const QString& reason) {
        QString description =
            QStringLiteral("The record source \"%1\" cannot be opened: %2.").arg(text, reason);
        // Nothing is open to refuse writes to; the description says what to do.
        if (LogDamage::isDamage(number))
            description += QStringLiteral("\nThe log is damaged. ") + LogDamage::whatToDo();
        return fail(number, description);
    };
    // The text itself must be a statement SQLite accepts, with a value for each parameter.
    SqliteStatement check;
    if (!check.prepare(db, text))
        return cannotOpen(check.errorCode(), check.errorMessage());
    if (check.parameterCount() != source.parameters.size()) {
        return cannotOpen(SQLITE_RANGE, QStringLiteral("it takes %1 value(s), %2 given")
                                            .arg(check.parameterCount())
                                            .arg(source.parameters.size()));
    }

    auto reader = std::make_unique<RowReader>();
    if (!reader->prepare(db, source, options.cachedRows))
        return cannotOpen(reader->lastErrorNumber(), reader->lastError());
    auto keys = std::make_unique<RowKeys>();
    // The positions of the whole source, once read in the background, are taken on this
    // thread, unless the record set has been opened again meanwhile.
    const int generation = ++m_generation;
    const auto wholeReady = [this, generation] {
        QMetaObject::invokeMethod(
            this, [this, generation] { wholeRead(generation); }, Qt::QueuedConnection);
    };
    if (!keys->open(db, source, options.stepSize))
        return cannotOpen(keys->lastErrorNumber(), keys->lastError());

    emit aboutToReset();
    if (db != m_db)
        m_damageNotice.clear();
    m_db = db;
    m_fieldNames = reader->fieldNames();
    m_writer = std::make_unique<RecordWriter>(db, source.table, m_fieldNames);
    m_reader = std::move(reader);
    m_keys = std::move(keys);
    m_edits.clear();
    m_cursor = m_keys->size() > 0 ? Cursor::OnRow : Cursor::Eof;
    m_position = m_keys->size() > 0 ? 0 : -1;
    m_lastError.clear();
    emit reset();
    emit moveComplete();
    QTimer::singleShot(BackgroundReads::kStartDelayMs, this,
                       [this, generation, wholeReady, reads = options.backgroundReads] {
                           if (generation == m_generation && m_keys)
                               m_keys->readInBackground(wholeReady, reads);
                       });
    return true;
}

void RecordSet::close() {
    if (!isOpen())
        return;
    ++m_generation;
    emit aboutToReset();
    m_writer.reset();
    m_reader.reset();
    m_keys.reset();
    m_db = nullptr;
    m_damageNotice.clear();
    m_fieldNames.clear();
    m_edits.clear();
    m_cursor = Cursor::Closed;
    m_position = -1;
    emit reset();
}

int RecordSet::fieldIndex(const QString& name) const {
    QString bare = name.trimmed();
    if (bare.startsWith(QLatin1Char('[')) && bare.endsWith(QLatin1Char(']')))
        bare = bare.mid(1, bare.size() - 2);
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        if (m_fieldNames.at(i).compare(bare, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int RecordSet::size() const {
    return m_keys ? m_keys->size() : 0;
}

bool RecordSet::isComplete() const {
    return m_keys && m_keys->isComplete();
}

bool RecordSet::grow(bool toEnd) {
    if (!m_keys)
        return refuse(QStringLiteral("The record set is not open."));
    RowKeys::Growth growth;
    if (!(toEnd ? m_keys->fetchEnd(growth) : m_keys->fetchNext(growth))) {
        return fail(m_keys->lastErrorNumber(),
                    QStringLiteral("Reading the log failed: %1.").arg(m_keys->lastError()));
    }
    apply(std::move(growth));
    return true;
}

void RecordSet::apply(RowKeys::Growth&& growth) {
    const bool wasComplete = m_keys->isComplete();
    const int before = m_keys->size();
    const int after = m_keys->sizeAfter(growth);
    if (after > before) {
        emit rowsAboutToBeInserted(before, after - 1);
        m_keys->apply(std::move(growth));
        emit rowsInserted();
    } else {
        m_keys->apply(std::move(growth));
    }
    if (!wasComplete && m_keys->isComplete())
        emit completed();
}

void RecordSet::wholeRead(int generation) {
    RowKeys::Growth growth;
    if (generation == m_generation && m_keys && m_keys->fetchWhole(growth))
        apply(std::move(growth));
}

bool RecordSet::fetchMore() {
    return grow(false);
}

bool RecordSet::isEof() const {
    return m_cursor == Cursor::Eof;
}

int RecordSet::absolutePosition() const {
    switch (m_cursor) {
    case Cursor::OnRow:
        return m_position + 1;
    case Cursor::Eof:
        return size() == 0 ? PositionUnknown : PositionEof;
    case Cursor::Closed:
    case Cursor::Deleted:
        break;
    }
    return PositionUnknown;
}

std::optional<RowRef> RecordSet::rowAt(int position) {
    const std::optional<RowRef> ref = m_keys->at(position);
    if (!ref) {
        fail(m_keys->lastErrorNumber(),
             QStringLiteral("Reading the log failed: %1.").arg(m_keys->lastError()));
    }
    return ref;
}

bool RecordSet::leaveRow(int target) {
    if (m_cursor != Cursor::OnRow || target == m_position || m_edits.isEmpty())
        return true;
    const std::optional<RowRef> ref = rowAt(m_position);
    if (!ref || !m_edits.contains(*ref))
        return true;
    if (!save({*ref})) {
        emit error(m_lastError);
        return false;
    }
    return true;
}

void RecordSet::moveCursor(Cursor cursor, int position) {
    m_cursor = cursor;
    m_position = position;
    m_lastError.clear();
    emit moveComplete();
}

bool RecordSet::moveLast() {
    if (!isOpen())
        return refuse(QStringLiteral("The record set is not open."));
    if (!grow(true))
        return false;
    if (size() == 0)
        return refuse(QStringLiteral("The record set is empty: there is no last record."));
    leaveRow(size() - 1);
    moveCursor(Cursor::OnRow, size() - 1);
    return true;
}

bool RecordSet::moveNext() {
    int target = 0;
    switch (m_cursor) {
    case Cursor::Closed:
        return refuse(QStringLiteral("The record set is not open."));
    case Cursor::Eof:
        return refuse(QStringLiteral("The current position is already after the last record."));
    case Cursor::OnRow:
        target = m_position + 1;
        break;
    case Cursor::Deleted:
        // The record that followed the deleted one has taken its position.
        target = m_position;
        break;
    }
    if (target >= size() && !isComplete() && !grow(false))
        return false;
    leaveRow(target);
    if (target < size())
        moveCursor(Cursor::OnRow, target);
    else
        moveCursor(Cursor::Eof);
    return true;
}

bool RecordSet::moveTo(int position) {
    if (!isOpen())
        return refuse(QStringLiteral("The record set is not open."));
    if (position < 0 || position > size() || (position == size() && !isComplete())) {
        return refuse(QStringLiteral("There is no record %1 in the record set.").arg(position + 1));
    }
    leaveRow(position);
    if (position < size())
        moveCursor(Cursor::OnRow, position);
    else
        moveCursor(Cursor::Eof);
    return true;
}

QVariant RecordSet::valueAt(int position, int field) {
    if (position < 0 || position >= size() || field < 0 || field >= fieldCount())
        return QVariant();
    const std::optional<RowRef> ref = rowAt(position);
    if (!ref)
        return QVariant();
    const auto edit = m_edits.constFind(*ref);
    if (edit != m_edits.cend())
        return edit->values.at(field);
    if (!ref->stored)
        return QVariant();
    RowReader::Row row;
    if (!m_reader->read(ref->id, row)) {
        fail(m_reader->lastErrorNumber(),
             QStringLiteral("Reading the log failed: %1.").arg(m_reader->lastError()));
        return QVariant();
    }
    return row.values.at(field);
}

bool RecordSet::isNewAt(int position) {
    if (position < 0 || position >= size())
        return false;
    const std::optional<RowRef> ref = rowAt(position);
    return ref && !ref->stored;
}

bool RecordSet::addNew() {
    if (!isOpen())
        return refuse(QStringLiteral("The record set is not open."));
    if (!grow(true))
        return false;
    leaveRow(size());
    const int position = size();
    emit rowsAboutToBeInserted(position, position);
    m_keys->appendNew();
    emit rowsInserted();
    const RowRef ref = *m_keys->at(position);
    Edit& edit = m_edits[ref];
    edit.values = QVector<QVariant>(fieldCount());
    edit.changed = QBitArray(fieldCount());
    moveCursor(Cursor::OnRow, position);
    return true;
}

bool RecordSet::setValueAt(int position, int field, const QVariant& value) {
    if (!isOpen())
        return refuse(QStringLiteral("The record set is not open."));
    if (field < 0 || field >= fieldCount()) {
        return refuse(QStringLiteral("There is no field number %1: the record set has %2.")
                          .arg(field)
                          .arg(fieldCount()));
    }
    if (position == size() && isComplete()) {
        emit willChangeRecord();
        if (!addNew())
            return false;
    } else if (position < 0 || position >= size()) {
        return refuse(QStringLiteral("There is no record %1 in the record set.").arg(position + 1));
    }
    const std::optional<RowRef> ref = rowAt(position);
    if (!ref)
        return false;
    auto edit = m_edits.find(*ref);
    if (edit == m_edits.end()) {
        RowReader::Row row;
        if (!m_reader->read(ref->id, row)) {
            return fail(m_reader->lastErrorNumber(),
                        QStringLiteral("Reading the log failed: %1.").arg(m_reader->lastError()));
        }
        if (!row.exists) {
            return refuse(QStringLiteral("Record %1 was deleted by someone else; it cannot "
                                         "be changed.")
                              .arg(position + 1));
        }
        emit willChangeRecord();
        edit = m_edits.insert(*ref, Edit{row.values, row.values, QBitArray(fieldCount())});
    }
    edit->values[field] = value;
    edit->changed.setBit(field);
    emit rowChanged(position);
    return true;
}

QString RecordSet::recordName(const RowRef& ref) const {
    const int position = m_keys->positionOf(ref);
    return position < 0 ? QStringLiteral("A record")
                        : QStringLiteral("Record %1").arg(position + 1);
}

bool RecordSet::save(const QList<RowRef>& refs) {
    if (refs.isEmpty())
        return true;
    if (isDamaged())
        return fail(SQLITE_CORRUPT, m_damageNotice);
    emit willChangeRecord();
    QList<RowRef> order = refs;
    // New records go in the order they were appended, after the changed rows.
    std::sort(order.begin(), order.end(), [](const RowRef& a, const RowRef& b) {
        return a.stored != b.stored ? a.stored : a.id < b.id;
    });
    const auto failed = [this](int number, const QString& description) {
        m_writer->rollback();
        return fail(number, description + QStringLiteral(" Nothing was saved; the changes are "
                                                         "still pending."));
    };
    if (!m_writer->begin()) {
        return fail(m_writer->lastErrorNumber(),
                    QStringLiteral("Saving the changes failed: %1. Nothing was saved; the "
                                   "changes are still pending.")
                        .arg(m_writer->lastError()));
    }
    QList<QPair<RowRef, qint64>> inserted;
    for (const RowRef& ref : order) {
        const Edit edit = m_edits.value(ref);
        RecordWriter::Outcome outcome;
        qint64 rowid = 0;
        if (ref.stored)
            outcome = m_writer->update(ref.id, edit.original, edit.values, edit.changed);
        else
            outcome = m_writer->insert(edit.values, edit.changed, rowid);
        switch (outcome) {
        case RecordWriter::Outcome::Written:
            if (!ref.stored)
                inserted.append({ref, rowid});
            break;
        case RecordWriter::Outcome::Changed:
            return failed(SQLITE_ERROR,
                          QStringLiteral("%1 was changed by someone else since it was read, so "
                                         "it was not overwritten.")
                              .arg(recordName(ref)));
        case RecordWriter::Outcome::Gone:
            return failed(SQLITE_ERROR,
                          QStringLiteral("%1 was deleted by someone else since it was read.")
                              .arg(recordName(ref)));
        case RecordWriter::Outcome::Failed:
            return failed(m_writer->lastErrorNumber(),
                          QStringLiteral("Saving %1 failed: %2.")
                              .arg(recordName(ref).toLower(), m_writer->lastError()));
        }
    }
    if (!m_writer->commit()) {
        return fail(m_writer->lastErrorNumber(),
                    QStringLiteral("Saving the changes failed: %1. Nothing was saved; the "
                                   "changes are still pending.")
                        .arg(m_writer->lastError()));
    }

    QList<int> changedPositions;
    for (const RowRef& ref : order) {
        m_edits.remove(ref);
        if (ref.stored) {
            m_reader->forget(ref.id);
            m_keys->markWritten(ref.id);
            changedPositions << m_keys->positionOf(ref);
        }
    }
    for (const auto& [ref, rowid] : inserted) {
        const int position = m_keys->positionOf(ref);
        m_keys->markStored(position, rowid);
        changedPositions << position;
    }
    for (int position : changedPositions) {
        if (position >= 0)
            emit rowChanged(position);
    }
    return true;
}

bool RecordSet::updateBatch() {
    if (!isOpen())
        return refuse(QStringLiteral("The record set is not open."));
    return save(m_edits.keys());
}

void RecordSet::cancelBatch() {
    const QList<RowRef> refs = m_edits.keys();
    for (const RowRef& ref : refs)
        cancel(ref);
}

void RecordSet::cancelCurrent() {
    if (m_cursor != Cursor::OnRow || m_edits.isEmpty())
        return;
    const std::optional<RowRef> ref = rowAt(m_position);
    if (ref && m_edits.contains(*ref))
        cancel(*ref);
}

void RecordSet::cancel(const RowRef& ref) {
    m_edits.remove(ref);
    const int position = m_keys->positionOf(ref);
    if (ref.stored) {
        emit rowChanged(position);
        return;
    }
    emit rowsAboutToBeRemoved(position, position);
    m_keys->remove(position);
    emit rowsRemoved();
    if (m_cursor == Cursor::OnRow && m_position == position)
        moveCursor(Cursor::Eof);
    else if (m_cursor == Cursor::OnRow && m_position > position)
        --m_position;
}

bool RecordSet::deleteCurrent() {
    if (m_cursor == Cursor::Deleted)
        return refuse(QStringLiteral("The current record has been deleted already."));
    if (m_cursor != Cursor::OnRow)
        return refuse(QStringLiteral("There is no current record to delete."));
    const int position = m_position;
    const std::optional<RowRef> ref = rowAt(position);
    if (!ref)
        return false;
    if (ref->stored && isDamaged())
        return fail(SQLITE_CORRUPT, m_damageNotice);
    emit willChangeRecord();
    if (ref->stored) {
        // Compare with what was read: the pending edit's original, or the values last read.
        RowReader::Row row;
        const auto edit = m_edits.constFind(*ref);
        if (edit == m_edits.cend() && !m_reader->read(ref->id, row)) {
            return fail(m_reader->lastErrorNumber(),
                        QStringLiteral("Reading the log failed: %1.").arg(m_reader->lastError()));
        }
        const QVector<QVariant>* original = edit != m_edits.cend() ? &edit->original
                                            : row.exists           ? &row.values
                                                                   : nullptr;
        // The statement alone is a transaction.
        switch (m_writer->remove(ref->id, original)) {
        case RecordWriter::Outcome::Written:
        case RecordWriter::Outcome::Gone:
            break;
        case RecordWriter::Outcome::Changed:
            return refuse(QStringLiteral("Record %1 was changed by someone else since it "
                                         "was read, so it was not deleted.")
                              .arg(position + 1));
        case RecordWriter::Outcome::Failed:
            return fail(m_writer->lastErrorNumber(),
                        QStringLiteral("Deleting record %1 failed: %2.")
                            .arg(position + 1)
                            .arg(m_writer->lastError()));
        }
        m_reader->forget(ref->id);
    }
    emit rowsAboutToBeRemoved(position, position);
    m_edits.remove(*ref);
    m_keys->remove(position);
    m_cursor = Cursor::Deleted;
    emit rowsRemoved();
    m_lastError.clear();
    return true;
}
