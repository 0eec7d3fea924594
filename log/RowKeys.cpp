#include "log/RowKeys.h"

#include "log/RecordSource.h"

#include <algorithm>

bool RowKeys::open(sqlite3* db, const RecordSource& source, int stepSize) {
    m_stepSize = std::max(1, stepSize);
    m_complete = false;
    m_rows.clear();
    m_headEnd = m_tailStart = 0;
    m_headLast.reset();
    m_tailFirst.reset();
    m_appended.clear();
    m_written.clear();
    m_fetcher.prepare(db, source);
    if (source.takenAtOnce) {
        if (!m_fetcher.all(m_rows))
            return false;
        m_headEnd = m_tailStart = int(m_rows.size());
        m_complete = true;
        return true;
    }
    Growth growth;
    if (!fetchNext(growth))
        return false;
    apply(std::move(growth));
    return true;
}

void RowKeys::readInBackground(std::function<void()> ready, BackgroundReads* ownReads) {
    if (!m_complete)
        m_fetcher.startBackground(std::move(ready), ownReads);
}

std::vector<qint64> RowKeys::taken(const std::vector<qint64>& rowids) const {
    if (m_written.isEmpty())
        return rowids;
    std::vector<qint64> kept;
    kept.reserve(rowids.size());
    for (qint64 rowid : rowids) {
        if (!m_written.contains(rowid))
            kept.push_back(rowid);
    }
    return kept;
}

bool RowKeys::fetchNext(Growth& growth) {
    growth = Growth();
    if (m_complete)
        return true;
    KeyFetcher::Step step;
    if (!m_fetcher.forward(m_headLast, m_stepSize, step))
        return false;
    growth.rowids = taken(step.rowids);
    growth.last = step.last ? step.last : m_headLast;
    growth.complete = step.reachedEnd;
    return true;
}

bool RowKeys::fetchWhole(Growth& growth) {
    growth = Growth();
    if (m_complete || !m_fetcher.backgroundRowids(growth.rowids))
        return false;
    // Read before any write of this record set (else it would not hold): nothing to leave out.
    growth.whole = true;
    growth.complete = true;
    growth.rows = int(growth.rowids.size());
    return true;
}

bool RowKeys::fetchEnd(Growth& growth) {
    growth = Growth();
    if (m_complete || fetchWhole(growth))
        return true;
    growth.fromEnd = true;
    growth.complete = true;
    qint64 count = 0;
    KeyFetcher::Step step;
    if (!m_fetcher.count(count) || !m_fetcher.backward(std::nullopt, m_stepSize, step))
        return false;
    bool metStart = step.reachedEnd;
    for (qint64 rowid : step.rowids) {
        if (m_written.contains(rowid))
            continue;
        if (!m_rows.empty() && rowid == m_rows.back()) {
            metStart = true;
            break;
        }
        growth.rowids.push_back(rowid);
    }
    growth.last = step.last;
    const qint64 known = qint64(m_rows.size() + growth.rowids.size());
    growth.rows = int(metStart || growth.rowids.empty() ? known : std::max(count, known));
    return true;
}

int RowKeys::sizeAfter(const Growth& growth) const {
    if (m_complete)
        return size();
    if (growth.fromEnd || growth.whole)
        return growth.rows + int(m_appended.size());
    return size() + int(growth.rowids.size());
}

void RowKeys::apply(Growth&& growth) {
    if (m_complete)
        return;
    if (growth.whole) {
        m_rows = std::move(growth.rowids);
        m_headEnd = m_tailStart = int(m_rows.size());
        m_complete = true;
        return;
    }
    if (!growth.fromEnd) {
        m_rows.insert(m_rows.end(), growth.rowids.begin(), growth.rowids.end());
        m_headEnd = m_tailStart = int(m_rows.size());
        m_headLast = growth.last;
        m_complete = growth.complete;
        return;
    }
    m_rows.resize(size_t(growth.rows));
    m_tailStart = growth.rows - int(growth.rowids.size());
    std::copy(growth.rowids.rbegin(), growth.rowids.rend(), m_rows.begin() + m_tailStart);
    m_tailFirst = growth.last;
    m_complete = true;
}

