#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// A wall-clock date and time moved by a number of seconds as plain numbers: the local date and
// time of day of `now` are taken as they read, the seconds added (negative to subtract), and the
// result carries over into the previous or next day. No time-zone rule is applied, so on the
// days the clocks change the shifted time moves exactly as the wall clock does, and a result may
// name a local time that the clock skips (02:30 on the morning summer time starts).
class ShiftedTime {
public:
    ShiftedTime(const QDateTime& now, qint64 seconds);

    QDate date() const { return m_date; }
    QTime time() const { return m_time; }

private:
    QDate m_date;
    QTime m_time;
};
