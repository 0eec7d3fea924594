#pragma once

#include <QString>

// The common error path: a handler without an error trap of its own reports a failure here and
// returns at once, without its remaining steps. The program's own path shows the description
// and ends the program with exit status 1.
class ErrorPath {
public:
    virtual ~ErrorPath() = default;
    virtual void fail(const QString& description) = 0;
};
