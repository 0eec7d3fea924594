#pragma once

#include "log/KeyFetcher.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>

#include <limits>
#include <optional>
#include <vector>

// Who a row of a record set is: a stored row by its rowid, or a new record not written yet by a
// number of its own.
struct RowRef {
    bool stored = false;
    qint64 id = 0;
    friend bool operator==(const RowRef& a, const RowRef& b) {
        return a.stored == b.stored && a.id == b.id;
    }
};
inline size_t qHash(const RowRef& ref, size_t seed = 0) {
    return qHashMulti(seed, ref.stored, ref.id);
}

// The positions of a record set and the row at each: the rows of the record source in its
// order, then the records appended since it was read. Only rowids are kept (8 bytes a row), and
// they are read as they are needed: the first step at open, more steps as the grid scrolls down,
// the last rows and the count when the end is asked for. Rows between the known start and end
// are read when a position among them is asked for, from whichever end is nearer. Row ids read
// later that this record set wrote itself (a new record, or a row whose order value it changed)
// are not taken twice; a row deleted by someone else before its place was read leaves a
// position whose row no longer exists.
class RowKeys {
public:
    static constexpr qint64 kVanished = std::numeric_limits<qint64>::min();

    // What a step read, not applied yet: rows after the known start, or (fromEnd) the count of
    // the source's rows and its last rows, last first, or (whole) every row in order.
    struct Growth {
        bool fromEnd = false;
        bool whole = false;
        std::vector<qint64> rowids;
        std::optional<RowKey> last;
        bool complete = false;
        int rows = 0;
    };

    bool open(sqlite3* db, const RecordSource& source, int stepSize);
    // A source longer than the first step is counted and read in order in the background, giving
    // way to writes through ownReads; ready is called on the worker thread when that read has
    // finished.
    void readInBackground(std::function<void()> ready, BackgroundReads* ownReads);

    // Positions that can be addressed now.
    int size() const { return int(m_rows.size() + m_appended.size()); }
    // True once the last row of the source is known (the size is then final but for appends).
    bool isComplete() const { return m_complete; }

    // The next step down from the known start (nothing when complete).
    bool fetchNext(Growth& growth);
    // Counts the source's rows and reads its last ones (nothing when complete); every row when
    // the background read holds.
    bool fetchEnd(Growth& growth);
    // Every row as the background read found them; false when it failed or no longer holds.
    bool fetchWhole(Growth& growth);
    // The size once growth is applied.
    int sizeAfter(const Growth& growth) const;
    void apply(Growth&& growth);

    // The row at position (0 <= position < size()); reads its rowid when not known yet.
    std::optional<RowRef> at(int position);
    int positionOf(const RowRef& ref) const;

    // Appends a new record not written yet; returns its position.
    int appendNew();
    void markStored(int position, qint64 rowid);
    // A row this record set wrote: a later step does not take it again.
    void markWritten(qint64 rowid) { m_written.insert(rowid); }
    void remove(int position);

    QString lastError() const { return m_fetcher.lastError(); }
    int lastErrorNumber() const { return m_fetcher.lastErrorNumber(); }

private:
    std::vector<qint64> taken(const std::vector<qint64>& rowids) const;
    bool fillForward(int position);
    bool fillBackward(int position);

    KeyFetcher m_fetcher;
    int m_stepSize = 50;
    bool m_complete = false;
    // Rowids of the source's rows; when complete with a gap, [m_headEnd, m_tailStart) unknown.
    std::vector<qint64> m_rows;
    int m_headEnd = 0;
    int m_tailStart = 0;
    std::optional<RowKey> m_headLast;
    std::optional<RowKey> m_tailFirst;
    std::vector<RowRef> m_appended;
    qint64 m_nextNewId = 1;
    QSet<qint64> m_written;
};
