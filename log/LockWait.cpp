#include "log/LockWait.h"

#include "log/BackgroundReads.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>

namespace {

constexpr int kSliceMs = 10;
// How long a wait keeps asking the program's own background reads to give way before it waits
// as for another program, and how long it sleeps between asking.
constexpr int kGiveWayMs = 100;
constexpr int kGiveWayPauseUs = 200;

} // namespace

void LockWait::install(sqlite3* db, int timeoutMs, BackgroundReads* ownReads) {
    m_timeoutMs = timeoutMs;
    m_ownReads = ownReads;
    sqlite3_busy_handler(db, &LockWait::busy, this);
}

int LockWait::busy(void* self, int attempt) {
    return static_cast<LockWait*>(self)->wait(attempt);
}

int LockWait::wait(int attempt) {
    if (m_inside)
        return 0;
    if (attempt == 0)
        m_started.start();
    const qint64 left = m_timeoutMs - m_started.elapsed();
    if (left <= 0)
        return 0;
    if (m_ownReads && m_started.elapsed() < kGiveWayMs && m_ownReads->giveWay()) {
        QThread::usleep(kGiveWayPauseUs);
        return 1;
    }
    const int slice = int(std::min<qint64>(kSliceMs, left));
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread()) {
        QThread::msleep(ulong(slice));
        return 1;
    }
    if (!m_waiting) {
        m_waiting = true;
        if (m_observer)
            m_observer(true);
        QTimer::singleShot(2 * kSliceMs, &m_context, [this] { finish(); });
    }
    m_inside = true;
    QEventLoop loop;
    QTimer::singleShot(slice, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_inside = false;
    return 1;
}

void LockWait::finish() {
    // Still inside a wait: the statement has not finished yet.
    if (m_inside) {
        QTimer::singleShot(2 * kSliceMs, &m_context, [this] { finish(); });
        return;
    }
    m_waiting = false;
    if (m_observer)
        m_observer(false);
}
