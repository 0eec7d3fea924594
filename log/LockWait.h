#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class BackgroundReads;
struct sqlite3;

// Waits for a lock another program holds on the log without stopping the program. SQLite calls
// it while the lock is busy; on the application's thread each call lets the event loop run
// timers and painting (never the operator's input, so no command starts meanwhile) for at most
// 10 ms, until the lock is free or the time-out has passed, when the statement fails with
// SQLITE_BUSY. A wait asked for while another is in progress (a paint reading the log) gives up
// at once. The observer hears true when a wait begins and false once the program is back in its
// own event loop. The program's own background reads of the file (given to install) are asked to
// give way first: a write meeting their lock interrupts them and goes on within a millisecond or
// two, without running the event loop.
class LockWait {
public:
    LockWait() = default;
    LockWait(const LockWait&) = delete;
    LockWait& operator=(const LockWait&) = delete;

    void install(sqlite3* db, int timeoutMs, BackgroundReads* ownReads);
    void setObserver(std::function<void(bool waiting)> observer) {
        m_observer = std::move(observer);
    }

private:
    static int busy(void* self, int attempt);
    int wait(int attempt);
    void finish();

    int m_timeoutMs = 0;
    BackgroundReads* m_ownReads = nullptr;
    QElapsedTimer m_started;
    bool m_inside = false;
    bool m_waiting = false;
    std::function<void(bool)> m_observer;
    // The end of a wait is noticed by timers bound to this object, so none outlives the wait.
    QObject m_context;
};
