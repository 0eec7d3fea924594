#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "startup/FrmSplash.h"
#include "startup/FrmTip.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using GuiTest::child;

// The start-up window driven by keys and clicks, with the program's other windows as they are.
class TestFrmSplash : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keys_data();
    void keys();
    void pictureClicksSwapThePictures();
    void clicks_data();
    void clicks();

private:
    std::unique_ptr<TestServices> m_test;
    std::unique_ptr<Windows> m_windows;
    FrmSplash* m_splash = nullptr;
};

void TestFrmSplash::init() {
    m_test = std::make_unique<TestServices>();
    m_windows = std::make_unique<Windows>(m_test->services);
    m_splash = m_windows->frmSplash().show();
    QVERIFY(QTest::qWaitForWindowActive(m_splash));
}

void TestFrmSplash::cleanup() {
    m_windows.reset();
    m_test.reset();
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

void TestFrmSplash::keys_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text"); // as the window system gives it
    QTest::addColumn<bool>("unloads");
    const int none = Qt::NoModifier;
    QTest::newRow("letter on Apri") << "Command1" << int(Qt::Key_A) << none << "a" << true;
    QTest::newRow("space on INFO does not open the tip")
        << "Command3" << int(Qt::Key_Space) << none << " " << true;
    QTest::newRow("Enter on Apri does not open the clock")
        << "Command1" << int(Qt::Key_Return) << none << "\r" << true;
    QTest::newRow("Escape") << "Command2" << int(Qt::Key_Escape) << none << "\x1b" << true;
    QTest::newRow("Tab moves the focus") << "Command1" << int(Qt::Key_Tab) << none << "\t" << false;
    QTest::newRow("Delete types nothing")
        << "Command1" << int(Qt::Key_Delete) << none << "\x7f" << false;
    QTest::newRow("Alt+letter is a shortcut")
        << "Command1" << int(Qt::Key_A) << int(Qt::AltModifier) << "a" << false;
}

void TestFrmSplash::keys() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, unloads);
    QSignalSpy ended(m_windows.get(), &Windows::lastWindowUnloaded);
    auto* button = child<QPushButton>(m_splash, focus);
    button->setFocus();
    QTest::sendKeyEvent(QTest::Press, button, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_windows->loadedCount(), unloads ? 0 : 1);
    QCOMPARE(ended.count(), unloads ? 1 : 0);
}

void TestFrmSplash::pictureClicksSwapThePictures() {
    auto* image1 = child<QLabel>(m_splash, "Image1");
    auto* image2 = child<QLabel>(m_splash, "Image2");
    for (const bool antennaShown : {true, false, true}) {
        GuiTest::clickCentre(antennaShown ? image1 : image2);
        QCOMPARE(image1->isVisible(), !antennaShown);
        QCOMPARE(image2->isVisible(), antennaShown);
    }
    QVERIFY(m_windows->frmSplash().isLoaded());
    // Only the antenna shows: the rest of the clock picture's area is the frame.
    GuiTest::clickAt(image1, QPoint(3, 3));
    QVERIFY(!m_windows->frmSplash().isLoaded());
}

void TestFrmSplash::clicks_data() {
    QTest::addColumn<QStringList>("controls"); // clicked in turn
    QTest::addColumn<QPoint>("at");            // where each is clicked, (0, 0) for its centre
    QTest::addColumn<QStringList>("shown");    // the windows shown afterwards, sorted
    const QPoint centre;
    QTest::newRow("Apri") << QStringList{"Command1"} << centre << QStringList{"Form1"};
    QTest::newRow("Esci") << QStringList{"Command2"} << centre << QStringList();
    QTest::newRow("INFO then Esci")
        << QStringList{"Command3", "Command2"} << centre << QStringList{"frmTip"};
    QTest::newRow("frame between the buttons")
        << QStringList{"Frame1"} << QPoint(255, 175) << QStringList();
    QTest::newRow("product name") << QStringList{"lblProductName"} << QPoint(20, 20)
                                  << QStringList{"frmSplash"};
}

void TestFrmSplash::clicks() {
    QFETCH(QStringList, controls);
    QFETCH(QPoint, at);
    QFETCH(QStringList, shown);
    QSignalSpy ended(m_windows.get(), &Windows::lastWindowUnloaded);
    for (const QString& control : controls) {
        auto* target = child<QWidget>(m_splash, control);
        GuiTest::clickAt(target, at.isNull() ? target->rect().center() : at);
    }
    QCOMPARE(GuiTest::shownWindows(), shown);
    QCOMPARE(m_windows->loadedCount(), shown.size());
    QCOMPARE(ended.count(), shown.isEmpty() ? 1 : 0);

    // The program runs on until the information window closes too.
    if (shown == QStringList{"frmTip"}) {
        GuiTest::clickCentre(child<QPushButton>(m_windows->frmTip().instance(), "cmdOK"));
        QCOMPARE(ended.count(), 1);
    }
}

QTEST_MAIN(TestFrmSplash)
#include "tst_frmsplash.moc"
