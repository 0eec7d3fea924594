#pragma once

#include "log/RecordSource.h"

// The three views of the log. The design-time query shows every contact by date; a search
// shows the contacts whose call matches the operator's text by `like`, with `%` and `_` as
// the operator's wildcards and nothing added; the reset query shows every contact in the
// table's own order. The search text is bound as the value of the `like`, never pasted into the
// statement, so a quote in it is an ordinary character and nothing typed changes the statement.
class LogQueries {
public:
    static RecordSource design();
    static RecordSource search(const QString& text);
    static RecordSource reset();
};
