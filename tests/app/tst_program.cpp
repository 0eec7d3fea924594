#include "LogFile.h"
#include "TestServices.h"
#include "app/Program.h"
#include "platform/SecondTimer.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QWidget* shown(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

template <class T = QWidget> T* child(const char* window, const char* name) {
    return shown(window)->findChild<T*>(QLatin1String(name));
}

void click(const char* window, const char* name) {
    QTest::mouseClick(child(window, name), Qt::LeftButton);
}

void typeKeys(const QString& keys) {
    for (const QChar character : keys)
        QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
}

} // namespace

// The whole program in one run, as the operator works a contact: from the start-up window to the
// clocks, the log, a backup of the log and the exit.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void contactBackupAndExit();
};

void TestProgram::contactBackupAndExit() {
    TestServices test;
    test.writeDifferenceFile("01.00.00");
    test.createLog();
    LogFile(test.logPath()).add("2024-01-05", "IK0AA", "Paolo");

    // The clock window's running clocks tick as a second goes by.
    const auto runClocks = [&test](int seconds) {
        test.clock.advance(seconds);
        for (SecondTimer* timer : shown("Form1")->findChildren<SecondTimer*>()) {
            if (timer->isActive())
                emit timer->timeout();
        }
    };
    // Played one after the other from the program's own event loop, each once the window it
    // names is the active one ("": once none is, the backup window having closed).
    const QList<QPair<const char*, std::function<void()>>> steps{
        {"frmSplash", [] { click("frmSplash", "Command1"); }},
        {"Form1",
         [&] {
             child<QAction>("Form1", "meno")->trigger();
             runClocks(1);
             click("Form1", "Label7");
             runClocks(300);
             click("Form1", "Label8");
             runClocks(60);
             click("Form1", "Command1");
         }},
        {"frmLog1", [] { click("frmLog1", "cmdAdd"); }},
        {"frmLog1",
         [] {
             const auto key = [](Qt::Key key) {
                 QTest::keyClick(QApplication::focusWidget(), key);
             };
             for (int step = 0; step < 3; ++step)
                 key(Qt::Key_Right);
             typeKeys("ik0zz");
             auto* grid = child("frmLog1", "grdDataGrid")->findChild<QAbstractItemView*>();
             const QPoint cell = grid->visualRect(grid->model()->index(1, 3)).center();
             QTest::mouseDClick(grid->window()->windowHandle(), Qt::LeftButton, {},
                                grid->viewport()->mapTo(grid->window(), cell));
             key(Qt::Key_Right);
             typeKeys("Anna");
             key(Qt::Key_Up);
             child<QAction>("Form1", "Copy_log")->trigger();
         }},
        {"Form2", [] { click("Form2", "Command1"); }},
        {"", [] { child<QAction>("Form1", "confirm")->trigger(); }}};
    qsizetype next = 0;
    int paces = 0;
    QTimer pace;
    connect(&pace, &QTimer::timeout, this, [&] {
        const QWidget* active = QApplication::activeWindow();
        if (++paces > 6000) // a minute: a window never came, or never closed
            QCoreApplication::exit(2);
        else if (next < steps.size() &&
                 (active ? active->objectName() : QString()) == QLatin1String(steps.at(next).first))
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

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
