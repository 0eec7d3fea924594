#include "log/LogColumns.h"

#include <array>

const LogColumns::Column& LogColumns::at(int column) {
    static const std::array<Column, kCount> columns = {{
        {QStringLiteral("QSO Date"), QStringLiteral("Date"), 915, false},
        {QStringLiteral("Time Init"), QStringLiteral("Time Init"), 915, false},
        {QStringLiteral("Time End"), QStringLiteral("Time End"), 915, false},
        {QStringLiteral("OM_Call"), QStringLiteral("Call"), 1515, true},
        {QStringLiteral("Name"), QStringLiteral("Name"), 1920, true},
        {QStringLiteral("QTH"), QStringLiteral("QTH"), 1920, true},
        {QStringLiteral("QSL Man"), QStringLiteral("QSL Man."), 1515, true},
        {QStringLiteral("Band"), QStringLiteral("Band"), 720, false},
        {QStringLiteral("Frequency"), QStringLiteral("Frequency"), 915, false},
        {QStringLiteral("Mode"), QStringLiteral("Mode"), 720, true},
        {QStringLiteral("Note"), QStringLiteral("Note"), 3525, false},
    }};
    return columns.at(size_t(column));
}
