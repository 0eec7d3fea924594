#pragma once

#include <QDateTime>

// The time source of the program: the local date and time of the system clock, to the millisecond.
// Every timer tick reads it; tests substitute a settable one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The same instant as milliseconds since the epoch, without converting it to local time.
    virtual qint64 msecsSinceEpoch() const { return now().toMSecsSinceEpoch(); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 msecsSinceEpoch() const override { return QDateTime::currentMSecsSinceEpoch(); }
};
