#include "clock/StationTime.h"

#include <cstdlib>

namespace {

// "UTC+02:00", "UTC-05:00", "UTC+05:30".
QString zoneText(int offsetSeconds) {
    const int size = std::abs(offsetSeconds);
    QString text = QStringLiteral("UTC%1%2:%3")
                       .arg(offsetSeconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                       .arg(size / 3600, 2, 10, QLatin1Char('0'))
                       .arg(size / 60 % 60, 2, 10, QLatin1Char('0'));
    if (size % 60 != 0)
        text += QStringLiteral(":%1").arg(size % 60, 2, 10, QLatin1Char('0'));
    return text;
}

// Half a year on either side: a zone with summer time shows another offset on one of them.
bool utcAllYear(const QDateTime& now) {
    return now.offsetFromUtc() == 0 && now.addDays(-182).offsetFromUtc() == 0 &&
           now.addDays(182).offsetFromUtc() == 0;
}

} // namespace

QString StationTime::disagreement(const QDateTime& now, int differenceSeconds,
                                  const QString& differenceText,
                                  std::optional<CaptureState::Pair> pair) {
    if (utcAllYear(now))
        return QString();
    const int offset = now.offsetFromUtc();
    QString zone = zoneText(offset);
    if (now.isDaylightTime())
        zone += QStringLiteral(" (summer time)");
    if (std::abs(offset) != differenceSeconds) {
        return QStringLiteral("The PC's time zone is %1; Savetime.TXT says %2. Edit the file and "
                              "start the clock window again.")
            .arg(zone, differenceText.trimmed());
    }
    const bool ahead = offset > 0;
    if (!pair || offset == 0 || (*pair == CaptureState::Pair::Minus) == ahead)
        return QString();
    return ahead ? QStringLiteral("The PC's time zone is %1: local time is ahead of UTC, so the "
                                  "clocks of \"_\" show UTC, not those of \"+\".")
                       .arg(zone)
                 : QStringLiteral("The PC's time zone is %1: local time is behind UTC, so the "
                                  "clocks of \"+\" show UTC, not those of \"_\".")
                       .arg(zone);
}
