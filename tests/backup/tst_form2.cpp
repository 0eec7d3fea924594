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

// The backup window with the program's own copier, between two temporary folders. Which failure
// gives which number is the copy's own rule, checked with the copy itself.
class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(GuiTest::remainingWindows(), QStringList()); }
    void copy_data() {
        QTest::addColumn<bool>("log");
        // To the replace question: -1 none asked, 0 no, 1 yes, 2 yes and then Cancel in the
        // progress display once every page is copied.
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message"); // the window's own, empty for none
        const QString cancelled = QStringLiteral("Operazione annullata dall'utente!");
        QTest::newRow("empty medium") << true << -1 << QString();
        QTest::newRow("yes to replace") << true << 1 << QString();
        QTest::newRow("no to replace") << true << 0 << cancelled;
        QTest::newRow("cancel before the check") << true << 2 << cancelled;
        QTest::newRow("no log") << false << -1 << QString::number(ENOENT);
    }
    void copy() {
        QFETCH(bool, log);
        QFETCH(int, answer);
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
            test.dialogs.queueAnswer(answer >= 1);
        QTimer canceller;
        connect(&canceller, &QTimer::timeout, this, [&] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (progress && progress->value() == progress->maximum())
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        if (answer == 2)
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
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
