#include "LogFiles.h"
#include "log/LogSchema.h"
#include "platform/DatabaseBackup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

// The copy engine on its own: sources it must refuse.
class TestDatabaseBackup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void refusals_data();
    void refusals();

private:
    QTemporaryDir m_folder;
    QString m_source;
    QString m_medium;
};

void TestDatabaseBackup::init() {
    m_source = m_folder.filePath(QStringLiteral("Tempora.mdb"));
    m_medium = m_folder.filePath(QStringLiteral("medium"));
    QFile::remove(m_source);
    QVERIFY(QDir(m_medium).removeRecursively() && QDir().mkpath(m_medium));
    QVERIFY(LogSchema().create(m_source));
}

void TestDatabaseBackup::refusals_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("code");
    QTest::newRow("target is the source") << "Tempora.mdb"
                                          << "Tempora.mdb" << EINVAL;
    QTest::newRow("source is no database") << "Savetime.TXT"
                                           << "medium/Tempora.mdb" << EIO;
}

// Refused before the operator is asked anything, with the source as it was and nothing written.
void TestDatabaseBackup::refusals() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(int, code);
    QFile text(m_folder.filePath(QStringLiteral("Savetime.TXT")));
    QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Truncate) && text.write("01.00.00") == 8);
    text.close();
    const QStringList before = LogFiles::entries(m_folder.path());
    const QByteArray log = LogFiles::bytes(m_source);
    bool asked = false;
    DatabaseBackup backup;
    QCOMPARE(backup.copy(m_folder.filePath(source), m_folder.filePath(target),
                         [&] { return asked = true; }),
             DatabaseBackup::Outcome::Failed);
    QCOMPARE(backup.lastErrorCode(), code);
    QVERIFY2(backup.lastError().contains(QString::fromLocal8Bit(std::strerror(code))),
             qPrintable(backup.lastError()));
    QVERIFY(!asked);
    QCOMPARE(LogFiles::entries(m_folder.path()), before);
    QVERIFY(LogFiles::entries(m_medium).isEmpty());
    QCOMPARE(LogFiles::bytes(m_source), log);
}

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
