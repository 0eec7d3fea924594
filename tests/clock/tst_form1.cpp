#include "LoadedStrip.h"
#include "clock/Form1.h"
#include "platform/DesignLook.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

// The clock strip as a window: its load sequence, the plain clocks, its look, moving it and the
// commands that reach the other windows.
class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void loadShowsFileContentUntrimmed_data();
    void loadShowsFileContentUntrimmed();
    void loadStopsWithoutDifferenceFile();
    void plainClocksFollowThePc_data();
    void plainClocksFollowThePc();
    void isAFramelessStripUnderItsMenuBar();
    void drawsInTheDesignOrder();
    void showsDesignColoursAtDesignPositions_data();
    void showsDesignColoursAtDesignPositions();
    void movesWhenTheBackgroundIsDragged_data();
    void movesWhenTheBackgroundIsDragged();
    void opensEachOtherWindowOnce_data();
    void opensEachOtherWindowOnce();
    void confirmExitClosesClockAndLog_data();
    void confirmExitClosesClockAndLog();
};

void TestForm1::cleanup() {
    QCOMPARE(LoadedStrip::leakedWindows(), QString());
}

void TestForm1::loadShowsFileContentUntrimmed_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("eight characters") << QByteArray("01.00.00");
    QTest::newRow("line break") << QByteArray("01.00.00\n");
    QTest::newRow("CR LF") << QByteArray("02.00.00\r\n");
}

void TestForm1::loadShowsFileContentUntrimmed() {
    QFETCH(QByteArray, content);
    LoadedStrip strip(content);
    const QString placeholder = strip.test.formats.systemTimeText(QTime(14, 5, 9));
    QVERIFY(strip.form->isVisible());
    QCOMPARE(strip.text("Label1"), QStringLiteral("06/12/2026"));
    QCOMPARE(strip.differenceBox(), QString::fromUtf8(content));
    // The box shows the start of its text, not the line break that does not fit.
    QCOMPARE(qobject_cast<QLineEdit*>(strip.widget(QStringLiteral("Text1")))->cursorPosition(), 0);
    for (const char* name : {"Label2", "Label4", "Label6", "Label7"})
        QCOMPARE(strip.text(name), placeholder);
    QCOMPARE(strip.text("Label8"), QString());
    QCOMPARE(strip.visibleOf("Label2 Label4 Label7 Label8 Shape2 Shape3 Shape4 Shape5 Label10"),
             QString());
    QCOMPARE(strip.visibleOf("Shape1 Shape6 Text1 Combo1 Command1"),
             QStringLiteral("Shape1 Shape6 Text1 Combo1 Command1"));
    QCOMPARE(strip.runningTimers(), QStringLiteral("Timer1 Timer2 Timer3 Timer4 Timer5 Timer6"));
    QVERIFY(strip.test.errors.failures().isEmpty());
    QVERIFY(strip.test.dialogs.messages().isEmpty());
}

void TestForm1::loadStopsWithoutDifferenceFile() {
    LoadedStrip strip(std::nullopt);
    QCOMPARE(strip.test.errors.failures().size(), 1);
    const QString failure = strip.test.errors.failures().first();
    QVERIFY2(failure.contains(QStringLiteral("Savetime.TXT")), qPrintable(failure));
    QVERIFY2(failure.contains(QStringLiteral("01.00.00")), qPrintable(failure));
    // Steps before the file are done and kept; the box keeps its default.
    QVERIFY(strip.form->isVisible());
    QCOMPARE(strip.text("Label1"), QStringLiteral("06/12/2026"));
    QCOMPARE(strip.text("Label6"), strip.test.formats.systemTimeText(QTime(14, 5, 9)));
    QCOMPARE(strip.differenceBox(), QStringLiteral("00.00.00"));
}

