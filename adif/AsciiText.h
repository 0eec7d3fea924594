#pragma once

#include <QByteArray>

// Text for the ASCII-only ADI file: letters with accents lose them ("Müller" -> "Muller"),
// a few letters without a decomposition are spelt out ("ß" -> "ss", "Ø" -> "O"), and any other
// character outside ASCII becomes "?". ASCII text comes back unchanged.
class AsciiText {
public:
    static bool isAscii(QByteArrayView utf8);
    // The ASCII text of UTF-8 text.
    static QByteArray of(const QByteArray& utf8);
};
