#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
#include "platform/DesignLook.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimeZone>

#include <algorithm>
#include <optional>

using GuiTest::child;

namespace {

const QStringList kTimers{"Timer1", "Timer2", "Timer3", "Timer4", "Timer5", "Timer6"};
const QColor kGrey(64, 64, 64), kYellow(255, 255, 0), kGreen(0, 192, 0), kRed(255, 0, 0);

// The clock strip loaded through the window registry on fake services (the clock reads
// 06/12/2026 14:05:09 unless told otherwise). Plays the operator's commands and lets time pass.
struct Strip {
    // Writes the difference file (none when absent), sets the clock and shows the strip.
    explicit Strip(std::optional<QByteArray> difference = QByteArray("01.00.00"),
                   const QDateTime& now = QDateTime()) {
        if (difference)
            test.writeDifferenceFile(*difference);
        if (now.isValid())
            test.clock.set(now);
        test.createLog();
        form = windows.form1().show();
    }

    QString text(const QString& label) const { return child<QLabel>(form, label)->text(); }
    QString box() const { return child<QLineEdit>(form, "Text1")->text(); }
    QWidget* client() const { return child<QWidget>(form, "Label1")->parentWidget(); }
    QImage image() const { return client()->grab().toImage(); }

    // Emits the timeout of every running timer, as a second boundary does.
    void tick() const {
        for (const QString& name : kTimers) {
            if (auto* timer = child<SecondTimer>(form, name); timer->isActive())
                emit timer->timeout();
        }
    }
    void runSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            test.clock.advance(1);
            tick();
        }
    }
    // Space-separated steps: a menu entry's name ("meno", "piu", "restart", "set", "info") or a
    // control to click ("Label7", "Command1").
    void play(const QString& steps) const {
        for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step.startsWith(QStringLiteral("Label")) || step == QStringLiteral("Command1")) {
                QTest::mouseClick(child<QWidget>(form, step), Qt::LeftButton);
            } else if (step.startsWith(QStringLiteral("2x"))) {
                // What the window system delivers for a double click after its first click.
                auto* label = child<QWidget>(form, step.mid(2));
                QTest::mouseClick(label, Qt::LeftButton);
                QTest::mouseDClick(label, Qt::LeftButton);
                QTest::mouseRelease(label, Qt::LeftButton);
            } else
                child<QAction>(form, step)->trigger();
        }
    }
    // Those of the named controls that are visible (timers: running), in the given order.
    QString shown(const QString& names) const {
        QStringList active;
        for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            auto* timer = form->findChild<SecondTimer*>(name);
            if (timer ? timer->isActive() : child<QWidget>(form, name)->isVisible())
                active << name;
        }
        return active.join(QLatin1Char(' '));
    }

    TestServices test;
    Windows windows{test.services};
    Form1* form = nullptr;
};

} // namespace

// The clock strip: its load sequence, clocks, capture of a contact's times, city list, look and
// the commands that reach the other windows.
class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void loadShowsTheDifferenceFile_data();
    void loadShowsTheDifferenceFile();
    void pcClocksRollOverAtMidnight();
    void shiftedClocksShowPcTimeMinusAndPlus_data();
    void shiftedClocksShowPcTimeMinusAndPlus();
    void heldTextsKeepThePlaceholders_data();
    void heldTextsKeepThePlaceholders();
    void dotZeroWarnsOnceThenResets();
    void captureFollowsTheIndicatorTable_data();
    void captureFollowsTheIndicatorTable();
    void capturedTimeStaysUntilRestart();
    void cityListShowsTheChosenOffset_data();
    void cityListShowsTheChosenOffset();
    void isAFramelessStripUnderItsMenuBar();
    void showsDesignColoursAtDesignPositions_data();
    void showsDesignColoursAtDesignPositions();
    void movesWhenTheBackgroundIsDragged_data();
    void movesWhenTheBackgroundIsDragged();
    void commandsKeepOneWindowEach_data();
    void commandsKeepOneWindowEach();
};

