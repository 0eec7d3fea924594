#include "clock/CityTable.h"

const QList<CityTable::City>& CityTable::cities() {
    static const QList<City> table{
        {QStringLiteral("Roma"), 1},         {QStringLiteral("Baghdad"), 3},
        {QStringLiteral("Berlin"), 1},       {QStringLiteral("Dakar"), 0},
        {QStringLiteral("Dublino"), 0},      {QStringLiteral("Lima"), -5},
        {QStringLiteral("London"), 0},       {QStringLiteral("Los Angeles"), -8},
        {QStringLiteral("Melbourne"), 10},   {QStringLiteral("Mogadisco"), 3},
        {QStringLiteral("Moskva"), 3},       {QStringLiteral("Nairobi"), 3},
        {QStringLiteral("New York"), -5},    {QStringLiteral("Panama"), -5},
        {QStringLiteral("Paris"), 1},        {QStringLiteral("Pechino"), 8},
        {QStringLiteral("S.Francisco"), -8}, {QStringLiteral("Stockolm "), 1},
        {QStringLiteral("Sydney"), 10},      {QStringLiteral("Tokyo"), 9},
        {QStringLiteral("Toronto"), -5},     {QStringLiteral("Vancouver"), -8},
        {QStringLiteral("Vladivostok"), 10}, {QStringLiteral("Washington"), -5},
    };
    return table;
}
