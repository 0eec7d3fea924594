#pragma once

#include "log/LogSchema.h"
#include "platform/Paths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// An installation folder and a backup folder in a fresh temporary folder, where the log lives.
class LogFolder {
public:
    LogFolder() {
        QDir().mkpath(paths.installationFolder());
        QDir().mkpath(paths.backupFolder());
    }

    QString installationFolder() const { return paths.installationFolder(); }
    QString backupFolder() const { return paths.backupFolder(); }
    QString logPath() const { return paths.installationFolder() + QStringLiteral("/Tempora.mdb"); }
    // Creates an empty log with the program's own schema; a failure fails the test.
    void createLog() const {
        LogSchema schema;
        QVERIFY2(schema.create(logPath()), qPrintable(schema.lastError()));
    }

    QTemporaryDir folder;
    Paths paths{folder.path() + QStringLiteral("/Tempora"),
                folder.path() + QStringLiteral("/floppy")};
};
