#include "GuiTest.h"
#include "LogFile.h"
#include "TestServices.h"
#include "app/Program.h"

#include <QAbstractItemView>
#include <QAction>
#include <QTimer>

namespace {

QWidget* shown(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void click(const char* window, const char* name) {
    QTest::mouseClick(GuiTest::child<QWidget>(shown(window), name), Qt::LeftButton);
}

} // namespace

// The whole program in one run, as the operator works a contact: from the start-up window to the
// clocks, the log, a backup of the log and the exit.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void contactBackupAndExit() {
        TestServices test;
        test.writeDifferenceFile("01.00.00");
        test.createLog();
        LogFile(test.logPath()).add("2024-01-05", "IK0AA", "Paolo");

        // Played one after the other from the program's own event loop, each once the window it
        // names is the active one ("": once none is, the backup window having closed).
        const QList<QPair<const char*, std::function<void()>>> steps{
            {"frmSplash", [] { click("frmSplash", "Command1"); }},
            {"Form1",
             [&] {
                 GuiTest::child<QAction>(shown("Form1"), "meno")->trigger();
                 test.tick(shown("Form1"), 1);
                 click("Form1", "Label7");
                 test.tick(shown("Form1"), 300);
                 click("Form1", "Label8");
                 test.tick(shown("Form1"), 60);
                 click("Form1", "Command1");
             }},
            {"frmLog1", [] { click("frmLog1", "cmdAdd"); }},
            {"frmLog1",
             [] {
                 for (int step = 0; step < 3; ++step)
                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
                 GuiTest::type("ik0zz");
                 auto* grid = shown("frmLog1")->findChild<QAbstractItemView*>();
                 const QPoint cell = grid->visualRect(grid->model()->index(1, 3)).center();
                 QTest::mouseDClick(grid->window()->windowHandle(), Qt::LeftButton, {},
                                    grid->viewport()->mapTo(grid->window(), cell));
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
                 GuiTest::type("Anna");
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
                 GuiTest::child<QAction>(shown("Form1"), "Copy_log")->trigger();
             }},
            {"Form2", [] { click("Form2", "Command1"); }},
            {"", [] { GuiTest::child<QAction>(shown("Form1"), "confirm")->trigger(); }}};
        qsizetype next = 0;
        int paces = 0;
        QTimer pace;
        connect(&pace, &QTimer::timeout, this, [&] {
            const QWidget* active = QApplication::activeWindow();
            if (++paces > 6000) // a minute: a window never came, or never closed
                QCoreApplication::exit(2);
            else if (next < steps.size() && (active ? active->objectName() : QString()) ==
                                                QLatin1String(steps.at(next).first))
                steps.at(next++).second();
        });
        pace.start(10);

        const int status = Program::run(test.services);
        QVERIFY2(next == steps.size(), steps.value(next).first); // the window it waited for
        QCOMPARE(status, 0);
        QVERIFY(test.errors.failures().isEmpty());
        const QString rows =
            "SELECT [QSO Date], [Time Init], [Time End], OM_Call, Name FROM Log1 ORDER BY rowid";
        const QStringList logged = LogFile(test.logPath()).rows(rows);
        QCOMPARE(logged, QStringList({"2024-01-05|-|-|IK0AA|Paolo",
                                      "2026-12-06|13:05:10 |13:10:10 |ik0zz|Anna"}));
        QCOMPARE(LogFile(test.backupFolder() + "/Tempora.mdb").rows(rows), logged);
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
