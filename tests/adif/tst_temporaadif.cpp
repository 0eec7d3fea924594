#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The command as an operator runs it, on one log: its exit status and its summary line.
// The rows run in order: the export of one day is imported again.
class TestTemporaAdif : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void run_data();
    void run();

private:
    QTemporaryDir m_folder;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

void TestTemporaAdif::initTestCase() {
    m_environment.insert(QStringLiteral("TEMPORA_HOME"), m_folder.path());
    QProcess init;
    init.setProcessEnvironment(m_environment);
    init.start(TEMPORA_INIT_PATH);
    QVERIFY(init.waitForFinished(30000) && init.exitCode() == 0);
    // A contact twice, one the day before and one the day after, one without call.
    QFile in(m_folder.filePath(QStringLiteral("in.adi")));
    const QByteArray record = "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:4>1405<EOR>";
    QVERIFY(in.open(QIODevice::WriteOnly) &&
            in.write(record + record + "<CALL:2>K2<QSO_DATE:8>20240304<TIME_ON:4>1405<EOR>" +
                     "<CALL:2>K3<QSO_DATE:8>20240306<TIME_ON:4>1405<EOR><TIME_ON:4>1405<EOR>") > 0);
}

void TestTemporaAdif::run_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    const QString in = m_folder.filePath(QStringLiteral("in.adi"));
    const QString out = m_folder.filePath(QStringLiteral("out.adx"));
    QTest::newRow("import") << QStringList{"import", in} << 0
                            << "imported 3, duplicates 1, refused 1\n";
    QTest::newRow("export") << QStringList{"export", "--from",     "2024-03-05",
                                           "--to",   "2024-03-05", out}
                            << 0 << "";
    QTest::newRow("import of the export")
        << QStringList{"import", out} << 0 << "imported 0, duplicates 1, refused 0\n";
    QTest::newRow("bad date") << QStringList{"export", "--from", "5/3/24", out} << 2 << "";
    QTest::newRow("file not there") << QStringList{"import", "/nonexistent/x.adi"} << 1 << "";
}

void TestTemporaAdif::run() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.start(TEMPORA_ADIF_PATH, arguments);
    QVERIFY(process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), out);
}

QTEST_GUILESS_MAIN(TestTemporaAdif)
#include "tst_temporaadif.moc"
