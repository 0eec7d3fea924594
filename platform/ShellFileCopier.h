#pragma once

#include "platform/FileCopier.h"
#include "platform/MountTable.h"

#include <optional>

class Dialogs;
class Paths;

// The desktop's file copy for the log: asks before replacing a file of the same name, copies with
// a progress display that has a cancel button (owned by the active window), and shows an error
// dialog of its own on failure. The copy is taken as a consistent, checked database copy and put
// in place only when complete (see DatabaseBackup). "A:\" is the folder the operator named, else
// the removable medium mounted now, chosen by the operator when there are several (see
// BackupMedium); without a medium the copy fails with ENOMEDIUM after saying what to do.
class ShellFileCopier : public FileCopier {
public:
    ShellFileCopier(const Paths& paths, Dialogs& dialogs) : m_paths(paths), m_dialogs(dialogs) {}
    Result copy(const QString& sourcePath, const QString& destinationFolder) override;

private:
    // The folder standing for "A:\"; none when there is no medium (code) or the operator
    // cancelled the choice (code 0).
    std::optional<QString> backupFolder(int& code);

    SystemMountTable m_mounts;
    const Paths& m_paths;
    Dialogs& m_dialogs;
};
