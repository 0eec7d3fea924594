#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
#include "platform/DesignLook.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <optional>

using GuiTest::child;

namespace {

const QStringList kTimers{"Timer1", "Timer2", "Timer3", "Timer4", "Timer5", "Timer6"};
const QColor kGreen(0, 192, 0), kRed(255, 0, 0);

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

    // One second passes: every running timer fires, as at a second boundary.
    void runSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            test.clock.advance(1);
            for (const QString& name : kTimers) {
                if (auto* timer = child<SecondTimer>(form, name); timer->isActive())
                    emit timer->timeout();
            }
        }
    }
    // Space-separated steps: a menu entry's name ("meno", "piu", "restart", "set", "info"), a
    // control to click ("Label7", "Command1"), or "2x" and a clock for a double click.
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

// The clock strip's wiring: its load sequence, clocks, capture of a contact's times, city list,
// dragging and the commands that reach the other windows.
class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void loadShowsTheDifferenceFile_data();
    void loadShowsTheDifferenceFile();
    void clocksFollowThePcClock();
    void heldTextsKeepThePlaceholders_data();
    void heldTextsKeepThePlaceholders();
    void dotZeroWarnsOnceThenResets();
    void captureShowsTheState_data();
    void captureShowsTheState();
    void capturedTimeStaysFrozen();
    void cityHidesTheDifferenceBox();
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
    QTest::newRow("line break") << QByteArray("01.00.00\n") << "01.00.00\n";
    QTest::newRow("no file") << QByteArray() << "00.00.00";
}

void TestForm1::loadShowsTheDifferenceFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, box);
    Strip strip(content.isNull() ? std::nullopt : std::optional(content));
    // Without the file the steps before it are done and kept, and the box keeps its default.
    QVERIFY(strip.form->isVisible());
    QCOMPARE(strip.box(), box);
    const QStringList failures = strip.test.errors.failures();
    QCOMPARE(failures.size(), content.isNull() ? 1 : 0);
    if (content.isNull())
        QVERIFY2(failures.first().contains(QLatin1String("Savetime.TXT")), qPrintable(failures[0]));
    else // the start of the text shows, not the line break that does not fit
        QCOMPARE(child<QLineEdit>(strip.form, "Text1")->cursorPosition(), 0);
}

void TestForm1::clocksFollowThePcClock() {
    Strip strip(QByteArray("01.00.00\n"), QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    strip.runSeconds(1);
    QCOMPARE(strip.text("Label1") + ' ' + strip.text("Label6"), "01/01/2027 00:00:00 ");
    // A four-digit year fits its field.
    const auto* label1 = child<QLabel>(strip.form, "Label1");
    QVERIFY(label1->fontMetrics().horizontalAdvance(label1->text()) <= label1->width());
    // The hidden clocks tick too.
    for (const char* name : {"Label7", "Label8"})
        QCOMPARE(strip.text(name), QStringLiteral("23:00:00 "));
    for (const char* name : {"Label2", "Label4"})
        QCOMPARE(strip.text(name), QStringLiteral("01:00:00 "));
}

void TestForm1::heldTextsKeepThePlaceholders_data() {
    QTest::addColumn<QByteArray>("difference");
    QTest::addColumn<bool>("told"); // once, in a critical box
    QTest::newRow("half deleted") << QByteArray(".00") << false;
    QTest::newRow("letters") << QByteArray("abc") << true;
}

void TestForm1::heldTextsKeepThePlaceholders() {
    QFETCH(QByteArray, difference);
    QFETCH(bool, told);
    Strip strip(difference);
    const QString placeholder = strip.test.formats.systemTimeText(QTime(14, 5, 9));
    strip.play(QStringLiteral("meno piu"));
    strip.runSeconds(3);
    QCOMPARE(strip.text("Label6"), QStringLiteral("14:05:12 "));
    for (const char* name : {"Label7", "Label2", "Label4"})
        QCOMPARE(strip.text(name), placeholder);
    QCOMPARE(strip.text("Label8"), QString());
    QCOMPARE(strip.test.dialogs.messages().size(), told ? 1 : 0);
    if (told)
        QCOMPARE(strip.test.dialogs.messages().first().icon, Dialogs::Icon::Critical);
}

void TestForm1::dotZeroWarnsOnceThenResets() {
    Strip strip(QByteArray(".0"));
    QStringList seenWhileOpen;
    strip.test.dialogs.onMessage([&](const QString&) {
        // The other clocks fall due while the box is open; the box text is still ".0".
        strip.runSeconds(1);
        seenWhileOpen << strip.box() << strip.text("Label8");
    });
    strip.runSeconds(1);
    QCOMPARE(seenWhileOpen, QStringList({".0", ""}));
    QCOMPARE(strip.test.dialogs.messageTexts(),
             QStringList{QStringLiteral("Attenzione, modificare ma non cancellare!")});
    QCOMPARE(strip.box(), QStringLiteral("00.00.00"));
    strip.runSeconds(1);
    for (const char* name : {"Label7", "Label8", "Label2", "Label4"})
        QCOMPARE(strip.text(name), QStringLiteral("14:05:12 "));
    QCOMPARE(strip.test.dialogs.messages().size(), 1);
}

void TestForm1::captureShowsTheState_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown"); // clocks and indicators, then the running timers
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QColor>("startFrame");
    const auto row = [](const char* name, const char* steps, const char* shown, int beeps,
                        const QColor& frame) {
        QTest::newRow(name) << QString(steps) << QString(shown) << beeps << frame;
    };
    row("double click captures once", "meno 2xLabel7",
        "Label7 Label8 Shape3 Shape4 Timer1 Timer3 Timer4 Timer5 Timer6", 3, kRed);
    row("plus stop captured", "piu Label4",
        "Label2 Label4 Shape2 Shape5 Timer1 Timer2 Timer3 Timer4 Timer6", 3, kGreen);
    row("green drawn over red", "meno Label7 piu",
        "Label2 Label4 Shape2 Shape3 Shape4 Timer1 Timer3 Timer4 Timer5 Timer6", 3, kGreen);
    row("restart", "meno Label7 restart",
        "Label7 Label8 Shape2 Shape4 Timer1 Timer2 Timer3 Timer4 Timer5 Timer6", 3, kGreen);
}