void TestForm1::plainClocksFollowThePc_data() {
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    const QDateTime lastSecond(QDate(2026, 12, 31), QTime(23, 59, 59));
    QTest::newRow("first tick") << lastSecond << 0 << "31/12/2026"
                                << "23:59:59 ";
    QTest::newRow("midnight rolls the date") << lastSecond << 1 << "01/01/2027"
                                             << "00:00:00 ";
    QTest::newRow("leap day") << QDateTime(QDate(2028, 2, 28), QTime(23, 59, 59)) << 1
                              << "29/02/2028"
                              << "00:00:00 ";
    QTest::newRow("summer time starts")
        << QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59)) << 1 << "29/03/2026"
        << "03:00:00 ";
}

void TestForm1::plainClocksFollowThePc() {
    QFETCH(QDateTime, start);
    QFETCH(int, seconds);
    QFETCH(QString, date);
    QFETCH(QString, time);
    LoadedStrip strip(QByteArray("01.00.00"), start);
    strip.fireRunningTimers();
    strip.runSeconds(seconds);
    QCOMPARE(strip.text("Label1"), date);
    QCOMPARE(strip.text("Label6"), time);
    const QLabel* label1 = strip.label(QStringLiteral("Label1"));
    QVERIFY(label1->fontMetrics().horizontalAdvance(date) <= label1->width());
}

void TestForm1::isAFramelessStripUnderItsMenuBar() {
    LoadedStrip strip;
    QVERIFY(strip.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(strip.form->windowType(), Qt::Tool); // no task-bar entry
    QCOMPARE(strip.clientArea()->size(), QSize(639, 76));
    auto* menuBar = strip.form->findChild<QMenuBar*>();
    QCOMPARE(strip.clientArea()->y(), menuBar->geometry().bottom() + 1);
}

void TestForm1::drawsInTheDesignOrder() {
    LoadedStrip strip;
    const QStringList frontToBack{"Command1", "Combo1",  "Text1",  "Label13", "Label9", "Label12",
                                  "Label11",  "Label10", "Label4", "Label8",  "Label2", "Label7",
                                  "Label6",   "Label5",  "Label3", "Label1",  "Shape1", "Shape4",
                                  "Shape6",   "Shape2",  "Shape5", "Shape3"};
    // Qt draws a widget's children in the order of its children list, the last on top.
    const QObjectList stack = strip.clientArea()->children();
    for (int i = 1; i < frontToBack.size(); ++i) {
        const auto above = stack.indexOf(strip.widget(frontToBack[i - 1]));
        const auto below = stack.indexOf(strip.widget(frontToBack[i]));
        QVERIFY2(above > below, qPrintable(frontToBack[i - 1] + " is not above " + frontToBack[i]));
    }
}

void TestForm1::showsDesignColoursAtDesignPositions_data() {
    // A design rectangle in twips; the colour covering most of it and one that must appear in it
    // (the text), invalid when the text colour does not matter.
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QColor>("mostly");
    QTest::addColumn<QColor>("somewhere");
    const QColor grey(64, 64, 64), cyan(0, 255, 255), yellow(255, 255, 0), white(Qt::white);
    const QColor heading = QApplication::palette().color(QPalette::HighlightedText);
    QTest::newRow("strip background") << QRect(15, 15, 90, 330) << grey << QColor();
    QTest::newRow("Shape1 left bar") << QRect(120, 360, 105, 615) << cyan << QColor();
    QTest::newRow("Shape1 bottom bar") << QRect(120, 870, 1575, 105) << cyan << QColor();
    QTest::newRow("Shape6 right bar") << QRect(6150, 360, 105, 615) << cyan << QColor();
    QTest::newRow("PC date heading") << QRect(240, 0, 1335, 255) << grey << heading;
    QTest::newRow("PC date") << QRect(240, 480, 1335, 375) << grey << yellow;
    QTest::newRow("Start QSO heading") << QRect(1800, 0, 1335, 255) << grey << white;
    QTest::newRow("PC time") << QRect(4800, 480, 1335, 375) << grey << white;
    QTest::newRow("Time Difference heading")
        << QRect(6480, 0, 975, 585) << QColor(Qt::black) << heading;
    QTest::newRow("Fused schedules heading")
        << QRect(7680, 0, 1215, 495) << QColor(Qt::black) << heading;
    QTest::newRow("difference box")
        << QRect(6390, 630, 1155, 300) << QColor(192, 255, 255) << QColor(128, 128, 128);
}

void TestForm1::showsDesignColoursAtDesignPositions() {
    QFETCH(QRect, twips);
    QFETCH(QColor, mostly);
    QFETCH(QColor, somewhere);
    LoadedStrip strip;
    strip.fireRunningTimers();
    const QImage image = strip.clientArea()->grab().toImage();
    QHash<QRgb, int> counts;
    const QRect pixels = DesignLook::rect(twips.x(), twips.y(), twips.width(), twips.height());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    }
    QRgb most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(most))
            most = it.key();
    }
    QCOMPARE(QColor(most), mostly);
    if (somewhere.isValid())
        QVERIFY2(counts.contains(somewhere.rgb()), qPrintable(somewhere.name()));
}