void TestForm1::cleanup() {
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

void TestForm1::loadShowsTheDifferenceFile_data() {
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<QString>("box");
    QTest::newRow("eight characters") << QByteArray("01.00.00") << "01.00.00";
    QTest::newRow("line break") << QByteArray("01.00.00\n") << "01.00.00\n";
    QTest::newRow("no file") << QByteArray() << "00.00.00";
}

void TestForm1::loadShowsTheDifferenceFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, box);
    Strip strip(content.isNull() ? std::nullopt : std::optional(content));
    // Without the file the steps before it are done and kept, and the box keeps its default.
    QVERIFY(strip.form->isVisible());
    QCOMPARE(strip.text("Label1"), QStringLiteral("06/12/2026"));
    QCOMPARE(strip.text("Label6"), strip.test.formats.systemTimeText(QTime(14, 5, 9)));
    QCOMPARE(strip.box(), box);
    const QStringList failures = strip.test.errors.failures();
    if (content.isNull()) {
        // The common error path, naming the file and an example.
        QCOMPARE(failures.size(), 1);
        for (const char* part : {"Savetime.TXT", "01.00.00"})
            QVERIFY2(failures.first().contains(QLatin1String(part)), qPrintable(failures.first()));
    } else {
        QVERIFY(failures.isEmpty());
        // The box shows the start of its text, not the line break that does not fit.
        QCOMPARE(child<QLineEdit>(strip.form, "Text1")->cursorPosition(), 0);
    }
    QVERIFY(strip.test.dialogs.messages().isEmpty());
}

void TestForm1::pcClocksRollOverAtMidnight() {
    Strip strip(QByteArray("01.00.00"), QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    strip.tick();
    QCOMPARE(strip.text("Label1") + ' ' + strip.text("Label6"), "31/12/2026 23:59:59 ");
    strip.runSeconds(1);
    QCOMPARE(strip.text("Label1") + ' ' + strip.text("Label6"), "01/01/2027 00:00:00 ");
    // A four-digit year fits its field.
    const auto* label1 = child<QLabel>(strip.form, "Label1");
    QVERIFY(label1->fontMetrics().horizontalAdvance(label1->text()) <= label1->width());
}

void TestForm1::shiftedClocksShowPcTimeMinusAndPlus_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QByteArray>("difference");
    QTest::addColumn<QString>("minus");
    QTest::addColumn<QString>("plus");
    const auto row = [](const char* name, const QDateTime& now, const char* difference,
                        const char* minus, const char* plus) {
        QTest::newRow(name) << now << QByteArray(difference) << QString(minus) << QString(plus);
    };
    const auto at = [](int hour, int minute, int second = 0) {
        return QDateTime(QDate(2026, 12, 6), QTime(hour, minute, second));
    };
    row("14:05:09 with 01.00.00", at(14, 5, 9), "01.00.00", "13:05:09 ", "15:05:09 ");
    row("00:30:00 minus one hour", at(0, 30), "01.00.00", "23:30:00 ", "01:30:00 ");
    row("23:30:00 plus two hours", at(23, 30), "02.00.00", "21:30:00 ", "01:30:00 ");
    row("00.00.00 is the PC time", at(14, 5, 9), "00.00.00", "14:05:09 ", "14:05:09 ");
    row("line break after the difference", at(14, 5, 9), "01.00.00\n", "13:05:09 ", "15:05:09 ");
    // The night summer time ends, the second 02:30 (01:30 UTC).
    row("summer time ends: second 02:30",
        QDateTime(QDate(2026, 10, 25), QTime(1, 30), QTimeZone::utc()).toLocalTime(), "01.00.00",
        "01:30:00 ", "03:30:00 ");
}

void TestForm1::shiftedClocksShowPcTimeMinusAndPlus() {
    QFETCH(QDateTime, now);
    QFETCH(QByteArray, difference);
    QFETCH(QString, minus);
    QFETCH(QString, plus);
    Strip strip(difference, now);
    strip.tick();
    for (const char* name : {"Label7", "Label8"})
        QCOMPARE(strip.text(name), minus);
    for (const char* name : {"Label2", "Label4"})
        QCOMPARE(strip.text(name), plus);
    QVERIFY(strip.test.dialogs.messages().isEmpty());
}

void TestForm1::heldTextsKeepThePlaceholders_data() {
    QTest::addColumn<QByteArray>("difference");
    QTest::addColumn<bool>("told"); // once, in a critical box naming the text, file and form
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow(".00.00") << QByteArray(".00.00") << false;
    QTest::newRow("00.00") << QByteArray("00.00") << false;
    QTest::newRow(".00") << QByteArray(".00") << false;
    QTest::newRow("letters") << QByteArray("abc") << true;
    QTest::newRow("dot zero with a line break") << QByteArray(".0\n") << true;
}

