#pragma once

#include <QByteArray>

#include <array>

// One contact of the log as UTF-8 text, its fields in the order of the log's columns. `QSO Date`
// is the stored ISO text (yyyy-MM-dd); the times are the clock text ("14:05:09 "). An empty text
// is a field without value, as the grid stores an emptied cell. Bytes rather than QString: a
// contact read from the log may point into the row it came from, and goes back without a
// conversion.
struct LogContact {
    enum Field {
        Date,
        TimeInit,
        TimeEnd,
        Call,
        Name,
        Qth,
        QslMan,
        Band,
        Frequency,
        Mode,
        Note,
        FieldCount
    };
    std::array<QByteArray, FieldCount> fields;

    QByteArray& operator[](int field) { return fields[size_t(field)]; }
    const QByteArray& operator[](int field) const { return fields[size_t(field)]; }
};
