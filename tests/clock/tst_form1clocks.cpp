#include "LoadedStrip.h"
#include "clock/Form1.h"
#include "platform/DesignLook.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimeZone>

// The strip's shifted clocks, the capture of a contact's times and the city list.
class TestForm1Clocks : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void shiftedClocksShowPcTimeMinusAndPlus_data();
    void shiftedClocksShowPcTimeMinusAndPlus();
    void heldTextsKeepThePlaceholders_data();
    void heldTextsKeepThePlaceholders();
    void dotZeroWarnsOnceThenResets();
    void captureFollowsTheIndicatorTable_data();
    void captureFollowsTheIndicatorTable();
    void capturedTimeStaysUntilRestart();
    void cityListHoldsTheCitiesInOrder();
    void choosingACityShowsItsOffset_data();
    void choosingACityShowsItsOffset();
    void timeDifferenceWithoutAChoiceChangesNothing();
};

void TestForm1Clocks::cleanup() {
    QCOMPARE(LoadedStrip::leakedWindows(), QString());
}

void TestForm1Clocks::shiftedClocksShowPcTimeMinusAndPlus_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QByteArray>("difference");
    QTest::addColumn<QString>("minus");
    QTest::addColumn<QString>("plus");
    QTest::addColumn<QString>("pc");
    const QDate day(2026, 12, 6);
    const auto autumnUtc = [](int hour, int minute) {
        return QDateTime(QDate(2026, 10, 25), QTime(hour, minute), QTimeZone::utc()).toLocalTime();
    };
    QTest::newRow("14:05:09 with 01.00.00")
        << QDateTime(day, QTime(14, 5, 9)) << QByteArray("01.00.00") << "13:05:09 "
        << "15:05:09 "
        << "14:05:09 ";
    QTest::newRow("00:30:00 minus one hour")
        << QDateTime(day, QTime(0, 30)) << QByteArray("01.00.00") << "23:30:00 "
        << "01:30:00 "
        << "00:30:00 ";
    QTest::newRow("23:30:00 plus two hours")
        << QDateTime(day, QTime(23, 30)) << QByteArray("02.00.00") << "21:30:00 "
        << "01:30:00 "
        << "23:30:00 ";
    QTest::newRow("00.00.00 is the PC time")
        << QDateTime(day, QTime(14, 5, 9)) << QByteArray("00.00.00") << "14:05:09 "
        << "14:05:09 "
        << "14:05:09 ";
    QTest::newRow("line break after the difference")
        << QDateTime(day, QTime(14, 5, 9)) << QByteArray("01.00.00\n") << "13:05:09 "
        << "15:05:09 "
        << "14:05:09 ";
    QTest::newRow("summer time ends: second 02:30")
        << autumnUtc(1, 30) << QByteArray("01.00.00") << "01:30:00 "
        << "03:30:00 "
        << "02:30:00 ";
}

void TestForm1Clocks::shiftedClocksShowPcTimeMinusAndPlus() {
    QFETCH(QDateTime, now);
    QFETCH(QByteArray, difference);
    QFETCH(QString, minus);
    QFETCH(QString, plus);
    QFETCH(QString, pc);
    LoadedStrip strip(difference, now);
    strip.fireRunningTimers();
    QCOMPARE(strip.text("Label6"), pc);
    QCOMPARE(strip.text("Label7"), minus);
    QCOMPARE(strip.text("Label8"), minus);
    QCOMPARE(strip.text("Label2"), plus);
    QCOMPARE(strip.text("Label4"), plus);
    QCOMPARE(strip.form->minusStartText(), minus);
    QCOMPARE(strip.form->minusStopText(), minus);
    QVERIFY(strip.test.dialogs.messages().isEmpty());
}

void TestForm1Clocks::heldTextsKeepThePlaceholders_data() {
    QTest::addColumn<QByteArray>("difference");
    QTest::addColumn<bool>("told"); // once, in a critical box naming the text, file and form
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow(".00.00") << QByteArray(".00.00") << false;
    QTest::newRow("00.00") << QByteArray("00.00") << false;
    QTest::newRow(".00") << QByteArray(".00") << false;
    QTest::newRow("letters") << QByteArray("abc") << true;
    QTest::newRow("dot zero with a line break") << QByteArray(".0\n") << true;
}

