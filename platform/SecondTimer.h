#pragma once

#include <QObject>
#include <QTimer>

class Clock;

// A one-second timer that fires just after each whole second of the clock rather than at a free
// running period, so a label driven by it changes its second within a few milliseconds of the
// system clock and never skips or repeats a second.
class SecondTimer : public QObject {
    Q_OBJECT
public:
    explicit SecondTimer(const Clock& clock, QObject* parent = nullptr);

    void start();
    void stop();
    bool isActive() const { return m_active; }

signals:
    void timeout();

private:
    void arm(qint64 nowMs);
    void fire();

    const Clock& m_clock;
    QTimer m_timer;
    qint64 m_nextBoundaryMs = 0;
    bool m_active = false;
};