void TestForm1::movesWhenTheBackgroundIsDragged_data() {
    QTest::addColumn<QString>("grabbed");
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<bool>("moves");
    QTest::newRow("strip background") << QString() << QPoint(4, 40) << true;
    QTest::newRow("a heading") << "Label12" << QPoint(10, 5) << true;
    QTest::newRow("a frame") << "Shape6" << QPoint(3, 3) << true;
    QTest::newRow("a clock") << "Label7" << QPoint(10, 5) << false;
}

void TestForm1::movesWhenTheBackgroundIsDragged() {
    QFETCH(QString, grabbed);
    QFETCH(QPoint, where);
    QFETCH(bool, moves);
    LoadedStrip strip;
    strip.play(QStringLiteral("meno"));
    QWidget* target = grabbed.isEmpty() ? strip.clientArea() : strip.widget(grabbed);
    const QPoint before = strip.form->pos();
    QTest::mousePress(target, Qt::LeftButton, {}, where);
    QTest::mouseMove(target, where + QPoint(30, 12));
    QTest::mouseRelease(target, Qt::LeftButton, {}, where + QPoint(30, 12));
    QCOMPARE(strip.form->pos(), moves ? before + QPoint(30, 12) : before);
}

void TestForm1::opensEachOtherWindowOnce_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::newRow("Log button") << "Command1"
                                << "frmLog1";
    QTest::newRow("Info") << "info"
                          << "frmTip";
    QTest::newRow("Copy Log") << "Copy_log"
                              << "Form2";
}

void TestForm1::opensEachOtherWindowOnce() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    LoadedStrip strip;
    strip.play(command + ' ' + command);
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == window && widget->isVisible())
            shown.append(widget);
    }
    QCOMPARE(shown.size(), 1);
    QCOMPARE(strip.windows.loadedCount(), 2);
}

void TestForm1::confirmExitClosesClockAndLog_data() {
    QTest::addColumn<QString>("alsoOpen");
    QTest::addColumn<bool>("programEnds");
    QTest::newRow("log never opened") << "" << true;
    QTest::newRow("log open") << "Command1" << true;
    QTest::newRow("information window open") << "info" << false;
    QTest::newRow("backup window open") << "Copy_log" << false;
}

void TestForm1::confirmExitClosesClockAndLog() {
    QFETCH(QString, alsoOpen);
    QFETCH(bool, programEnds);
    LoadedStrip strip;
    strip.play(alsoOpen);
    QSignalSpy ended(&strip.windows, &Windows::lastWindowUnloaded);
    strip.play(QStringLiteral("confirm"));
    QVERIFY(!strip.windows.form1().isLoaded());
    QVERIFY(!strip.windows.frmLog1().isLoaded());
    QCOMPARE(ended.count(), programEnds ? 1 : 0);
    QCOMPARE(strip.windows.loadedCount(), programEnds ? 0 : 1);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
