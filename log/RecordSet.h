#pragma once

#include "log/RecordSource.h"
#include "log/RowKeys.h"

#include <QBitArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

class BackgroundReads;
class RecordWriter;
class RowReader;
struct sqlite3;

// The open result of a record source over the log: client-side, static and optimistic.
//
// Rows are addressed by position (0-based) and kept by rowid, never matched by value. The
// record set reads rowids in steps and field values only for the rows asked for, so opening a
// log of a million contacts reads a screenful; size() is what can be addressed now and grows
// as rows are fetched, and the whole count is known once the end has been asked for, or as soon
// as the rowids of the whole source, read in the background from a moment after the open, arrive
// (isComplete(), announced by completed()). After the last record comes the place of a new record
// (the end of the set): a value set there appends a new record, which is written with the next
// update.
//
// Changes stay pending per row until update() (the current record), updateBatch() (every
// pending change, in one transaction that writes all or nothing) or leaving the row: a move
// off a changed row saves it first, and reports a failure through error() without stopping
// the move, keeping the changes pending. A row changed or deleted by someone else since it was
// read is never overwritten: the write fails with a description saying so and the changes stay.
//
// The cursor is on a record, after the last (EOF), or on a record just deleted;
// absolutePosition() is the 1-based number of the current record or PositionUnknown,
// PositionEof. Every failure returns false and leaves its description in lastError().
//
// A damaged log is never written to: once a read finds the file damaged, or the caller says it
// is, every save and delete is refused with a notice that tells the operator what to do, and
// damaged() gives that notice the first time. It holds until the record set reads another
// database.
class RecordSet : public QObject {
    Q_OBJECT
public:
    enum Position { PositionUnknown = -1, PositionEof = -3 };

    struct Options {
        // Rowids read per step.
        int stepSize = 50;
        // Rows whose values are kept in memory.
        int cachedRows = 512;
        // The connection's background reads, which give way to its writes.
        BackgroundReads* backgroundReads = nullptr;
    };

    explicit RecordSet(QObject* parent = nullptr);
    ~RecordSet() override;

    // Reads `source` over db, binding its parameters to its `?` in order; the first record
    // becomes current. On failure the record set keeps what it held.
    bool open(sqlite3* db, const RecordSource& source, const Options& options);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    int fieldCount() const { return int(m_fieldNames.size()); }
    // Without regard to case, with or without square brackets; -1 when absent.
    int fieldIndex(const QString& name) const;

    int size() const;
    bool isComplete() const;
    // Reads the next step of rows; nothing when complete.
    bool fetchMore();

    bool isEof() const;
    // The current record's position, or -1 with no current record.
    int currentPosition() const { return m_cursor == Cursor::OnRow ? m_position : -1; }
    int absolutePosition() const;

    bool moveLast();
    bool moveNext();
    // position == size() of a complete set is the place of a new record (EOF).
    bool moveTo(int position);

    // The pending value where changed.
    QVariant valueAt(int position, int field);
    // A record appended here and not written yet.
    bool isNewAt(int position);
    bool hasPendingChanges() const { return !m_edits.isEmpty(); }

    // position == size() of a complete set appends a new record.
    bool setValueAt(int position, int field, const QVariant& value);

    bool deleteCurrent();
    bool updateBatch();
    // Drops every pending change; new records not written yet go.
    void cancelBatch();
    // Drops the pending changes of the current record only; a new record not written yet goes.
    void cancelCurrent();

    // problem is the engine's own account of the damage.
    void setDamaged(const QString& problem);
    bool isDamaged() const { return !m_damageNotice.isEmpty(); }

    QString lastError() const { return m_lastError; }

signals:
    void moveComplete();
    void willChangeRecord();
    // A failure of a write the caller did not ask for (saving a row while moving off it).
    void error(const QString& description);
    void damaged(const QString& notice);
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted();
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved();
    void rowChanged(int position);
    // The last record is known: size() is final but for appended records.
    void completed();
    void aboutToReset();
    void reset();

private:
    enum class Cursor { Closed, Eof, OnRow, Deleted };

    struct Edit {
        QVector<QVariant> original;
        QVector<QVariant> values;
        QBitArray changed;
    };

    bool fail(int number, const QString& description);
    // A failure found by the record set itself, not by SQLite.
    bool refuse(const QString& description);
    bool grow(bool toEnd);
    void apply(RowKeys::Growth&& growth);
    void wholeRead(int generation);
    void cancel(const RowRef& ref);
    // Appends an empty new record and makes it current.
    bool addNew();
    bool leaveRow(int target);
    void moveCursor(Cursor cursor, int position = -1);
    std::optional<RowRef> rowAt(int position);
    bool save(const QList<RowRef>& refs);
    QString recordName(const RowRef& ref) const;

    sqlite3* m_db = nullptr;
    std::unique_ptr<RowKeys> m_keys;
    std::unique_ptr<RowReader> m_reader;
    std::unique_ptr<RecordWriter> m_writer;
    QStringList m_fieldNames;
    QHash<RowRef, Edit> m_edits;
    Cursor m_cursor = Cursor::Closed;
    int m_position = -1;
    int m_generation = 0;
    QString m_damageNotice;
    QString m_lastError;
};
