#include "LogFile.h"
#include "TestServices.h"
#include "app/Program.h"
#include "platform/SecondTimer.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Steps played one after the other from the event loop the program runs; a step returns false
// to be tried again a little later (a window that has not appeared yet).
class Script : public QObject {
public:
    void add(const QString& name, std::function<bool()> step) { m_steps.append({name, step}); }
    void start() {
        connect(&m_pace, &QTimer::timeout, this, [this] {
            if (m_next < m_steps.size() && m_steps.at(m_next).second())
                ++m_next;
        });
        m_pace.start(10);
    }
    QString pending() const { return m_steps.value(m_next).first; }

private:
    QList<QPair<QString, std::function<bool()>>> m_steps;
    qsizetype m_next = 0;
    QTimer m_pace;
};

QWidget* shown(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

template <class T> T* child(const char* window, const char* name) {
    return shown(window)->findChild<T*>(QLatin1String(name));
}

void click(const char* window, const char* name) {
    QTest::mouseClick(child<QWidget>(window, name), Qt::LeftButton);
}

void typeKeys(const QString& text) {
    for (const QChar character : text)
        QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
}

void key(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
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
    LogFile(test.logPath())
        .add(QStringLiteral("2024-01-05"), QStringLiteral("IK0AA"), QStringLiteral("Paolo"));

    // The clock window's running clocks tick as a second goes by.
    const auto runClocks = [&test](int seconds) {
        test.clock.advance(seconds);
        for (SecondTimer* timer : shown("Form1")->findChildren<SecondTimer*>()) {
            if (timer->isActive())
                emit timer->timeout();
        }
    };
    const auto cellCentre = [](int row, int column) {
        auto* grid = child<QWidget>("frmLog1", "grdDataGrid")->findChild<QAbstractItemView*>();
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        return grid->viewport()->mapTo(grid->window(), cell.center());
    };

    Script script;
    script.add("Apri", [] {
        if (!shown("frmSplash"))
            return false;
        click("frmSplash", "Command1");
        return true;
    });
    script.add("capture", [&] {
        if (!shown("Form1"))
            return false;
        child<QAction>("Form1", "meno")->trigger();
        runClocks(1);
        click("Form1", "Label7");
        runClocks(300);
        click("Form1", "Label8");
        runClocks(60);
        click("Form1", "Command1");
        return true;
    });
    script.add("add", [] {
        if (!shown("frmLog1") || QApplication::activeWindow() != shown("frmLog1"))
            return false;
        click("frmLog1", "cmdAdd");
        return true;
    });
    script.add("contact", [&] {
        for (int step = 0; step < 3; ++step)
            key(Qt::Key_Right);
        typeKeys(QStringLiteral("ik0zz"));
        QTest::mouseDClick(shown("frmLog1")->windowHandle(), Qt::LeftButton, {}, cellCentre(1, 3));
        key(Qt::Key_Right);
        typeKeys(QStringLiteral("Anna"));
        key(Qt::Key_Up);
        return true;
    });
    script.add("Copy Log", [] {
        child<QAction>("Form1", "Copy_log")->trigger();
        return true;
    });
    script.add("Start Copy", [] {
        if (!shown("Form2"))
            return false;
        click("Form2", "Command1");
        return true;
    });
    script.add("Confirm Exit", [] {
        if (shown("Form2"))
            return false;
        child<QAction>("Form1", "confirm")->trigger();
        return true;
    });
    script.start();

    // A step that never comes true, or a window that never closes, fails the test here.
    bool hung = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [&hung] {
        hung = true;
        QCoreApplication::exit(2);
    });
    watchdog.start(60000);

    const int status = Program::run(test.services);
    QVERIFY2(!hung, qPrintable("the program hung before step " + script.pending()));
    QCOMPARE(status, 0);
    QCOMPARE(script.pending(), QString());
    QVERIFY(test.errors.failures().isEmpty());

    const QString rows = QStringLiteral("SELECT [QSO Date], [Time Init], [Time End], OM_Call, "
                                        "Name FROM Log1 ORDER BY rowid");
    const QStringList logged = LogFile(test.logPath()).rows(rows);
    QCOMPARE(logged, QStringList({"2024-01-05|-|-|IK0AA|Paolo",
                                  "2026-12-06|13:05:10 |13:10:10 |ik0zz|Anna"}));
    const QString backup = test.backupFolder() + QStringLiteral("/Tempora.mdb");
    QVERIFY(QFileInfo::exists(backup));
    QCOMPARE(LogFile(backup).rows(rows), logged);
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
