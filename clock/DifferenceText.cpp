#include "clock/DifferenceText.h"

#include <QRegularExpression>

DifferenceText::Check DifferenceText::check(const QString& text) {
    static const QStringList skipped{QString(), QStringLiteral(".00.00"), QStringLiteral("00.00"),
                                     QStringLiteral(".00")};
    if (skipped.contains(text))
        return Check::Skip;
    if (text == QStringLiteral(".0"))
        return Check::Warn;
    return Check::Convert;
}

std::optional<int> DifferenceText::seconds(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,2})(?:([.:])(\\d{1,2})(?:\\2(\\d{1,2}))?)?$"));
    const QString trimmed = text.trimmed();
    const auto match = form.match(trimmed);
    if (match.hasMatch()) {
        const int hours = match.captured(1).toInt();
        const int minutes = match.captured(3).toInt();
        const int seconds = match.captured(4).toInt();
        if (hours <= 23 && minutes <= 59 && seconds <= 59) {
            m_lastError.clear();
            return hours * 3600 + minutes * 60 + seconds;
        }
    }
    m_lastError =
        QStringLiteral("The time difference \"%1\" read from the file Savetime.TXT is not "
                       "a time. Write it in the form hh.mm.ss (hours 00-23, minutes and "
                       "seconds 00-59), for example 01.00.00, and start the program "
                       "again.")
            .arg(trimmed);
    return std::nullopt;
}
