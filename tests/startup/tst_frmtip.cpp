#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "startup/FrmTip.h"

#include <QSignalSpy>

// The information window: gated by its setting at every load, closed by OK, Enter or Escape.
class TestFrmTip : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(GuiTest::remainingWindows(), QStringList()); }
    void settingIsReadAtEveryLoad();
    void closing_data();
    void closing();
};

void TestFrmTip::settingIsReadAtEveryLoad() {
    TestServices test;
    Windows windows(test.services);
    const QString section = QStringLiteral("Options"), key = QStringLiteral("Show Tips at Startup");
    QVERIFY(windows.frmTip().show()); // no stored setting: it opens
    QVERIFY(windows.frmTip().unload());
    test.settings.set(section, key, QStringLiteral("0"));
    QSignalSpy ended(&windows, &Windows::lastWindowUnloaded);
    QVERIFY(!windows.frmTip().show());
    QVERIFY(!windows.frmTip().isLoaded());
    QCOMPARE(ended.count(), 1); // nothing else was loaded
}

void TestFrmTip::closing_data() {
    QTest::addColumn<int>("key"); // 0: a click on OK
    QTest::addColumn<QString>("receiver");
    QTest::addColumn<bool>("closes");
    QTest::newRow("OK clicked") << 0 << "cmdOK" << true;
    QTest::newRow("keypad Enter on OK") << int(Qt::Key_Enter) << "cmdOK" << true;
    QTest::newRow("Enter on the text") << int(Qt::Key_Return) << "Label1" << true;
    QTest::newRow("Escape on the text") << int(Qt::Key_Escape) << "Label1" << true;
    QTest::newRow("a letter keeps it open") << int(Qt::Key_X) << "cmdOK" << false;
}

void TestFrmTip::closing() {
    QFETCH(int, key);
    QFETCH(QString, receiver);
    QFETCH(bool, closes);
    TestServices test;
    Windows windows(test.services);
    FrmTip* tip = windows.frmTip().show();
    QVERIFY(tip && QTest::qWaitForWindowActive(tip));
    auto* target = GuiTest::child<QWidget>(tip, receiver);
    if (key == 0)
        GuiTest::clickCentre(target);
    else
        QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(!windows.frmTip().isLoaded(), closes);
}

QTEST_MAIN(TestFrmTip)
#include "tst_frmtip.moc"
