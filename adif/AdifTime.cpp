#include "adif/AdifTime.h"

namespace {

bool twoDigits(QByteArrayView text, qsizetype at, int limit, int& value) {
    if (at + 2 > text.size() || text[at] < '0' || text[at] > '9' || text[at + 1] < '0' ||
        text[at + 1] > '9')
        return false;
    value = (text[at] - '0') * 10 + (text[at + 1] - '0');
    return value < limit;
}

} // namespace

QByteArray AdifTime::digits(QByteArrayView clockText) {
    QByteArrayView text = clockText;
    if (text.endsWith(' '))
        text.chop(1);
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    if (text.size() != 5 && text.size() != 8)
        return {};
    const char separator = text[2];
    if ((separator >= '0' && separator <= '9') || uchar(separator) >= 0x80 ||
        !twoDigits(text, 0, 24, hours) || !twoDigits(text, 3, 60, minutes))
        return {};
    if (text.size() == 8 && (text[5] != separator || !twoDigits(text, 6, 60, seconds)))
        return {};
    const char digits[6] = {text[0],
                            text[1],
                            text[3],
                            text[4],
                            text.size() == 8 ? text[6] : '0',
                            text.size() == 8 ? text[7] : '0'};
    return QByteArray(digits, 6);
}

QByteArray AdifTime::clockText(QByteArrayView digits, QByteArrayView separator) {
    int value = 0;
    if ((digits.size() != 4 && digits.size() != 6) || !twoDigits(digits, 0, 24, value) ||
        !twoDigits(digits, 2, 60, value) ||
        (digits.size() == 6 && !twoDigits(digits, 4, 60, value)))
        return {};
    QByteArray text;
    text.reserve(7 + 2 * separator.size());
    text.append(digits.sliced(0, 2)).append(separator).append(digits.sliced(2, 2));
    text.append(separator);
    if (digits.size() == 6)
        text.append(digits.sliced(4, 2));
    else
        text.append("00");
    return text.append(' ');
}
