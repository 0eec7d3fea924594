#include "TestServices.h"

#include <QFile>
#include <QTest>

TestServices::TestServices()
    : services{clock, formats, paths, settings, dialogs, keystroke, errors, copier} {}

QString TestServices::differencePath() const {
    return paths.installationFolder() + QStringLiteral("/Savetime.TXT");
}

void TestServices::writeDifferenceFile(const QByteArray& content) const {
    QFile file(differencePath());
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                 file.write(content) == content.size(),
             qPrintable(differencePath()));
}
