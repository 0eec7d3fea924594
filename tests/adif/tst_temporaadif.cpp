#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The command as an operator runs it: its exit status and its summary line.
class TestTemporaAdif : public QObject {
    Q_OBJECT
private slots:
    void exportThenImport();
    void exitStatus_data();
    void exitStatus();

private:
    struct Run {
        int status;
        QByteArray out;
    };
    static Run run(const QString& program, const QString& home, const QStringList& arguments);
};

TestTemporaAdif::Run TestTemporaAdif::run(const QString& program, const QString& home,
                                          const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TEMPORA_HOME"), home);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}};
    return {process.exitCode(), process.readAllStandardOutput()};
}

void TestTemporaAdif::exportThenImport() {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("log.adx"));
    const QString home = folder.filePath(QStringLiteral("home"));
    QCOMPARE(run(TEMPORA_INIT_PATH, home, {}).status, 0);
    QByteArray record = "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:4>1405<EOR>";
    QFile source(folder.filePath(QStringLiteral("in.adi")));
    QVERIFY(source.open(QIODevice::WriteOnly) && source.write(record + record) > 0);
    source.close();
    Run imported = run(TEMPORA_ADIF_PATH, home, {"import", source.fileName()});
    QCOMPARE(imported.status, 0);
    QCOMPARE(imported.out, "imported 1, duplicates 1, refused 0\n");

    QCOMPARE(run(TEMPORA_ADIF_PATH, home, {"export", file}).status, 0);
    const QString other = folder.filePath(QStringLiteral("other"));
    QCOMPARE(run(TEMPORA_INIT_PATH, other, {}).status, 0);
    QCOMPARE(run(TEMPORA_ADIF_PATH, other, {"import", file}).out,
             "imported 1, duplicates 0, refused 0\n");
    const Run out = run(TEMPORA_ADIF_PATH, other, {"export", "--to", "2024-03-05", "-"});
    QVERIFY2(out.out.contains("<QSO_DATE:8>20240305 <TIME_ON:6>140500 <CALL:4>K1AB <EOR>"),
             out.out.constData());
}

void TestTemporaAdif::exitStatus_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("no command") << QStringList{} << 2;
    QTest::newRow("bad date") << QStringList{"export", "--from", "5/3/24", "x.adi"} << 2;
    QTest::newRow("bad difference") << QStringList{"export", "--local-dates=1", "x.adi"} << 2;
    QTest::newRow("file not there") << QStringList{"import", "/nonexistent/x.adi"} << 1;
}

void TestTemporaAdif::exitStatus() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QTemporaryDir folder;
    QCOMPARE(run(TEMPORA_INIT_PATH, folder.path(), {}).status, 0);
    QCOMPARE(run(TEMPORA_ADIF_PATH, folder.path(), arguments).status, status);
}

QTEST_GUILESS_MAIN(TestTemporaAdif)
#include "tst_temporaadif.moc"
