#include "LogFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// tempora-init lays out the installation folder once and never touches what is there.
class TestTemporaInit : public QObject {
    Q_OBJECT
private slots:
    void laysOutAnEmptyInstallation();
    void keepsFilesThatExist_data();
    void keepsFilesThatExist();

private:
    static int runInit(const QString& home);
    static QByteArray contents(const QString& path);
};

int TestTemporaInit::runInit(const QString& home) {
    QProcess init;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TEMPORA_HOME"), home);
    init.setProcessEnvironment(environment);
    init.start(QStringLiteral(TEMPORA_INIT_PATH), {});
    if (!init.waitForFinished(30000) || init.exitStatus() != QProcess::NormalExit)
        return -1;
    return init.exitCode();
}

QByteArray TestTemporaInit::contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestTemporaInit::laysOutAnEmptyInstallation() {
    QTemporaryDir folder;
    const QString home = folder.filePath(QStringLiteral("a/b/Tempora"));
    QCOMPARE(runInit(home), 0);
    QCOMPARE(contents(home + QStringLiteral("/Savetime.TXT")), QByteArray("00.00.00"));
    QCOMPARE(LogFile(home + QStringLiteral("/Tempora.mdb")).count(), 0);
}

void TestTemporaInit::keepsFilesThatExist_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("created");
    QTest::newRow("difference file kept, log made") << "Savetime.TXT"
                                                    << "Tempora.mdb";
    QTest::newRow("log kept, difference file made") << "Tempora.mdb"
                                                    << "Savetime.TXT";
    QTest::newRow("log in lower case kept") << "tempora.mdb"
                                            << "Savetime.TXT";
}

void TestTemporaInit::keepsFilesThatExist() {
    QFETCH(QString, existing);
    QFETCH(QString, created);
    QTemporaryDir home;
    QFile file(home.filePath(existing));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("the operator's own file\n");
    file.close();

    QCOMPARE(runInit(home.path()), 0);
    QCOMPARE(contents(home.filePath(existing)), QByteArray("the operator's own file\n"));
    QVERIFY(QFile::exists(home.filePath(created)));
}

QTEST_GUILESS_MAIN(TestTemporaInit)
#include "tst_temporainit.moc"
