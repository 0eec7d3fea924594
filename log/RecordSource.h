#pragma once

#include <QString>
#include <QVariantList>

// A record source of the data control: `SELECT <selectList> FROM <table> [WHERE <condition>]
// [ORDER BY <orderTerm>]`, with the values bound to the `?` parameters of its condition, in order.
// The record set keeps rows by rowid, so a source names one table and at most one order column
// (with any COLLATE clause), ascending.
struct RecordSource {
    QString selectList;
    QString table;
    QString condition;
    QString orderTerm;
    QVariantList parameters;
    // Every row the condition picks is taken at once, in the order SQLite finds them through the
    // condition's index, instead of paging along an order.
    bool takenAtOnce = false;

    // The statement the parts make.
    QString text() const;

    friend bool operator==(const RecordSource& a, const RecordSource& b) {
        return a.text() == b.text() && a.parameters == b.parameters &&
               a.takenAtOnce == b.takenAtOnce;
    }
};
