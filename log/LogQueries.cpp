#include "log/LogQueries.h"

RecordSource LogQueries::design() {
    RecordSource source;
    source.selectList = QStringLiteral("[QSO Date],[Time Init],[Time End],OM_Call,Name,QTH,"
                                       "[QSL Man],Band,Frequency,Mode,Note");
    source.table = QStringLiteral("Log1");
    source.orderTerm = QStringLiteral("[QSO Date]");
    return source;
}

RecordSource LogQueries::search(const QString& text) {
    RecordSource source;
    source.selectList = QStringLiteral("*");
    source.table = QStringLiteral("Log1");
    source.condition = QStringLiteral("OM_Call like ?");
    source.parameters = {text};
    // A search picks few rows, through the case-blind index of the calls.
    source.takenAtOnce = true;
    return source;
}

RecordSource LogQueries::reset() {
    RecordSource source;
    source.selectList = QStringLiteral("*");
    source.table = QStringLiteral("Log1");
    return source;
}
