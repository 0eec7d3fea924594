#pragma once

#include <QString>
#include <QVariantList>

// A record source: the query text of the data control and the values bound to its `?`
// parameters, in order.
struct RecordSource {
    QString text;
    QVariantList parameters;

    friend bool operator==(const RecordSource& a, const RecordSource& b) {
        return a.text == b.text && a.parameters == b.parameters;
    }
};
