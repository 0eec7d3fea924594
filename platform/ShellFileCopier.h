#pragma once

#include "platform/FileCopier.h"

class Dialogs;
class Paths;

// The desktop's file copy for the log: asks before replacing a file of the same name, copies with
// a progress display that has a cancel button (owned by the active window), and shows an error
// dialog of its own on failure. The copy is taken as a consistent, checked database copy and put
// in place only when complete (see DatabaseBackup).
class ShellFileCopier : public FileCopier {
public:
    ShellFileCopier(const Paths& paths, Dialogs& dialogs) : m_paths(paths), m_dialogs(dialogs) {}
    Result copy(const QString& sourcePath, const QString& destinationFolder) override;

private:
    const Paths& m_paths;
    Dialogs& m_dialogs;
};
