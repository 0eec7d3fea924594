#include "log/BackgroundReads.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>

bool BackgroundReads::Read::attach(sqlite3* db) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_db = db;
    return !m_isAbandoned;
}

void BackgroundReads::Read::detach() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_db = nullptr;
}

void BackgroundReads::Read::abandon() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_isAbandoned = true;
        if (m_db)
            sqlite3_interrupt(m_db);
    }
    m_abandoned.notify_all();
}

bool BackgroundReads::Read::isAbandoned() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_isAbandoned;
}

bool BackgroundReads::Read::pause(int ms) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_abandoned.wait_for(lock, std::chrono::milliseconds(ms),
                                 [this] { return m_isAbandoned; });
}

bool BackgroundReads::Read::giveWay() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_db)
        return false;
    // A statement about to start when the interrupt comes is not stopped by it: the writer asks
    // again while the read is attached.
    sqlite3_interrupt(m_db);
    return true;
}

std::shared_ptr<BackgroundReads::Read> BackgroundReads::add() {
    auto read = std::make_shared<Read>();
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_reads.erase(std::remove_if(m_reads.begin(), m_reads.end(),
                                 [](const std::weak_ptr<Read>& entry) { return entry.expired(); }),
                  m_reads.end());
    m_reads.push_back(read);
    return read;
}

bool BackgroundReads::giveWay() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    bool reading = false;
    for (const std::weak_ptr<Read>& entry : m_reads) {
        if (const std::shared_ptr<Read> read = entry.lock())
            reading = read->giveWay() || reading;
    }
    return reading;
}
