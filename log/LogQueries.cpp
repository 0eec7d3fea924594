#include "log/LogQueries.h"

RecordSource LogQueries::design() {
    return {QStringLiteral("select [QSO Date],[Time Init],[Time End],OM_Call,Name,QTH,[QSL Man],"
                           "Band,Frequency,Mode,Note from Log1 Order by [QSO Date]"),
            {}};
}

RecordSource LogQueries::search(const QString& text) {
    return {QStringLiteral("SELECT * FROM Log1 WHERE OM_Call like ?"), {text}};
}

RecordSource LogQueries::reset() {
    return {QStringLiteral("SELECT * FROM Log1 "), {}};
}