void TestForm1Clocks::heldTextsKeepThePlaceholders() {
    QFETCH(QByteArray, difference);
    QFETCH(bool, told);
    LoadedStrip strip(difference);
    const QString placeholder = strip.test.formats.systemTimeText(QTime(14, 5, 9));
    strip.play(QStringLiteral("meno piu"));
    strip.fireRunningTimers();
    strip.runSeconds(3);
    QCOMPARE(strip.text("Label6"), QStringLiteral("14:05:12 "));
    for (const char* name : {"Label7", "Label2", "Label4"})
        QCOMPARE(strip.text(name), placeholder);
    QCOMPARE(strip.text("Label8"), QString());
    QCOMPARE(strip.test.dialogs.messages().size(), told ? 1 : 0);
    if (told) {
        const RecordingDialogs::Message message = strip.test.dialogs.messages().first();
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
        for (const char* part : {"Savetime.TXT", "hh.mm.ss"})
            QVERIFY2(message.text.contains(QLatin1String(part)), qPrintable(message.text));
        QVERIFY(message.text.contains('"' + QString::fromUtf8(difference.trimmed()) + '"'));
    }
    QVERIFY(strip.test.errors.failures().isEmpty());
}

void TestForm1Clocks::dotZeroWarnsOnceThenResets() {
    LoadedStrip strip(QByteArray(".0"));
    const QString placeholder = strip.test.formats.systemTimeText(QTime(14, 5, 9));
    QStringList seenWhileOpen;
    strip.test.dialogs.onMessage([&](const QString&) {
        // The other clocks fall due while the box is open; the box text is still ".0".
        strip.runSeconds(1);
        seenWhileOpen << strip.differenceBox() << strip.text("Label7") << strip.text("Label8")
                      << strip.text("Label2") << strip.text("Label4");
    });
    strip.fireRunningTimers();
    QCOMPARE(seenWhileOpen, QStringList({".0", placeholder, "", placeholder, placeholder}));
    QCOMPARE(strip.test.dialogs.messages().size(), 1);
    QCOMPARE(strip.test.dialogs.messages().first().text,
             QStringLiteral("Attenzione, modificare ma non cancellare!"));
    QCOMPARE(strip.test.dialogs.messages().first().icon, Dialogs::Icon::Critical);
    QCOMPARE(strip.differenceBox(), QStringLiteral("00.00.00"));
    strip.runSeconds(1);
    for (const char* name : {"Label7", "Label8", "Label2", "Label4"})
        QCOMPARE(strip.text(name), QStringLiteral("14:05:11 "));
    QCOMPARE(strip.test.dialogs.messages().size(), 1);
    QFile file(strip.test.differencePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(".0"));
}

void TestForm1Clocks::captureFollowsTheIndicatorTable_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("clocksShown");
    QTest::addColumn<QString>("timersRunning");
    QTest::addColumn<QString>("indicatorsShown");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QColor>("startFrame");
    QTest::addColumn<QColor>("stopFrame");
    const QString all = QStringLiteral("Timer2 Timer3 Timer4 Timer5");
    const QColor grey(64, 64, 64), green(0, 192, 0), red(255, 0, 0);
    QTest::newRow("after load") << ""
                                << "" << all << "" << 0 << grey << grey;
    QTest::newRow("minus chosen") << "meno"
                                  << "Label7 Label8" << all << "Shape2 Shape4" << 0 << green
                                  << green;
    QTest::newRow("plus chosen") << "piu"
                                 << "Label2 Label4" << all << "Shape2 Shape4" << 0 << green
                                 << green;
    QTest::newRow("minus start captured") << "meno Label7"
                                          << "Label7 Label8"
                                          << "Timer3 Timer4 Timer5"
                                          << "Shape3 Shape4" << 3 << red << green;
    QTest::newRow("minus stop captured") << "meno Label8"
                                         << "Label7 Label8"
                                         << "Timer2 Timer4 Timer5"
                                         << "Shape2 Shape5" << 3 << green << red;
    QTest::newRow("both plus captured") << "piu Label2 Label4"
                                        << "Label2 Label4"
                                        << "Timer2 Timer3"
                                        << "Shape3 Shape5" << 6 << red << red;
    QTest::newRow("stopped clock clicked again") << "meno Label7 Label7"
                                                 << "Label7 Label8"
                                                 << "Timer3 Timer4 Timer5"
                                                 << "Shape3 Shape4" << 6 << red << green;
    QTest::newRow("minus start captured, then plus chosen: green over red")
        << "meno Label7 piu"
        << "Label2 Label4"
        << "Timer3 Timer4 Timer5"
        << "Shape2 Shape3 Shape4" << 3 << green << green;
    QTest::newRow("restart after a contact")
        << "meno Label7 Label8 restart"
        << "Label7 Label8" << all << "Shape2 Shape4" << 6 << green << green;
    QTest::newRow("restart before any pair") << "restart"
                                             << "" << all << "Shape2 Shape4" << 0 << green << green;
}

