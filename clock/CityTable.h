#pragma once

#include <QList>
#include <QString>

// The world-time list: 24 cities in their fixed display order, each with its offset from UTC in
// whole hours at standard time (summer time is left to the operator). Names are shown exactly as
// stored, trailing blank of "Stockolm " included.
class CityTable {
public:
    struct City {
        QString name;
        int offset;
    };

    static const QList<City>& cities();
};
