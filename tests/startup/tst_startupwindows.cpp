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

    void keys_data() {
        QTest::addColumn<QString>("receiver"); // in the start-up window, or frmTip/...
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << "Command1" << int(Qt::Key_A) << true;
        QTest::newRow("space on INFO opens no tip") << "Command3" << int(Qt::Key_Space) << true;
        QTest::newRow("Enter on Apri opens no clock") << "Command1" << int(Qt::Key_Return) << true;
        QTest::newRow("Tab moves the focus") << "Command1" << int(Qt::Key_Tab) << false;
        QTest::newRow("Alt+letter")
            << "Command1" << (Qt::Key_A | Qt::AltModifier).toCombined() << false;
        QTest::newRow("tip: keypad Enter on OK") << "frmTip/cmdOK" << int(Qt::Key_Enter) << true;
        QTest::newRow("tip: Escape on the text") << "frmTip/Label1" << int(Qt::Key_Escape) << true;
        QTest::newRow("tip: letter") << "frmTip/cmdOK" << int(Qt::Key_X) << false;
    }
    void keys() {
        QFETCH(QString, receiver);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QWidget* window = m_splash;
        if (receiver.startsWith("frmTip/")) {
            window = m_windows->frmTip().show();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        auto* target = child<QWidget>(window, receiver.section('/', -1));
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        QCOMPARE(m_windows->loadedCount(), (window == m_splash ? 1 : 2) - int(closes));
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
            GuiTest::clickAt(
                target, i + 1 == controls.size() && !at.isNull() ? at : target->rect().center());
        }
        QCOMPARE(GuiTest::shownWindows(), shown);
        QCOMPARE(ended.count(), shown.isEmpty() ? 1 : 0);
    }

    void tipFollowsTheSettingAtEveryLoad() {
        QVERIFY(m_windows->frmTip().show() && m_windows->frmTip().unload());
        m_test->settings.setValue("Options", "Show Tips at Startup", "0");
        QVERIFY(!m_windows->frmTip().show());
    }
};

QTEST_MAIN(TestStartupWindows)
#include "tst_startupwindows.moc"