void TestForm1::heldTextsKeepThePlaceholders() {
    QFETCH(QByteArray, difference);
    QFETCH(bool, told);
    Strip strip(difference);
    const QString placeholder = strip.test.formats.systemTimeText(QTime(14, 5, 9));
    strip.play(QStringLiteral("meno piu"));
    strip.tick();
    strip.runSeconds(3);
    QCOMPARE(strip.text("Label6"), QStringLiteral("14:05:12 "));
    for (const char* name : {"Label7", "Label2", "Label4"})
        QCOMPARE(strip.text(name), placeholder);
    QCOMPARE(strip.text("Label8"), QString());
    QCOMPARE(strip.test.dialogs.messages().size(), told ? 1 : 0);
    if (told) {
        const RecordingDialogs::Message message = strip.test.dialogs.messages().first();
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
        for (const QString& part : {QStringLiteral("Savetime.TXT"), QStringLiteral("hh.mm.ss"),
                                    '"' + QString::fromUtf8(difference.trimmed()) + '"'})
            QVERIFY2(message.text.contains(part), qPrintable(message.text));
    }
    QVERIFY(strip.test.errors.failures().isEmpty());
}

void TestForm1::dotZeroWarnsOnceThenResets() {
    Strip strip(QByteArray(".0"));
    const QString placeholder = strip.test.formats.systemTimeText(QTime(14, 5, 9));
    QStringList seenWhileOpen;
    strip.test.dialogs.onMessage([&](const QString&) {
        // The other clocks fall due while the box is open; the box text is still ".0".
        strip.runSeconds(1);
        seenWhileOpen << strip.box() << strip.text("Label7") << strip.text("Label8")
                      << strip.text("Label2") << strip.text("Label4");
    });
    strip.tick();
    QCOMPARE(seenWhileOpen, QStringList({".0", placeholder, "", placeholder, placeholder}));
    QCOMPARE(strip.test.dialogs.messages().size(), 1);
    QCOMPARE(strip.test.dialogs.messages().first().text,
             QStringLiteral("Attenzione, modificare ma non cancellare!"));
    QCOMPARE(strip.test.dialogs.messages().first().icon, Dialogs::Icon::Critical);
    QCOMPARE(strip.box(), QStringLiteral("00.00.00"));
    strip.runSeconds(1);
    for (const char* name : {"Label7", "Label8", "Label2", "Label4"})
        QCOMPARE(strip.text(name), QStringLiteral("14:05:11 "));
    QCOMPARE(strip.test.dialogs.messages().size(), 1);
    QFile file(strip.test.differencePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(".0"));
}

void TestForm1::captureFollowsTheIndicatorTable_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown"); // clocks and indicators
    QTest::addColumn<QString>("running");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QColor>("startFrame");
    QTest::addColumn<QColor>("stopFrame");
    const auto row = [](const char* name, const char* steps, const char* shown, const char* running,
                        int beeps, const QColor& start, const QColor& stop) {
        QTest::newRow(name) << QString(steps) << QString(shown) << QString(running) << beeps
                            << start << stop;
    };
    const char* all = "Timer2 Timer3 Timer4 Timer5";
    row("after load", "", "", all, 0, kGrey, kGrey);
    row("minus chosen", "meno", "Label7 Label8 Shape2 Shape4", all, 0, kGreen, kGreen);
    row("plus chosen", "piu", "Label2 Label4 Shape2 Shape4", all, 0, kGreen, kGreen);
    row("minus start captured", "meno Label7", "Label7 Label8 Shape3 Shape4",
        "Timer3 Timer4 Timer5", 3, kRed, kGreen);
    row("double click captures once", "meno 2xLabel7", "Label7 Label8 Shape3 Shape4",
        "Timer3 Timer4 Timer5", 3, kRed, kGreen);
    row("minus stop captured", "meno Label8", "Label7 Label8 Shape2 Shape5", "Timer2 Timer4 Timer5",
        3, kGreen, kRed);
    row("both plus captured", "piu Label2 Label4", "Label2 Label4 Shape3 Shape5", "Timer2 Timer3",
        6, kRed, kRed);
    row("stopped clock clicked again", "meno Label7 Label7", "Label7 Label8 Shape3 Shape4",
        "Timer3 Timer4 Timer5", 6, kRed, kGreen);
    row("minus start captured, then plus chosen: green over red", "meno Label7 piu",
        "Label2 Label4 Shape2 Shape3 Shape4", "Timer3 Timer4 Timer5", 3, kGreen, kGreen);
    row("restart after a contact", "meno Label7 Label8 restart", "Label7 Label8 Shape2 Shape4", all,
        6, kGreen, kGreen);
    row("restart before any pair", "restart", "Shape2 Shape4", all, 0, kGreen, kGreen);
}

