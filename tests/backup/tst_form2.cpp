#include "GuiTest.h"
#include "LogFile.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "backup/Form2.h"
#include "log/LogSchema.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <cerrno>
#include <cstring>

// The backup window with the program's own copier, between two temporary folders; the copy's
// failures themselves are the copier's.
class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(GuiTest::remainingWindows(), QStringList()); }
    void copy_data();
    void copy();
};

void TestForm2::copy_data() {
    QTest::addColumn<bool>("log");
    QTest::addColumn<int>("answer");      // to the replace question: -1 none asked, 0 no, 1 yes
    QTest::addColumn<bool>("cancel");     // in the progress display, with every page copied
    QTest::addColumn<QString>("message"); // the window's own, empty for none
    const QString cancelled = QStringLiteral("Operazione annullata dall'utente!");
    QTest::newRow("empty medium") << true << -1 << false << QString();
    QTest::newRow("yes to replace") << true << 1 << false << QString();
    QTest::newRow("no to replace") << true << 0 << false << cancelled;
    QTest::newRow("cancel before the check") << true << 1 << true << cancelled;
    QTest::newRow("no log") << false << -1 << false << QString::number(ENOENT);
}

void TestForm2::copy() {
    QFETCH(bool, log);
    QFETCH(int, answer);
    QFETCH(bool, cancel);
    QFETCH(QString, message);
    TestServices test;
    Windows windows(test.services);
    const QString backup = test.backupFolder() + QStringLiteral("/Tempora.mdb");
    if (log) {
        test.createLog();
        LogFile(test.logPath()).addMany(2000, QStringLiteral("IK0"));
    }
    if (answer >= 0 || !log) {
        QVERIFY(LogSchema().create(backup));
        LogFile(backup).add(QString(), QStringLiteral("OLD"));
    }
    if (answer >= 0)
        test.dialogs.queueAnswer(answer == 1);
    QTimer canceller;
    connect(&canceller, &QTimer::timeout, this, [&] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (progress && progress->value() == progress->maximum()) {
            canceller.stop();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    if (cancel)
        canceller.start(0);

    QTest::mouseClick(GuiTest::child<QPushButton>(windows.form2().show(), "Command1"),
                      Qt::LeftButton);

    QVERIFY(!windows.form2().isLoaded());
    QStringList shown = test.dialogs.messageTexts();
    if (!log) // the copier's error naming the cause comes before the window's number
        QVERIFY(!shown.isEmpty() &&
                shown.takeFirst().contains(QString::fromLocal8Bit(std::strerror(ENOENT))));
    QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(QDir(test.backupFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("Tempora.mdb")});
    QCOMPARE(LogFile(backup).count(), message.isEmpty() ? 2000 : 1);
    QCOMPARE(QFileInfo::exists(test.logPath()), log);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
