#pragma once

#include <QString>

// The eleven columns of the log grid, in order: the field each shows, its caption, its width in
// twips, and whether it shows its text in capitals (the ">" display format; the text is stored
// as typed).
class LogColumns {
public:
    struct Column {
        QString field;
        QString caption;
        int widthTwips;
        bool upperCase;
    };

    static constexpr int kCount = 11;
    static constexpr int kDate = 0;
    static constexpr int kName = 4;
    static constexpr int kFrequency = 8;

    static const Column& at(int column);
};
