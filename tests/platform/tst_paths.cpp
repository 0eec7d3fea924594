#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPaths : public QObject {
    Q_OBJECT
private slots:
    void resolvesDesignPaths_data();
    void resolvesDesignPaths();
    void findsNamesWithoutRegardToCase_data();
    void findsNamesWithoutRegardToCase();
    void foldersFromEnvironment_data();
    void foldersFromEnvironment();
};

void TestPaths::resolvesDesignPaths_data() {
    QTest::addColumn<QString>("designPath");
    QTest::addColumn<QString>("expected"); // empty: refused
    const auto row = [](const char* name, const char* designPath, const char* expected) {
        QTest::newRow(name) << QString(designPath) << QString(expected);
    };
    row("prefix in other case", "c:\\PROGRAMMI\\tempora\\Tempora.mdb", "/opt/tempora/Tempora.mdb");
    row("sub-folder", "C:\\Programmi\\Tempora\\old\\a.txt", "/opt/tempora/old/a.txt");
    row("backup medium root", "A:\\", "/media/fd");
    row("file on the backup medium", "A:\\Tempora.mdb", "/media/fd/Tempora.mdb");
    row("other drive", "D:\\Tempora.mdb", "");
    row("other folder", "C:\\Windows\\win.ini", "");
}

void TestPaths::resolvesDesignPaths() {
    QFETCH(QString, designPath);
    QFETCH(QString, expected);
    const Paths paths(QStringLiteral("/opt/tempora/"), QStringLiteral("/media/fd"));
    QCOMPARE(paths.resolve(designPath), expected);
}

void TestPaths::findsNamesWithoutRegardToCase_data() {
    QTest::addColumn<QString>("onDisk"); // names, separated by blanks
    QTest::addColumn<QString>("designName");
    QTest::addColumn<QString>("expectedName");
    const auto row = [](const char* name, const char* onDisk, const char* asked,
                        const char* found) {
        QTest::newRow(name) << QString(onDisk) << QString(asked) << QString(found);
    };
    row("lower-case design name", "Tempora.mdb", "tempora.mdb", "Tempora.mdb");
    row("absent file keeps the design spelling", "other.txt", "Savetime.TXT", "Savetime.TXT");
    row("two spellings, lower case asked", "tempora.mdb Tempora.mdb", "tempora.mdb", "Tempora.mdb");
    row("two spellings, installed one asked", "tempora.mdb Tempora.mdb", "Tempora.mdb",
        "Tempora.mdb");
}

void TestPaths::findsNamesWithoutRegardToCase() {
    QFETCH(QString, onDisk);
    QFETCH(QString, designName);
    QFETCH(QString, expectedName);
    QTemporaryDir folder;
    for (const QString& name : onDisk.split(QLatin1Char(' '))) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const Paths paths(folder.path(), QStringLiteral("/media/fd"));
    QCOMPARE(paths.resolve(QStringLiteral("C:\\Programmi\\Tempora\\") + designName),
             folder.path() + QLatin1Char('/') + expectedName);
}

void TestPaths::foldersFromEnvironment_data() {
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("dataHome");
    QTest::addColumn<QByteArray>("floppy");
    QTest::addColumn<QString>("installation");
    QTest::addColumn<QString>("backup");
    QTest::newRow("both set") << QByteArray("/srv/tempora") << QByteArray("/x/data")
                              << QByteArray("/mnt/stick") << "/srv/tempora"
                              << "/mnt/stick";
    QTest::newRow("XDG data home")
        << QByteArray() << QByteArray("/x/data") << QByteArray() << "/x/data/tempora" << QString();
    QTest::newRow("defaults") << QByteArray() << QByteArray() << QByteArray()
                              << QDir::homePath() + "/.local/share/tempora" << QString();
}

void TestPaths::foldersFromEnvironment() {
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, dataHome);
    QFETCH(QByteArray, floppy);
    QFETCH(QString, installation);
    QFETCH(QString, backup);
    const auto setOrUnset = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    setOrUnset("TEMPORA_HOME", home);
    setOrUnset("XDG_DATA_HOME", dataHome);
    setOrUnset("TEMPORA_FLOPPY", floppy);
    const Paths paths = Paths::fromEnvironment();
    QCOMPARE(paths.installationFolder(), installation);
    QCOMPARE(paths.backupFolder(), backup);
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
