#include "LogFolder.h"
#include "log/ConnectionString.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

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
    QTest::newRow("keys without regard to case, blanks around key and value")
        << " Provider = X ; Mode=1"
        << "provider"
        << "X";
    QTest::newRow("quoted value holds a semicolon") << "Data Source=\"a;b\";Mode=1"
                                                    << "Data Source"
                                                    << "a;b";
    QTest::newRow("doubled quote inside quotes") << "Password='it''s';x=1"
                                                 << "password"
                                                 << "it's";
    QTest::newRow("later pair wins") << "Mode=1;mode=2"
                                     << "Mode"
                                     << "2";
    QTest::newRow("part without equals is skipped") << "junk;Provider=P"
                                                    << "Provider"
                                                    << "P";
}

void TestLogConnection::parsesConnectionStrings() {
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(ConnectionString(text).value(key), value);
}

void TestLogConnection::refusesWhatIsNotTheLog_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QByteArray>("fileContent"); // empty: no file; "schema": the program's log
    QTest::addColumn<QString>("reason");
    const QString design = DataControl::designConnectionString();
    QTest::newRow("other provider")
        << "Provider=SQLOLEDB;Data Source=C:\\Programmi\\Tempora\\tempora.mdb"
        << QByteArray("schema") << "the provider \"SQLOLEDB\" is not known";
    QTest::newRow("no provider") << "Data Source=C:\\Programmi\\Tempora\\tempora.mdb"
                                 << QByteArray("schema") << "names no provider";
    QTest::newRow("missing file") << design << QByteArray() << "the file does not exist";
    QTest::newRow("not an SQLite database")
        << design << QByteArray("this is plain text, not a database\n")
        << "the file is not an SQLite database";
    QTest::newRow("database without Log1")
        << design << QByteArray("other table") << "the database has no table Log1";
}

void TestLogConnection::refusesWhatIsNotTheLog() {
    QFETCH(QString, connectionString);
    QFETCH(QByteArray, fileContent);
    QFETCH(QString, reason);
    LogFolder test;
    if (fileContent == "schema") {
        test.createLog();
    } else if (fileContent == "other table") {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(test.logPath()).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "CREATE TABLE Log2 (x TEXT)", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    } else if (!fileContent.isEmpty()) {
        QFile file(test.logPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileContent);
    }
    LogConnection connection;
    QVERIFY(!connection.open(connectionString, test.paths, 1000));
    QVERIFY(!connection.handle());
    const QString description = connection.lastError();
    QVERIFY2(description.contains(reason), qPrintable(description));
    QVERIFY2(description.contains("C:\\Programmi\\Tempora\\tempora.mdb"), qPrintable(description));
    QVERIFY2(description.contains(test.installationFolder() + "/"), qPrintable(description));
    // Opening never creates the log.
    QCOMPARE(QFile::exists(test.logPath()), !fileContent.isEmpty());
}

QTEST_GUILESS_MAIN(TestLogConnection)
#include "tst_logconnection.moc"
