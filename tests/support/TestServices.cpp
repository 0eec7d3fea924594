#include "TestServices.h"

#include "log/LogSchema.h"

#include <QDir>
#include <QFile>
#include <QTest>

TestServices::TestServices()
    : paths(folder.path() + QStringLiteral("/Tempora"), folder.path() + QStringLiteral("/floppy")),
      services{clock, formats, paths, settings, dialogs, keystroke, errors, copier} {
    QDir().mkpath(paths.installationFolder());
    QDir().mkpath(paths.backupFolder());
}

QString TestServices::logPath() const {
    return paths.installationFolder() + QStringLiteral("/Tempora.mdb");
}

QString TestServices::differencePath() const {
    return paths.installationFolder() + QStringLiteral("/Savetime.TXT");
}

void TestServices::writeDifferenceFile(const QByteArray& content) const {
    QFile file(differencePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        qFatal("cannot write the difference file %s", qPrintable(differencePath()));
}

void TestServices::createLog() const {
    LogSchema schema;
    if (!schema.create(logPath()))
        qFatal("%s", qPrintable(schema.lastError()));
}
