#pragma once

#include <QByteArray>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

struct sqlite3;

// The program's own reads of a log in the background (the damage check, the count of a record
// source), each in a worker thread on a connection of its own. A read holds the file's read lock
// while it runs, and the program's own writes must not wait for it: giveWay() interrupts every
// read in progress, and each worker decides whether to read again later. The owner of a read
// abandons it when it no longer wants the answer. The workers run at a lower priority than the
// program's own thread.
class BackgroundReads {
public:
    // The reads of a log just opened start this long after the open, when the window system has
    // painted its first screen: on a busy machine a worker started at once takes the processor
    // from that paint, even at its lower priority.
    static constexpr int kStartDelayMs = 100;

    class Read {
    public:
        // Opens the worker's read-only connection to file; null when that failed or the read is
        // abandoned (the worker then stops). close() lets go of it either way.
        sqlite3* open(const QByteArray& file, int busyTimeoutMs);
        void close();
        // Interrupts the read for good; the worker's waits end at once.
        void abandon();
        bool isAbandoned() const;
        // Waits ms unless abandoned meanwhile; false when abandoned.
        bool pause(int ms);
        // Calls call unless abandoned; abandon() waits for a call in progress.
        void unlessAbandoned(const std::function<void()>& call);

    private:
        friend class BackgroundReads;
        bool giveWay();

        mutable std::mutex m_mutex;
        std::condition_variable m_abandoned;
        sqlite3* m_db = nullptr;
        bool m_isAbandoned = false;
    };

    // A read that giveWay() reaches as long as it exists; reads may be made without a registry.
    std::shared_ptr<Read> add();
    // Interrupts every read in progress; true when one was still reading.
    bool giveWay();

private:
    std::mutex m_mutex;
    std::vector<std::weak_ptr<Read>> m_reads;
};
