#pragma once

#include "platform/DatabaseBackup.h"
#include "platform/FileCopier.h"
#include "platform/MountTable.h"

#include <chrono>
#include <functional>
#include <optional>

class Dialogs;
class Paths;

// The desktop's file copy for the log: asks before replacing a file of the same name, copies with
// a progress display naming each step, with a cancel button that works at every step (owned by
// the active window), and shows an error dialog of its own on failure. The copy is taken as a
// consistent, checked database copy and put in place only when complete (see DatabaseBackup). "A:\"
// is the folder the operator named, else the removable medium mounted now, chosen by the operator
// when there are several (see BackupMedium); without a medium the copy fails with ENOMEDIUM after
// saying what to do.
class ShellFileCopier : public FileCopier {
public:
    // The progress display shows once a copy has run for showProgressAfter.
    ShellFileCopier(const Paths& paths, Dialogs& dialogs, const MountTable& mounts,
                    std::chrono::milliseconds showProgressAfter = std::chrono::seconds(1))
        : m_paths(paths), m_dialogs(dialogs), m_mounts(mounts),
          m_showProgressAfter(showProgressAfter) {}
    Result copy(const QString& sourcePath, const QString& destinationFolder) override;

private:
    // The folder standing for "A:\"; none when there is no medium (code) or the operator
    // cancelled the choice (code 0).
    std::optional<QString> backupFolder(int& code);
    // Copies on a thread of its own while the progress display runs, asking replace on this one.
    DatabaseBackup::Outcome run(DatabaseBackup& backup, const QString& source,
                                const QString& target, const std::function<bool(bool)>& replace);

    const Paths& m_paths;
    Dialogs& m_dialogs;
    const MountTable& m_mounts;
    std::chrono::milliseconds m_showProgressAfter;
};
