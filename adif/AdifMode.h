#pragma once

#include <QByteArray>
#include <QString>

// The log's mode text as the format's MODE and SUBMODE: a submode of the enumeration goes out
// with its mode ("USB" -> SSB + USB, "FT4" -> MFSK + FT4), a mode of the enumeration alone
// ("FT8", "CW"). Letters are compared in capitals. A text the enumeration does not know goes out
// as MODE in capitals, so another logger still sees it; an empty text gives neither field.
class AdifMode {
public:
    struct Pair {
        QByteArray mode;
        QByteArray submode;
    };
    static Pair of(const QString& text);
};
