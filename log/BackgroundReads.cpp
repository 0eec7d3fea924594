#include "log/BackgroundReads.h"

#include <sqlite3.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

// The worker threads' scheduling priority (nice value; the program's own thread keeps 0).
constexpr int kNice = 10;

} // namespace

sqlite3* BackgroundReads::Read::open(const QByteArray& file, int busyTimeoutMs) {
    // The worker yields the processor to the program's own thread when they share one, so that
    // scrolling and painting never wait for a read in the background.
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), kNice);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, busyTimeoutMs);
    // The read passes over the file once: a small page cache serves it as well as the default
    // 2 MB, which would add to the program's memory while it runs.
    sqlite3_exec(db, "PRAGMA cache_size = -256", nullptr, nullptr, nullptr);
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_db = db;
    return m_isAbandoned ? nullptr : db;
}

void BackgroundReads::Read::close() {
    sqlite3* db = nullptr;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        db = std::exchange(m_db, nullptr);
    }
    sqlite3_close_v2(db);
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
