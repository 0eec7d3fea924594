#include "LogFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// tempora-init lays out the installation folder and never touches what is there.
class TestTemporaInit : public QObject {
    Q_OBJECT
private slots:
    void laysOutWhatIsMissing_data() {
        QTest::addColumn<QString>("existing"); // empty: a folder not made yet
        QTest::newRow("nothing") << QString();
        QTest::newRow("difference file") << "Savetime.TXT";
        QTest::newRow("log") << "Tempora.mdb";
        QTest::newRow("log in lower case") << "tempora.mdb";
    }
    void laysOutWhatIsMissing() {
        QFETCH(QString, existing);
        QTemporaryDir folder;
        const QString home = folder.filePath("a/b/Tempora");
        const QByteArray own("the operator's own file\n");
        if (!existing.isEmpty()) {
            QVERIFY(QDir().mkpath(home));
            QFile file(home + '/' + existing);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(own) == own.size());
        }
        qputenv("TEMPORA_HOME", QFile::encodeName(home));
        QCOMPARE(QProcess::execute(TEMPORA_INIT_PATH, {}), 0);
        for (const QString name : {"Savetime.TXT", "Tempora.mdb"}) {
            const bool kept = name.compare(existing, Qt::CaseInsensitive) == 0;
            QFile file(home + '/' + (kept ? existing : name));
            if (kept || name.endsWith(".TXT"))
                QVERIFY(file.open(QIODevice::ReadOnly) &&
                        file.readAll() == (kept ? own : "00.00.00"));
            else
                QCOMPARE(LogFile(file.fileName()).count(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestTemporaInit)
#include "tst_temporainit.moc"