void TestForm1::captureShowsTheState() {
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    QFETCH(int, beeps);
    QFETCH(QColor, startFrame);
    Strip strip;
    strip.play(steps);
    QCOMPARE(
        strip.shown("Label7 Label8 Label2 Label4 Shape2 Shape3 Shape4 Shape5 " + kTimers.join(' ')),
        shown);
    QCOMPARE(strip.test.dialogs.beeps(), beeps);
    // The start frame's left bar, between the rectangle's edge and the clock.
    const QPoint bar = DesignLook::rect(1680, 360, 120, 615).center();
    QCOMPARE(QColor(strip.client()->grab().toImage().pixel(bar)), startFrame);
}

void TestForm1::capturedTimeStaysFrozen() {
    Strip strip;
    strip.play(QStringLiteral("meno"));
    strip.runSeconds(1);
    strip.play(QStringLiteral("Label7"));
    strip.runSeconds(5);
    QCOMPARE(strip.form->startText(), QStringLiteral("13:05:10 "));
    QCOMPARE(strip.form->stopText(), QStringLiteral("13:05:15 "));
    strip.play(QStringLiteral("piu"));
    QCOMPARE(strip.form->stopText(), QStringLiteral("15:05:15 "));
}

void TestForm1::cityHidesTheDifferenceBox() {
    Strip strip;
    auto* combo = child<QComboBox>(strip.form, "Combo1");
    QCOMPARE(combo->currentIndex(), -1);
    const int row = combo->findText(QStringLiteral("Stockolm "), Qt::MatchExactly);
    combo->setCurrentIndex(row);
    emit combo->activated(row);
    QCOMPARE(strip.shown("Text1 Label10"), QStringLiteral("Label10"));
    QCOMPARE(strip.text("Label10"), QStringLiteral("1"));
    // The clocks go on reading the hidden box.
    strip.play(QStringLiteral("meno"));
    strip.runSeconds(1);
    QCOMPARE(strip.text("Label7"), QStringLiteral("13:05:10 "));
    strip.play(QStringLiteral("set"));
    QCOMPARE(strip.shown("Text1 Label10"), QStringLiteral("Text1"));
}

void TestForm1::movesWhenTheBackgroundIsDragged_data() {
    QTest::addColumn<QString>("grabbed");
    QTest::addColumn<bool>("moves");
    QTest::newRow("strip background") << QString() << true;
    QTest::newRow("a clock") << "Label7" << false;
}

void TestForm1::movesWhenTheBackgroundIsDragged() {
    QFETCH(QString, grabbed);
    QFETCH(bool, moves);
    Strip strip;
    strip.play(QStringLiteral("meno"));
    QWidget* target = grabbed.isEmpty() ? strip.client() : child<QWidget>(strip.form, grabbed);
    const QPoint before = strip.form->pos(), where(4, 5);
    QTest::mousePress(target, Qt::LeftButton, {}, where);
    QTest::mouseMove(target, where + QPoint(30, 12));
    QTest::mouseRelease(target, Qt::LeftButton, {}, where + QPoint(30, 12));
    QCOMPARE(strip.form->pos(), moves ? before + QPoint(30, 12) : before);
}

void TestForm1::commandsKeepOneWindowEach_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("shown"); // the windows shown afterwards, sorted
    QTest::newRow("Log twice") << "Command1 Command1" << QStringList{"Form1", "frmLog1"};
    QTest::newRow("Info") << "info" << QStringList{"Form1", "frmTip"};
    QTest::newRow("Confirm Exit, log open") << "Command1 confirm" << QStringList();
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