void TestForm1::captureFollowsTheIndicatorTable() {
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    QFETCH(QString, running);
    QFETCH(int, beeps);
    QFETCH(QColor, startFrame);
    QFETCH(QColor, stopFrame);
    Strip strip;
    strip.play(steps);
    QCOMPARE(strip.shown("Label7 Label8 Label2 Label4 Shape2 Shape3 Shape4 Shape5"), shown);
    QCOMPARE(strip.shown(kTimers.join(' ')), "Timer1 " + running + " Timer6");
    QCOMPARE(strip.test.dialogs.beeps(), beeps);
    // What shows in the frames' left bars, between the rectangles' edges and the clocks.
    const QImage image = strip.image();
    QCOMPARE(QColor(image.pixel(DesignLook::rect(1680, 360, 120, 615).center())), startFrame);
    QCOMPARE(QColor(image.pixel(DesignLook::rect(3240, 360, 120, 615).center())), stopFrame);
}

void TestForm1::capturedTimeStaysUntilRestart() {
    Strip strip;
    strip.play(QStringLiteral("meno"));
    strip.tick();
    strip.play(QStringLiteral("Label7"));
    strip.runSeconds(5);
    QCOMPARE(strip.form->startText(), QStringLiteral("13:05:09 "));
    QCOMPARE(strip.form->stopText(), QStringLiteral("13:05:14 "));
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

void TestForm1::cityListShowsTheChosenOffset_data() {
    QTest::addColumn<QString>("city"); // empty: none chosen before "Time Difference"
    QTest::addColumn<QString>("offset");
    QTest::newRow("Los Angeles") << "Los Angeles" << QStringLiteral("-8");
    QTest::newRow("Dakar") << "Dakar" << QStringLiteral("0");
    QTest::newRow("Stockolm with its blank") << "Stockolm " << QStringLiteral("1");
    QTest::newRow("no city chosen") << QString() << QString();
}

void TestForm1::cityListShowsTheChosenOffset() {
    QFETCH(QString, city);
    QFETCH(QString, offset);
    Strip strip;
    auto* combo = child<QComboBox>(strip.form, "Combo1");
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
    if (!city.isEmpty()) {
        const int row = combo->findText(city, Qt::MatchExactly);
        combo->setCurrentIndex(row);
        emit combo->activated(row);
    }
    QCOMPARE(strip.shown("Text1 Label10"), city.isEmpty() ? "Text1" : "Label10");
    QCOMPARE(strip.text("Label10"), offset);
    // The clocks go on reading the hidden box.
    strip.play(QStringLiteral("meno"));
    strip.tick();
    QCOMPARE(strip.text("Label7"), QStringLiteral("13:05:09 "));
    const QImage before = strip.image();
    strip.play(QStringLiteral("set"));
    QCOMPARE(strip.shown("Text1 Label10"), QStringLiteral("Text1"));
    QCOMPARE(strip.box(), QStringLiteral("01.00.00"));
    QCOMPARE(combo->currentText(), city);
    if (city.isEmpty())
        QCOMPARE(strip.image(), before);
}

void TestForm1::isAFramelessStripUnderItsMenuBar() {
    Strip strip;
    QVERIFY(strip.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(strip.form->windowType(), Qt::Tool); // no task-bar entry
    QCOMPARE(strip.client()->size(), QSize(639, 76));
    auto* menuBar = strip.form->findChild<QMenuBar*>();
    QCOMPARE(strip.client()->y(), menuBar->geometry().bottom() + 1);
}

void TestForm1::showsDesignColoursAtDesignPositions_data() {
    // A design rectangle in twips; the colour covering most of it and one that must appear in it
    // (the text), invalid when the text colour does not matter.
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QColor>("mostly");
    QTest::addColumn<QColor>("somewhere");
    const QColor cyan(0, 255, 255), white(Qt::white), black(Qt::black);
    const QColor heading = QApplication::palette().color(QPalette::HighlightedText);
    QTest::newRow("strip background") << QRect(15, 15, 90, 330) << kGrey << QColor();
    QTest::newRow("Shape1 left bar") << QRect(120, 360, 105, 615) << cyan << QColor();
    QTest::newRow("Shape1 bottom bar") << QRect(120, 870, 1575, 105) << cyan << QColor();
    QTest::newRow("Shape6 right bar") << QRect(6150, 360, 105, 615) << cyan << QColor();
    QTest::newRow("PC date heading") << QRect(240, 0, 1335, 255) << kGrey << heading;
    QTest::newRow("PC date over its frame") << QRect(240, 480, 1335, 375) << kGrey << kYellow;
    QTest::newRow("Start QSO heading") << QRect(1800, 0, 1335, 255) << kGrey << white;
    QTest::newRow("minus start clock over its frames")
        << QRect(1800, 480, 1335, 375) << kGrey << kYellow;
    QTest::newRow("minus stop clock over its frames")
        << QRect(3360, 480, 1215, 375) << kGrey << kYellow;
    QTest::newRow("PC time over its frame") << QRect(4800, 480, 1335, 375) << kGrey << white;
    QTest::newRow("Time Difference heading") << QRect(6480, 0, 975, 585) << black << heading;
    QTest::newRow("Fused schedules heading") << QRect(7680, 0, 1215, 495) << black << heading;
    QTest::newRow("difference box")
        << QRect(6390, 630, 1155, 300) << QColor(192, 255, 255) << QColor(128, 128, 128);
}

void TestForm1::showsDesignColoursAtDesignPositions() {
    QFETCH(QRect, twips);
    QFETCH(QColor, mostly);
    QFETCH(QColor, somewhere);
    Strip strip;
    strip.play(QStringLiteral("meno"));
    strip.tick();
    const QImage image = strip.image();
    const QRect pixels = DesignLook::rect(twips.x(), twips.y(), twips.width(), twips.height());
    QHash<QRgb, int> counts;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    }
    QCOMPARE(QColor(std::max_element(counts.cbegin(), counts.cend()).key()), mostly);
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
    Strip strip;
    strip.play(QStringLiteral("meno"));
    QWidget* target = grabbed.isEmpty() ? strip.client() : child<QWidget>(strip.form, grabbed);
    const QPoint before = strip.form->pos();
    QTest::mousePress(target, Qt::LeftButton, {}, where);
    QTest::mouseMove(target, where + QPoint(30, 12));
    QTest::mouseRelease(target, Qt::LeftButton, {}, where + QPoint(30, 12));
    QCOMPARE(strip.form->pos(), moves ? before + QPoint(30, 12) : before);
}

void TestForm1::commandsKeepOneWindowEach_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("shown"); // the windows shown afterwards, sorted
    QTest::newRow("Log twice") << "Command1 Command1" << QStringList{"Form1", "frmLog1"};
    QTest::newRow("Info twice") << "info info" << QStringList{"Form1", "frmTip"};
    QTest::newRow("Copy Log twice") << "Copy_log Copy_log" << QStringList{"Form1", "Form2"};
    QTest::newRow("Confirm Exit, log never opened") << "confirm" << QStringList();
    QTest::newRow("Confirm Exit, log open") << "Command1 confirm" << QStringList();
    QTest::newRow("Confirm Exit, information open") << "info confirm" << QStringList{"frmTip"};
    QTest::newRow("Confirm Exit, backup open") << "Copy_log confirm" << QStringList{"Form2"};
}

void TestForm1::commandsKeepOneWindowEach() {
    QFETCH(QString, steps);
    QFETCH(QStringList, shown);
    Strip strip;
    QSignalSpy ended(&strip.windows, &Windows::lastWindowUnloaded);
    strip.play(steps);
    QCOMPARE(GuiTest::shownWindows(), shown);
    QCOMPARE(strip.windows.loadedCount(), shown.size());
    QCOMPARE(ended.count(), shown.isEmpty() ? 1 : 0);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
