#include "LogFile.h"
#include "LogFolder.h"
#include "log/ConnectionString.h"
#include "log/LogConnection.h"

#include <QFile>
#include <QTest>

class TestLogConnection : public QObject {
    Q_OBJECT
private slots:
    void parsesConnectionStrings_data();
    void parsesConnectionStrings();
    void refusesWhatIsNotTheLog_data();
    void refusesWhatIsNotTheLog();
};

void TestLogConnection::parsesConnectionStrings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("any case, blanks around") << " Provider = X ; Mode=1"
                                             << "provider"
                                             << "X";
    QTest::newRow("quoted semicolon") << "Data Source=\"a;b\";Mode=1"
                                      << "Data Source"
                                      << "a;b";
    QTest::newRow("doubled quote") << "Password='it''s';x=1"
                                   << "password"
                                   << "it's";
    QTest::newRow("later pair wins") << "Mode=1;junk;mode=2"
                                     << "Mode"
                                     << "2";
}

void TestLogConnection::parsesConnectionStrings() {
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(ConnectionString(text).value(key), value);
}

void TestLogConnection::refusesWhatIsNotTheLog_data() {
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QByteArray>("file"); // empty: none; "log": the program's, without Log1
    QTest::addColumn<QString>("reason");
    const QString jet = LogConnection::provider();
    QTest::newRow("other provider")
        << "SQLOLEDB" << QByteArray("log") << "\"SQLOLEDB\" is not known";
    QTest::newRow("missing file") << jet << QByteArray() << "does not exist";
    QTest::newRow("not a database")
        << jet << QByteArray("plain text\n") << "not an SQLite database";
    QTest::newRow("no table Log1") << jet << QByteArray("log") << "no table Log1";
}

void TestLogConnection::refusesWhatIsNotTheLog() {
    QFETCH(QString, provider);
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    LogFolder test;
    QFile text(test.logPath());
    if (file == "log") {
        test.createLog();
        LogFile(test.logPath()).execute("DROP TABLE Log1");
    } else if (!file.isEmpty()) {
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write(file) > 0 && text.flush());
    }
    LogConnection connection;
    QVERIFY(!connection.open("Provider=" + provider +
                                 ";Data Source=C:\\Programmi\\Tempora\\tempora.mdb",
                             test.paths, 1000));
    QVERIFY(!connection.handle());
    const QString description = connection.lastError();
    QVERIFY2(description.contains(reason), qPrintable(description));
    QVERIFY2(description.contains(test.installationFolder() + "/"), qPrintable(description));
    // Opening never creates the log.
    QCOMPARE(QFile::exists(test.logPath()), !file.isEmpty());
}

QTEST_GUILESS_MAIN(TestLogConnection)
#include "tst_logconnection.moc"
