#include "log/LockWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>

namespace {

constexpr int kSliceMs = 10;

} // namespace

void LockWait::install(sqlite3* db, int timeoutMs) {
    m_timeoutMs = timeoutMs;
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
