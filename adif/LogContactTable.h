#pragma once

#include "adif/LogContact.h"

#include <QString>

class SqliteStatement;

// The log's eleven fields in SQL: the column list for a select or an insert, and a contact's
// values in and out of a statement (no value stands for an empty text and back).
class LogContactTable {
public:
    // "[QSO Date],[Time Init],...,[Note]"
    static QString columns();
    static QString insert();
    // The contact points into the statement's row: it is valid until the next step.
    static void read(const SqliteStatement& statement, LogContact& contact);
    // The statement points into the contact: keep it as it is until the statement has run.
    static bool bind(SqliteStatement& statement, const LogContact& contact);
};
