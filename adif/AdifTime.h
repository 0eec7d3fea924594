#pragma once

#include <QByteArray>

// A time of day between the log's clock text ("14:05:09 ", any one separator, the trailing blank
// optional, seconds optional) and the format's HHmmss. Both ways refuse a time out of range.
class AdifTime {
public:
    // "140509", or empty when the text is no time of day.
    static QByteArray digits(QByteArrayView clockText);
    // "14:05:09 " from "140509" or "1405"; empty when the digits are no time of day.
    static QByteArray clockText(QByteArrayView digits, QByteArrayView separator);
};
