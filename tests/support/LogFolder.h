#pragma once

#include "platform/Paths.h"

#include <QTemporaryDir>

// An installation folder and a backup folder in a fresh temporary folder, where the log lives.
class LogFolder {
public:
    LogFolder();

    QString installationFolder() const { return paths.installationFolder(); }
    QString backupFolder() const { return paths.backupFolder(); }
    QString logPath() const;
    // Creates an empty log with the program's own schema; a failure fails the test.
    void createLog() const;

    QTemporaryDir folder;
    Paths paths;
};
