#include "clock/ClockText.h"

namespace {
QString twoDigits(int value) {
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}
} // namespace

QString ClockText::of(const QTime& time, const QString& separator) {
    // Built by hand: a separator is plain text and must not be read as a format pattern.
    return twoDigits(time.hour()) + separator + twoDigits(time.minute()) + separator +
           twoDigits(time.second()) + QLatin1Char(' ');
}
