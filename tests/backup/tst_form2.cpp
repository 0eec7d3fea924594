#include "GuiTest.h"
#include "ListedMounts.h"
#include "LogFile.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "backup/Form2.h"
#include "log/LogSchema.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <optional>

// The backup window with the program's own copier, between two temporary folders. Which failure
// gives which number is the copy's own rule, checked with the copy itself.
class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(GuiTest::remainingWindows(), QStringList()); }
    void copy_data() {
        QTest::addColumn<bool>("log");
        QTest::addColumn<bool>("old"); // an old copy on the medium
        // To the replace question: -1 none asked, 0 no, 1 yes; 2: Cancel in the progress display
        // while the copy waits for the log, locked by another program.
        QTest::addColumn<int>("answer");
        // With no folder named: two media mounted, the backup folder the second; the one picked,
        // -1 for Cancel. Not asked (-2) when the backup folder is named.
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("message"); // the window's own, empty for none
        const QString cancelled = QStringLiteral("Operazione annullata dall'utente!");
        QTest::newRow("empty medium") << true << false << -1 << -2 << QString();
        QTest::newRow("yes to replace") << true << true << 1 << -2 << QString();
        QTest::newRow("no to replace") << true << true << 0 << -2 << cancelled;
        QTest::newRow("cancel while the copy waits") << true << true << 2 << -2 << cancelled;
        QTest::newRow("no log") << false << true << -1 << -2 << QString::number(ENOENT);
        QTest::newRow("second of two media") << true << false << -1 << 1 << QString();
        QTest::newRow("choice cancelled") << true << true << -1 << -1 << cancelled;
    }
    void copy() {
        QFETCH(bool, log);
        QFETCH(bool, old);
        QFETCH(int, answer);
        QFETCH(int, pick);
        QFETCH(QString, message);
        TestServices test;
        ListedMounts media;
        media.list = {{test.folder.filePath(QStringLiteral("other")), "OTHER", 1 << 20, true},
                      {test.backupFolder(), QStringLiteral("FLOPPY"), 1 << 20, true}};
        const Paths unnamed(test.installationFolder(), QString());
        ShellFileCopier chooser(unnamed, test.dialogs, media, std::chrono::milliseconds(0));
        Services choosing{test.clock,   test.formats,   unnamed,     test.settings,
                          test.dialogs, test.keystroke, test.errors, chooser};
        Windows windows(pick == -2 ? test.services : choosing);
        const QString backup = test.backupFolder() + QStringLiteral("/Tempora.mdb");
        if (log) {
            test.createLog();
            LogFile(test.logPath()).addMany(2000, QStringLiteral("IK0"));
        }
        if (old) {
            QVERIFY(LogSchema().create(backup));
            LogFile(backup).add(QString(), QStringLiteral("OLD"));
        }
        if (answer == 0 || answer == 1)
            test.dialogs.queueAnswer(answer == 1);
        if (pick != -2)
            test.dialogs.queuePick(pick);
        std::optional<LogFile> locker;
        QTimer canceller;
        connect(&canceller, &QTimer::timeout, this, [&] {
            auto* progress = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (progress && progress->isVisible()) {
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                locker->execute(QStringLiteral("COMMIT"));
                canceller.stop();
            }
        });
        if (answer == 2) {
            locker.emplace(test.logPath()).execute(QStringLiteral("BEGIN EXCLUSIVE"));
            canceller.start(0);
        }

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
        if (pick != -2)
            QCOMPARE(test.dialogs.offered().value(0).value(1),
                     QStringLiteral("FLOPPY (1.00 MiB free) \"%1\"").arg(test.backupFolder()));
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
