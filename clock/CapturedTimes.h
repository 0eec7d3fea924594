#pragma once

#include <QDate>
#include <QString>

// What the log window copies from the clock strip: the captions of the start and stop clocks of
// the pair in use, frozen or running ("hh:mm:ss " once the clocks tick), so that the log window
// needs nothing else of the strip.
class CapturedTimes {
public:
    virtual ~CapturedTimes() = default;
    virtual QString startText() const = 0;
    virtual QString stopText() const = 0;
    // The date of the start clock's caption, in the same shifted time and carried across midnight
    // with it, so that the date and the start time are one instant; invalid before it first ticks.
    virtual QDate startDate() const = 0;
};
