#include "platform/SecondTimer.h"

#include "platform/Clock.h"

namespace {
// Firing a little after the boundary keeps a slightly early wake-up from reading the old second.
constexpr qint64 kBoundaryMarginMs = 1;
} // namespace

SecondTimer::SecondTimer(const Clock& clock, QObject* parent) : QObject(parent), m_clock(clock) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SecondTimer::fire);
}

void SecondTimer::start() {
    m_active = true;
    const qint64 nowMs = m_clock.msecsSinceEpoch();
    m_nextBoundaryMs = (nowMs / 1000 + 1) * 1000;
    arm(nowMs);
}

void SecondTimer::stop() {
    m_active = false;
    m_timer.stop();
}

void SecondTimer::arm(qint64 nowMs) {
    const qint64 delay =
        qBound(qint64(0), m_nextBoundaryMs - nowMs + kBoundaryMarginMs, qint64(1000));
    m_timer.start(int(delay));
}

void SecondTimer::fire() {
    const qint64 nowMs = m_clock.msecsSinceEpoch();
    const bool steppedBack = nowMs < m_nextBoundaryMs - 1000;
    if (nowMs < m_nextBoundaryMs && !steppedBack) {
        arm(nowMs); // woke up early: the second has not changed yet
        return;
    }
    m_nextBoundaryMs = (nowMs / 1000 + 1) * 1000;
    arm(nowMs);
    emit timeout(); // a handler may stop the timer; arming first keeps that stop effective
}
