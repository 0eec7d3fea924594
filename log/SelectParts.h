#pragma once

#include <QString>

// The parts of a record source the record set needs to keep rows by rowid: the select list, the
// one table, the condition and the order column. The record set reads the rows of
// `SELECT <select list> FROM <table> [WHERE <condition>] [ORDER BY <column> [COLLATE <name>]
// [ASC]]`; other statements (joins, grouping, several order terms, descending order, limits,
// compound selects) are refused with a description. Names keep their quoting as written.
class SelectParts {
public:
    bool parse(const QString& text);

    QString selectList() const { return m_selectList; }
    QString table() const { return m_table; }
    QString condition() const { return m_condition; }
    // The order term without ASC (column and any COLLATE clause); empty when the text has no
    // ORDER BY.
    QString orderTerm() const { return m_orderTerm; }

    QString lastError() const { return m_lastError; }

private:
    bool fail(const QString& reason);

    QString m_selectList;
    QString m_table;
    QString m_condition;
    QString m_orderTerm;
    QString m_lastError;
};
