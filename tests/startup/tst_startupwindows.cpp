#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "startup/FrmSplash.h"
#include "startup/FrmTip.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using GuiTest::child;

// The start-up window and the information window, driven by keys and clicks.
class TestStartupWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestServices> m_test;
    std::unique_ptr<Windows> m_windows;
    FrmSplash* m_splash = nullptr;

private slots:
    void init() {
        m_test = std::make_unique<TestServices>();
        m_windows = std::make_unique<Windows>(m_test->services);
        m_splash = m_windows->frmSplash().show();
        QVERIFY(QTest::qWaitForWindowActive(m_splash));
    }
    void cleanup() {
        m_windows.reset();
        m_test.reset();
        QCOMPARE(GuiTest::remainingWindows(), QStringList());
    }

    void splashKeys_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text"); // as the window system gives it
        QTest::addColumn<bool>("unloads");
        QTest::newRow("letter") << "Command1" << int(Qt::Key_A) << "a" << true;
        QTest::newRow("space on INFO opens no tip")
            << "Command3" << int(Qt::Key_Space) << " " << true;
        QTest::newRow("Enter on Apri opens no clock")
            << "Command1" << int(Qt::Key_Return) << "\r" << true;
        QTest::newRow("Tab moves the focus") << "Command1" << int(Qt::Key_Tab) << "\t" << false;
        QTest::newRow("Alt+letter")
            << "Command1" << (Qt::Key_A | Qt::AltModifier).toCombined() << "a" << false;
    }
    void splashKeys() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, unloads);
        auto* button = child<QPushButton>(m_splash, focus);
        button->setFocus();
        QTest::sendKeyEvent(QTest::Press, button, Qt::Key(key & ~Qt::KeyboardModifierMask), text,
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        QCOMPARE(m_windows->loadedCount(), unloads ? 0 : 1);
    }

    void splashClicks_data() {
        QTest::addColumn<QStringList>("controls"); // clicked in turn
        QTest::addColumn<QPoint>("at");            // where the last is clicked, (0, 0): the centre
        QTest::addColumn<QStringList>("shown");    // sorted
        QTest::newRow("Esci") << QStringList{"Command2"} << QPoint() << QStringList();
        QTest::newRow("INFO, Esci")
            << QStringList{"Command3", "Command2"} << QPoint() << QStringList{"frmTip"};
        QTest::newRow("frame") << QStringList{"Frame1"} << QPoint(255, 175) << QStringList();
        // The clock picture gives way to the antenna, which leaves the frame around it.
        QTest::newRow("pictures") << QStringList{"Image1", "Image1"} << QPoint(3, 3)
                                  << QStringList();
    }
    void splashClicks() {
        QFETCH(QStringList, controls);
        QFETCH(QPoint, at);
        QFETCH(QStringList, shown);
        QSignalSpy ended(m_windows.get(), &Windows::lastWindowUnloaded);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            auto* target = child<QWidget>(m_splash, controls[i]);
            const bool last = i + 1 == controls.size();
            GuiTest::clickAt(target, last && !at.isNull() ? at : target->rect().center());
        }
        QCOMPARE(GuiTest::shownWindows(), shown);
        QCOMPARE(ended.count(), shown.isEmpty() ? 1 : 0);
        if (shown == QStringList{"frmTip"}) { // the program ends with the information window
            GuiTest::clickCentre(child<QPushButton>(m_windows->frmTip().instance(), "cmdOK"));
            QCOMPARE(ended.count(), 1);
        }
    }

    void tipKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<bool>("closes");
        QTest::newRow("keypad Enter on OK") << int(Qt::Key_Enter) << "cmdOK" << true;
        QTest::newRow("Escape on the text") << int(Qt::Key_Escape) << "Label1" << true;
        QTest::newRow("letter") << int(Qt::Key_X) << "cmdOK" << false;
    }
    void tipKeys() {
        QFETCH(int, key);
        QFETCH(QString, receiver);
        QFETCH(bool, closes);
        FrmTip* tip = m_windows->frmTip().show();
        QVERIFY(tip && QTest::qWaitForWindowActive(tip));
        QTest::keyClick(child<QWidget>(tip, receiver), Qt::Key(key));
        QCOMPARE(m_windows->frmTip().isLoaded(), !closes);
        if (closes) { // the setting is read again at the next load
            m_test->settings.set("Options", "Show Tips at Startup", "0");
            QVERIFY(!m_windows->frmTip().show());
        }
    }
};

QTEST_MAIN(TestStartupWindows)
#include "tst_startupwindows.moc"
