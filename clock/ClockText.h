#pragma once

#include <QString>
#include <QTime>

// The text every clock of the clock strip shows: hours 00-23, minutes and seconds, two digits
// each, joined by the system's time separator and followed by exactly one blank
// ("14:05:09 "). Milliseconds are dropped, never rounded.
class ClockText {
public:
    static QString of(const QTime& time, const QString& separator);
};
