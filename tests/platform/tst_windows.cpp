#include "TestServices.h"
#include "app/Windows.h"
#include "backup/Form2.h"
#include "startup/FrmSplash.h"

#include <QSignalSpy>
#include <QTest>

// The end of the program, with two windows that need nothing to load.
class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void programEndsWithTheLastUnloadedWindow();
    void closeBoxUnloads();
};

void TestWindows::programEndsWithTheLastUnloadedWindow() {
    TestServices test;
    Windows windows(test.services);
    QSignalSpy ended(&windows, &Windows::lastWindowUnloaded);
    windows.frmSplash().show();
    windows.form2().show();
    QVERIFY(windows.frmSplash().unload());
    QCOMPARE(ended.count(), 0);
    QVERIFY(!windows.frmSplash().isLoaded());
    QVERIFY(windows.form2().unload());
    QCOMPARE(ended.count(), 1);
    // Showing again loads a fresh instance.
    QVERIFY(windows.form2().show());
    QCOMPARE(windows.loadedCount(), 1);
}

void TestWindows::closeBoxUnloads() {
    TestServices test;
    Windows windows(test.services);
    QSignalSpy ended(&windows, &Windows::lastWindowUnloaded);
    windows.form2().show()->close();
    QVERIFY(!windows.form2().isLoaded());
    QCOMPARE(ended.count(), 1);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
