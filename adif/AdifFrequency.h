#pragma once

#include <QByteArray>

// The log's free-text frequency as the MHz number the format's FREQ field holds. A unit may
// follow the number ("14074 kHz", "7.1MHz", "14074000 Hz"); without one the number is MHz,
// unless only its reading as kHz or as Hz falls in a band. A decimal comma is read as a point.
// An empty result means the text holds no number. Conversions shift the decimal point, so no
// digit is lost or invented.
class AdifFrequency {
public:
    static QByteArray megahertz(const QByteArray& text);
};
