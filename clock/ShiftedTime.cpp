#include "clock/ShiftedTime.h"

namespace {
constexpr qint64 kMsPerDay = 24 * 3600 * 1000;
}

ShiftedTime::ShiftedTime(const QDateTime& now, qint64 seconds) {
    const qint64 ms = now.time().msecsSinceStartOfDay() + seconds * 1000;
    // Floor division, so a negative sum lands on the previous day.
    const qint64 days = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    m_date = now.date().addDays(days);
    m_time = QTime::fromMSecsSinceStartOfDay(int(ms - days * kMsPerDay));
}