std::optional<RowRef> RowKeys::at(int position) {
    if (position >= int(m_rows.size()))
        return m_appended.at(size_t(position) - m_rows.size());
    if (position >= m_headEnd && position < m_tailStart) {
        const bool nearerStart = position - m_headEnd <= m_tailStart - 1 - position;
        if (!(nearerStart ? fillForward(position) : fillBackward(position)))
            return std::nullopt;
    }
    return RowRef{true, m_rows[size_t(position)]};
}

bool RowKeys::fillForward(int position) {
    while (m_headEnd <= position) {
        const int limit = std::min(m_tailStart - m_headEnd, position - m_headEnd + m_stepSize);
        KeyFetcher::Step step;
        if (!m_fetcher.forward(m_headLast, limit, step))
            return false;
        for (qint64 rowid : step.rowids) {
            if (m_written.contains(rowid))
                continue;
            if (rowid == m_rows[size_t(m_tailStart)]) {
                // The rows left between are gone.
                std::fill(m_rows.begin() + m_headEnd, m_rows.begin() + m_tailStart, kVanished);
                m_headEnd = m_tailStart;
                return true;
            }
            m_rows[size_t(m_headEnd++)] = rowid;
            if (m_headEnd == m_tailStart)
                return true;
        }
        if (step.last)
            m_headLast = step.last;
        if (step.reachedEnd) {
            std::fill(m_rows.begin() + m_headEnd, m_rows.begin() + m_tailStart, kVanished);
            m_headEnd = m_tailStart;
        }
    }
    return true;
}

bool RowKeys::fillBackward(int position) {
    while (m_tailStart > position) {
        const int limit =
            std::min(m_tailStart - m_headEnd, m_tailStart - 1 - position + m_stepSize);
        KeyFetcher::Step step;
        if (!m_fetcher.backward(m_tailFirst, limit, step))
            return false;
        for (qint64 rowid : step.rowids) {
            if (m_written.contains(rowid))
                continue;
            if (m_headEnd > 0 && rowid == m_rows[size_t(m_headEnd - 1)]) {
                std::fill(m_rows.begin() + m_headEnd, m_rows.begin() + m_tailStart, kVanished);
                m_tailStart = m_headEnd;
                return true;
            }
            m_rows[size_t(--m_tailStart)] = rowid;
            if (m_tailStart == m_headEnd)
                return true;
        }
        if (step.last)
            m_tailFirst = step.last;
        if (step.reachedEnd) {
            std::fill(m_rows.begin() + m_headEnd, m_rows.begin() + m_tailStart, kVanished);
            m_tailStart = m_headEnd;
        }
    }
    return true;
}

int RowKeys::positionOf(const RowRef& ref) const {
    if (ref.stored) {
        for (int i = 0; i < int(m_rows.size()); ++i) {
            const bool known = i < m_headEnd || i >= m_tailStart;
            if (known && m_rows[size_t(i)] == ref.id)
                return i;
        }
    }
    const auto it = std::find(m_appended.begin(), m_appended.end(), ref);
    return it == m_appended.end() ? -1 : int(m_rows.size() + size_t(it - m_appended.begin()));
}

int RowKeys::appendNew() {
    m_appended.push_back(RowRef{false, m_nextNewId++});
    return size() - 1;
}

void RowKeys::markStored(int position, qint64 rowid) {
    m_appended[size_t(position) - m_rows.size()] = RowRef{true, rowid};
    m_written.insert(rowid);
}

void RowKeys::remove(int position) {
    if (position >= int(m_rows.size())) {
        m_appended.erase(m_appended.begin() + (position - int(m_rows.size())));
        return;
    }
    m_rows.erase(m_rows.begin() + position);
    if (position < m_headEnd) {
        --m_headEnd;
        --m_tailStart;
    }
}
