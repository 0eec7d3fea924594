#include "LogFile.h"
#include "adif/AdifExporter.h"
#include "adif/AdifImporter.h"
#include "log/LogSchema.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

// Import and export against real log files: duplicates, refusals, all or nothing, date limits.
class TestAdifImporter : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void countsDuplicatesAndRefusals();
    void failureOrCancelLeavesTheLog_data();
    void failureOrCancelLeavesTheLog();
    void exportsDateRange();

private:
    QString write(const QString& name, const QByteArray& contents);

    QTemporaryDir m_folder;
    QString m_log;
    sqlite3* m_db = nullptr;
    const AdifMapping m_mapping{QStringLiteral(":")};
};

void TestAdifImporter::init() {
    m_log = m_folder.filePath(QStringLiteral("Tempora.mdb"));
    QFile::remove(m_log);
    QVERIFY(LogSchema().create(m_log));
    QCOMPARE(sqlite3_open(QFile::encodeName(m_log).constData(), &m_db), SQLITE_OK);
    LogFile(m_log).execute(
        QStringLiteral("INSERT INTO Log1 ([QSO Date],[Time Init],OM_Call,Band,Mode) VALUES "
                       "('2024-03-05','14:05:09 ','IK2ABC','20','USB')"));
}

void TestAdifImporter::cleanup() {
    sqlite3_close(m_db);
}

QString TestAdifImporter::write(const QString& name, const QByteArray& contents) {
    QFile file(m_folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write the fixture");
    return file.fileName();
}

void TestAdifImporter::countsDuplicatesAndRefusals() {
    // The log's contact again, with other seconds and the band and mode in the format's terms;
    // a new one twice; one without call.
    const QString file = write(
        "other.adi", "<CALL:6>ik2abc<QSO_DATE:8>20240305<TIME_ON:6>140550<BAND:3>20M<MODE:3>SSB"
                     "<SUBMODE:3>USB<EOR>\n"
                     "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:4>1405<FREQ:6>14.200<EOR>\n"
                     "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:6>140559<BAND:3>20m<EOR>\n"
                     "<QSO_DATE:8>20240305<TIME_ON:4>1405<EOR>\n");
    AdifImporter importer(m_db, m_mapping);
    QStringList refusals;
    importer.setRefusals([&refusals](const AdifImporter::Refusal& refusal) {
        refusals.append(
            QStringLiteral("%1:%2").arg(QFileInfo(refusal.file).fileName()).arg(refusal.record));
    });
    QVERIFY2(importer.run({file}), qPrintable(importer.lastError()));
    QCOMPARE(importer.imported(), 1);
    QCOMPARE(importer.duplicates(), 2);
    QCOMPARE(importer.refused(), 1);
    QCOMPARE(refusals, QStringList{"other.adi:4"});
    QCOMPARE(LogFile(m_log).calls(), (QStringList{"IK2ABC", "K1AB"}));
}

void TestAdifImporter::failureOrCancelLeavesTheLog_data() {
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("error");
    QTest::newRow("cancel") << true << "cancelled";
    QTest::newRow("file that is not there") << false << "cannot read";
}

void TestAdifImporter::failureOrCancelLeavesTheLog() {
    QFETCH(bool, cancel);
    QFETCH(QString, error);
    QByteArray many;
    for (int i = 0; i < 5000; ++i)
        many += QStringLiteral("<CALL:6>K%1<QSO_DATE:8>20240305<TIME_ON:4>1200<EOR>\n")
                    .arg(i, 5, 10, QLatin1Char('0'))
                    .toLatin1();
    QStringList files{write("many.adi", many)};
    if (!cancel)
        files.append(m_folder.filePath("missing.adi"));
    AdifImporter importer(m_db, m_mapping);
    importer.setProgress([cancel](qint64, qint64) { return !cancel; });
    QVERIFY(!importer.run(files));
    QVERIFY2(importer.lastError().startsWith(error), qPrintable(importer.lastError()));
    QCOMPARE(importer.imported(), 0);
    QCOMPARE(LogFile(m_log).count(), 1);
}

void TestAdifImporter::exportsDateRange() {
    LogFile log(m_log);
    for (const char* date : {"2024-03-04", "2024-03-06", "2024-03-07"})
        log.add(QString::fromLatin1(date), QStringLiteral("K1AB"));
    AdifExporter exporter(m_db, m_mapping);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const AdifExporter::Options options{QDate(2024, 3, 5), QDate(2024, 3, 6), {}, {}};
    QVERIFY(exporter.run(buffer, options, QDateTime::currentDateTimeUtc()));
    QCOMPARE(exporter.exported(), 2);
    QCOMPARE(buffer.data().count("<QSO_DATE:8>"), 2);
    QVERIFY(!buffer.data().contains("20240304") && !buffer.data().contains("20240307"));
}

QTEST_GUILESS_MAIN(TestAdifImporter)
#include "tst_adifimporter.moc"
