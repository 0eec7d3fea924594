#pragma once

#include "platform/ErrorPath.h"

class Dialogs;

// Shows the description and ends the program's event loop with exit status 1.
class ExitingErrorPath : public ErrorPath {
public:
    explicit ExitingErrorPath(Dialogs& dialogs) : m_dialogs(dialogs) {}
    void fail(const QString& description) override;

private:
    Dialogs& m_dialogs;
};
