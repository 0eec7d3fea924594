#pragma once

#include <QString>

#include <array>

// One contact of the log as text, its fields in the order of the log's columns. `QSO Date` is
// the stored ISO text (yyyy-MM-dd); the times are the clock text ("14:05:09 "). An empty text is
// a field without value, as the grid stores an emptied cell.
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
    std::array<QString, FieldCount> fields;

    QString& operator[](int field) { return fields[size_t(field)]; }
    const QString& operator[](int field) const { return fields[size_t(field)]; }
};
