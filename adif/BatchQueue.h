#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

// Hands batches from one thread to another, in order, holding at most a few at a time, so that
// the two halves of a long job (reading a file and writing the log, reading the log and writing a
// file) run side by side without holding the whole file in memory. Either side may close it: the
// reader closes at its end, the writer when it gives up, and the other side then stops waiting.
template <typename Batch> class BatchQueue {
public:
    explicit BatchQueue(size_t capacity = 4) : m_capacity(capacity) {}

    // Waits for room; false, with the batch dropped, once the queue is closed.
    bool push(Batch&& batch) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_closed || m_batches.size() < m_capacity; });
        if (m_closed)
            return false;
        m_batches.push_back(std::move(batch));
        m_changed.notify_all();
        return true;
    }
    // Waits for the next batch; false once the queue is closed and every batch pushed before
    // that has been taken.
    bool pop(Batch& batch) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_closed || !m_batches.empty(); });
        if (m_batches.empty())
            return false;
        batch = std::move(m_batches.front());
        m_batches.pop_front();
        m_changed.notify_all();
        return true;
    }
    void close() {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }

private:
    const size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_batches;
    bool m_closed = false;
};
