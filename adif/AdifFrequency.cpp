#include "adif/AdifFrequency.h"

#include "adif/AdifBand.h"

namespace {

// number * 10^-shift, written without exponent, leading zeros or trailing fraction zeros.
QString shifted(const QString& number, int shift) {
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    QString digits = number;
    qsizetype integerDigits = number.size();
    if (point >= 0) {
        digits.remove(point, 1);
        integerDigits = point;
    }
    integerDigits -= shift;
    if (integerDigits <= 0) {
        digits.prepend(QString(-integerDigits + 1, QLatin1Char('0')));
        integerDigits = 1;
    }
    QString integer = digits.left(integerDigits);
    QString fraction = digits.mid(integerDigits);
    while (integer.size() > 1 && integer.startsWith(QLatin1Char('0')))
        integer.remove(0, 1);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return fraction.isEmpty() ? integer : integer + QLatin1Char('.') + fraction;
}

// The band above all others spans every higher frequency: it tells nothing about the unit.
bool inBand(double mhz) {
    const QByteArray band = AdifBand::ofFrequency(mhz);
    return !band.isEmpty() && band != "submm";
}

// Digits with at most one point: the form most logs hold, checked without a conversion.
bool isPlainNumber(QByteArrayView text) {
    int points = 0;
    int digits = 0;
    for (const char c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

QString megahertzOf(const QString& text) {
    QString value = text.trimmed();
    value.replace(QLatin1Char(','), QLatin1Char('.'));
    qsizetype unitAt = 0;
    while (unitAt < value.size() && (value[unitAt].isDigit() || value[unitAt] == '.'))
        ++unitAt;
    const QString number = value.left(unitAt);
    const QString unit = value.mid(unitAt).trimmed().toLower();
    if (!isPlainNumber(number.toLatin1()))
        return {};
    if (unit == QLatin1String("mhz"))
        return shifted(number, 0);
    if (unit == QLatin1String("khz"))
        return shifted(number, 3);
    if (unit == QLatin1String("hz"))
        return shifted(number, 6);
    if (unit == QLatin1String("ghz"))
        return shifted(number, -3);
    if (!unit.isEmpty())
        return {};

    const double mhz = number.toDouble();
    if (!inBand(mhz)) {
        if (inBand(mhz / 1e3))
            return shifted(number, 3);
        if (inBand(mhz / 1e6))
            return shifted(number, 6);
    }
    // Typed in MHz already: the text goes out as typed, so it reads back unchanged.
    return number == text ? text : shifted(number, 0);
}

} // namespace

QByteArray AdifFrequency::megahertz(const QByteArray& text) {
    // Most logs hold a plain number in MHz: it is taken without a conversion.
    if (isPlainNumber(text) && inBand(text.toDouble()))
        return text;
    return megahertzOf(QString::fromUtf8(text)).toLatin1();
}
