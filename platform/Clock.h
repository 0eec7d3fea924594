#pragma once

#include <QDateTime>

// The time source of the program: the local date and time of the system clock, to the millisecond.
// Every timer tick reads it; tests substitute a settable one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
