#pragma once

#include <QString>
#include <functional>

// The operations measured on a log, in the order an operator meets them. Each variant of the log
// benchmark (the program's own log window, a plain Qt SQL model in a table view, SQLite's C API)
// performs every step on its own copy of the same file and reports the milliseconds it took.
struct LogOperations {
    std::function<void()> open;     // open the log until its first screen of rows is painted
    std::function<void()> add;      // go to the last record and on to the new-record row
    std::function<void()> search;   // exact call search until the result is painted
    std::function<void()> reset;    // back to the whole log
    std::function<void()> refresh;  // read the current view again
    std::function<void()> remove;   // delete the record in the middle of the log
    std::function<void()> update;   // save one edited row
    std::function<void()> toMiddle; // before remove, not timed: go to the middle record
    std::function<void()> settle;   // before end, not timed: let the grid learn the log's size
    std::function<void()> end;      // scroll bar dragged to the end, until painted
    std::function<void()> jump;     // scroll bar dragged to 37% of the log, until painted
    std::function<void()> pageDown; // one Page Down from there, until painted
    // Only where memory could grow with the rows seen, not timed: every screen of the log from
    // the first to the last, each painted.
    std::function<void()> throughout;
};

// The call searched for (that of the contact in the middle of the file) and the number of
// contacts, fixed before timing.
struct LogProbe {
    QString call;
    qint64 contacts = 0;
};
