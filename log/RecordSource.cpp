#include "log/RecordSource.h"

QString RecordSource::text() const {
    QString text = QStringLiteral("SELECT %1 FROM %2").arg(selectList, table);
    if (!condition.isEmpty())
        text += QStringLiteral(" WHERE ") + condition;
    if (!orderTerm.isEmpty())
        text += QStringLiteral(" ORDER BY ") + orderTerm;
    return text;
}
