#pragma once

#include "clock/CaptureState.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Compares the local-time difference that the operator keeps by hand with the UTC offset of the
// PC's time zone at one instant, summer time included. The minus pair stands for a station ahead
// of UTC (offset +difference), the plus pair for one behind (offset -difference); with no pair
// chosen only the size is compared. A zone that is UTC all year is taken for a PC whose clock is
// kept in local time, and never disagrees. Reads and writes nothing.
class StationTime {
public:
    // What the operator is told when they disagree, empty when they agree. `now` carries the PC's
    // time zone; `differenceText` is the text the difference was read from.
    static QString disagreement(const QDateTime& now, int differenceSeconds,
                                const QString& differenceText,
                                std::optional<CaptureState::Pair> pair);
};
