#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
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
    void characterKeyUnloadsWhateverHasFocus_data();
    void characterKeyUnloadsWhateverHasFocus();
    void focusStartsOnApriAndTabGoesApriEsciInfo();
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

void TestFrmSplash::characterKeyUnloadsWhateverHasFocus_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text"); // as the window system gives it
    QTest::addColumn<bool>("unloads");
    const int none = Qt::NoModifier;
    QTest::newRow("letter on Apri") << "Command1" << int(Qt::Key_A) << none << "a" << true;
    QTest::newRow("digit on Esci") << "Command2" << int(Qt::Key_7) << none << "7" << true;
    QTest::newRow("space on INFO does not open the tip")
        << "Command3" << int(Qt::Key_Space) << none << " " << true;
    QTest::newRow("Enter on Apri does not open the clock")
        << "Command1" << int(Qt::Key_Return) << none << "\r" << true;
    QTest::newRow("Escape") << "Command2" << int(Qt::Key_Escape) << none << "\x1b" << true;
    QTest::newRow("Delete types nothing")
        << "Command1" << int(Qt::Key_Delete) << none << "\x7f" << false;
    QTest::newRow("Alt+letter is a shortcut")
        << "Command1" << int(Qt::Key_A) << int(Qt::AltModifier) << "a" << false;
}

void TestFrmSplash::characterKeyUnloadsWhateverHasFocus() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, unloads);
    QSignalSpy ended(m_windows.get(), &Windows::lastWindowUnloaded);
    auto* button = child<QPushButton>(m_splash, focus);
    button->setFocus();
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::sendKeyEvent(QTest::Press, button, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_windows->loadedCount(), unloads ? 0 : 1);
    QCOMPARE(ended.count(), unloads ? 1 : 0);
}

void TestFrmSplash::focusStartsOnApriAndTabGoesApriEsciInfo() {
    for (const char* name : {"Command1", "Command2", "Command3", "Command1"}) {
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(m_splash, name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QVERIFY(m_windows->frmSplash().isLoaded());
}

void TestFrmSplash::pictureClicksSwapThePictures() {
    auto* frame = child<QWidget>(m_splash, "Frame1");
    auto* image1 = child<QLabel>(m_splash, "Image1");
    auto* image2 = child<QLabel>(m_splash, "Image2");
    const QRect overlap = image2->geometry();
    const QImage jpeg = QImage(":/startup/splash-clock.jpg").convertToFormat(QImage::Format_RGB32);
    const QImage gif = QImage(":/startup/splash-antenna.gif").convertToFormat(QImage::Format_RGB32);
    const QImage jpegPart = jpeg.copy(overlap.translated(-image1->pos()));
    auto shown = [&] {
        return frame->grab(overlap).toImage().convertToFormat(QImage::Format_RGB32);
    };

    QVERIFY(image1->isVisible() && image2->isVisible());
    QCOMPARE(shown(), jpegPart);
    for (const bool gifShown : {true, false, true}) {
        GuiTest::clickCentre(gifShown ? image1 : image2);
        QCOMPARE(image1->isVisible(), !gifShown);
        QCOMPARE(image2->isVisible(), gifShown);
        QCOMPARE(shown(), gifShown ? gif : jpegPart);
    }
    QVERIFY(m_windows->frmSplash().isLoaded());

    // Only the GIF shows: the rest of the JPEG's area is the frame.
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
    QTest::newRow("INFO") << QStringList{"Command3"} << centre
                          << QStringList{"frmSplash", "frmTip"};
    QTest::newRow("INFO then Esci")
        << QStringList{"Command3", "Command2"} << centre << QStringList{"frmTip"};
    QTest::newRow("INFO then Apri")
        << QStringList{"Command3", "Command1"} << centre << QStringList{"Form1", "frmTip"};
    QTest::newRow("free area of the frame")
        << QStringList{"Frame1"} << QPoint(200, 240) << QStringList();
    QTest::newRow("frame between the buttons")
        << QStringList{"Frame1"} << QPoint(255, 175) << QStringList();
    QTest::newRow("product name") << QStringList{"lblProductName"} << QPoint(20, 20)
                                  << QStringList{"frmSplash"};
    QTest::newRow("author") << QStringList{"lblCompanyProduct"} << QPoint(10, 10)
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
    QCOMPARE(m_test->settings.reads(), shown.contains("frmTip") ? 1 : 0);
    QCOMPARE(ended.count(), shown.isEmpty() ? 1 : 0);

    // The program runs on until the information window closes too.
    if (shown == QStringList{"frmTip"}) {
        GuiTest::clickCentre(child<QPushButton>(m_windows->frmTip().instance(), "cmdOK"));
        QCOMPARE(ended.count(), 1);
    }
}

QTEST_MAIN(TestFrmSplash)
#include "tst_frmsplash.moc"
