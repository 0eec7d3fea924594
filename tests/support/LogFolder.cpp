#include "LogFolder.h"

#include "log/LogSchema.h"

#include <QDir>
#include <QTest>

LogFolder::LogFolder()
    : paths(folder.path() + QStringLiteral("/Tempora"), folder.path() + QStringLiteral("/floppy")) {
    QDir().mkpath(paths.installationFolder());
    QDir().mkpath(paths.backupFolder());
}

QString LogFolder::logPath() const {
    return paths.installationFolder() + QStringLiteral("/Tempora.mdb");
}

void LogFolder::createLog() const {
    LogSchema schema;
    QVERIFY2(schema.create(logPath()), qPrintable(schema.lastError()));
}
