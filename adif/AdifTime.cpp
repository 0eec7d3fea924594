#include "adif/AdifTime.h"

namespace {

bool twoDigits(const QString& text, qsizetype at, int limit, int& value) {
    if (at + 2 > text.size() || !text[at].isDigit() || !text[at + 1].isDigit() ||
        text[at].unicode() > 127 || text[at + 1].unicode() > 127)
        return false;
    value = (text[at].unicode() - '0') * 10 + (text[at + 1].unicode() - '0');
    return value < limit;
}

} // namespace

QString AdifTime::digits(const QString& clockText) {
    QString text = clockText;
    if (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    if (text.size() != 5 && text.size() != 8)
        return {};
    const QChar separator = text[2];
    if (separator.isDigit() || !twoDigits(text, 0, 24, hours) || !twoDigits(text, 3, 60, minutes))
        return {};
    if (text.size() == 8 && (text[5] != separator || !twoDigits(text, 6, 60, seconds)))
        return {};
    const QChar digits[6] = {text[0],
                             text[1],
                             text[3],
                             text[4],
                             text.size() == 8 ? text[6] : QChar(u'0'),
                             text.size() == 8 ? text[7] : QChar(u'0')};
    return QString(digits, 6);
}

QString AdifTime::clockText(const QString& digits, const QString& separator) {
    int value = 0;
    if ((digits.size() != 4 && digits.size() != 6) || !twoDigits(digits, 0, 24, value) ||
        !twoDigits(digits, 2, 60, value) ||
        (digits.size() == 6 && !twoDigits(digits, 4, 60, value)))
        return {};
    QString text;
    text.reserve(7 + 2 * separator.size());
    text.append(digits.constData(), 2).append(separator).append(digits.constData() + 2, 2);
    text.append(separator);
    if (digits.size() == 6)
        text.append(digits.constData() + 4, 2);
    else
        text.append(QLatin1String("00"));
    return text.append(QLatin1Char(' '));
}