void TestForm1Clocks::captureFollowsTheIndicatorTable() {
    QFETCH(QString, steps);
    QFETCH(QString, clocksShown);
    QFETCH(QString, timersRunning);
    QFETCH(QString, indicatorsShown);
    QFETCH(int, beeps);
    QFETCH(QColor, startFrame);
    QFETCH(QColor, stopFrame);
    LoadedStrip strip;
    strip.play(steps);
    QCOMPARE(strip.visibleOf("Label7 Label8 Label2 Label4"), clocksShown);
    QCOMPARE(strip.runningTimers(), "Timer1 " + timersRunning + " Timer6");
    QCOMPARE(strip.visibleOf("Shape2 Shape3 Shape4 Shape5"), indicatorsShown);
    QCOMPARE(strip.test.dialogs.beeps(), beeps);
    // What shows in the frames' left bars, between the rectangles' edges and the clocks.
    const QImage image = strip.clientArea()->grab().toImage();
    QCOMPARE(QColor(image.pixel(DesignLook::rect(1680, 360, 120, 615).center())), startFrame);
    QCOMPARE(QColor(image.pixel(DesignLook::rect(3240, 360, 120, 615).center())), stopFrame);
}

void TestForm1Clocks::capturedTimeStaysUntilRestart() {
    LoadedStrip strip;
    strip.play(QStringLiteral("meno"));
    strip.fireRunningTimers();
    strip.play(QStringLiteral("Label7"));
    strip.runSeconds(5);
    QCOMPARE(strip.form->minusStartText(), QStringLiteral("13:05:09 "));
    QCOMPARE(strip.form->minusStopText(), QStringLiteral("13:05:14 "));
    strip.play(QStringLiteral("piu"));
    strip.runSeconds(1);
    QCOMPARE(strip.text("Label2"), QStringLiteral("15:05:15 "));
    strip.play(QStringLiteral("meno"));
    QCOMPARE(strip.text("Label7"), QStringLiteral("13:05:09 "));
    strip.play(QStringLiteral("restart"));
    QCOMPARE(strip.text("Label7"), QStringLiteral("13:05:09 ")); // until its next tick
    strip.runSeconds(1);
    QCOMPARE(strip.text("Label7"), QStringLiteral("13:05:16 "));
}

void TestForm1Clocks::cityListHoldsTheCitiesInOrder() {
    LoadedStrip strip;
    auto* combo = qobject_cast<QComboBox*>(strip.widget(QStringLiteral("Combo1")));
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->currentIndex(), -1);
    QStringList cities;
    for (int row = 0; row < combo->count(); ++row)
        cities << combo->itemText(row) + '=' + combo->itemData(row).toString();
    QCOMPARE(cities.join(QLatin1Char(',')),
             QStringLiteral("Roma=1,Baghdad=3,Berlin=1,Dakar=0,Dublino=0,Lima=-5,London=0,"
                            "Los Angeles=-8,Melbourne=10,Mogadisco=3,Moskva=3,Nairobi=3,"
                            "New York=-5,Panama=-5,Paris=1,Pechino=8,S.Francisco=-8,Stockolm =1,"
                            "Sydney=10,Tokyo=9,Toronto=-5,Vancouver=-8,Vladivostok=10,"
                            "Washington=-5"));
}

void TestForm1Clocks::choosingACityShowsItsOffset_data() {
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("offset");
    QTest::newRow("Los Angeles") << "Los Angeles"
                                 << "-8";
    QTest::newRow("Dakar") << "Dakar"
                           << "0";
    QTest::newRow("Melbourne") << "Melbourne"
                               << "10";
    QTest::newRow("Stockolm with its blank") << "Stockolm "
                                             << "1";
}

void TestForm1Clocks::choosingACityShowsItsOffset() {
    QFETCH(QString, city);
    QFETCH(QString, offset);
    LoadedStrip strip;
    auto* combo = qobject_cast<QComboBox*>(strip.widget(QStringLiteral("Combo1")));
    const int row = combo->findText(city, Qt::MatchExactly);
    combo->setCurrentIndex(row);
    emit combo->activated(row);
    QCOMPARE(strip.visibleOf("Text1 Label10"), QStringLiteral("Label10"));
    QCOMPARE(strip.text("Label10"), offset);
    // The clocks go on reading the hidden box.
    strip.play(QStringLiteral("meno"));
    strip.fireRunningTimers();
    QCOMPARE(strip.text("Label7"), QStringLiteral("13:05:09 "));
    strip.play(QStringLiteral("set"));
    QCOMPARE(strip.visibleOf("Text1 Label10"), QStringLiteral("Text1"));
    QCOMPARE(strip.differenceBox(), QStringLiteral("01.00.00"));
    QCOMPARE(combo->currentText(), city);
}

void TestForm1Clocks::timeDifferenceWithoutAChoiceChangesNothing() {
    LoadedStrip strip;
    const QImage before = strip.clientArea()->grab().toImage();
    strip.play(QStringLiteral("set"));
    QCOMPARE(strip.clientArea()->grab().toImage(), before);
    QCOMPARE(strip.visibleOf("Text1 Label10"), QStringLiteral("Text1"));
}

QTEST_MAIN(TestForm1Clocks)
#include "tst_form1clocks.moc"
