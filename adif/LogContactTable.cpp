#include "adif/LogContactTable.h"

#include "log/LogColumns.h"
#include "log/SqliteStatement.h"

QString LogContactTable::columns() {
    QStringList names;
    for (int column = 0; column < LogColumns::kCount; ++column)
        names.append(QLatin1Char('[') + LogColumns::at(column).field + QLatin1Char(']'));
    return names.join(QLatin1Char(','));
}

QString LogContactTable::insert() {
    QStringList marks(LogContact::FieldCount, QStringLiteral("?"));
    return QStringLiteral("INSERT INTO Log1 (%1) VALUES (%2)")
        .arg(columns(), marks.join(QLatin1Char(',')));
}

void LogContactTable::read(const SqliteStatement& statement, LogContact& contact) {
    for (int field = 0; field < LogContact::FieldCount; ++field)
        contact[field] = statement.text(field);
}

bool LogContactTable::bind(SqliteStatement& statement, const LogContact& contact) {
    for (int field = 0; field < LogContact::FieldCount; ++field) {
        if (!statement.bindText(field + 1, contact[field]))
            return false;
    }
    return true;
}
