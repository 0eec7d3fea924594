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

using GuiTest::child;

namespace {

// The clock strip loaded through the window registry on fake services, at 14:05:09 local time
// unless told otherwise; it plays the operator's commands and lets time pass.
struct Strip {
    explicit Strip(const QByteArray& difference = "01.00.00", const QDateTime& now = {}) {
        if (!difference.isNull())
            test.writeDifferenceFile(difference);
        if (now.isValid())
            test.clock.set(now);
        test.createLog();
        form = windows.form1().show();
    }

    QString text(const QString& label) const { return child<QLabel>(form, label)->text(); }
    QLineEdit* box() const { return child<QLineEdit>(form, "Text1"); }
    // Every running timer fires, as at a second boundary.
    void runSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            test.clock.advance(1);
            for (SecondTimer* timer : form->findChildren<SecondTimer*>()) {
                if (timer->isActive())
                    emit timer->timeout();
            }
        }
    }
    // Steps: a menu entry ("meno", "piu", "set", "info"...), a control to click ("Label7"), or
    // "2x" and a clock for a double click as the window system delivers it.
    void play(const QString& steps) const {
        for (const QString& step : steps.split(' ')) {
            auto* label = form->findChild<QWidget*>(step.mid(step.startsWith("2x") ? 2 : 0));
            if (auto* action = form->findChild<QAction*>(step))
                action->trigger();
            else
                QTest::mouseClick(label, Qt::LeftButton);
            if (step.startsWith("2x")) {
                QTest::mouseDClick(label, Qt::LeftButton);
                QTest::mouseRelease(label, Qt::LeftButton);
            }
        }
    }
    // The named controls that are visible (timers: running).
    QString shown(const QString& names) const {
        QStringList active;
        for (const QString& name : names.split(' ')) {
            auto* timer = form->findChild<SecondTimer*>(name);
            if (timer ? timer->isActive() : child<QWidget>(form, name)->isVisible())
                active << name;
        }
        return active.join(' ');
    }

    TestServices test;
    Windows windows{test.services};
    Form1* form = nullptr;
};

} // namespace

// The clock strip's wiring: the difference file, the clocks, the capture, the city list, dragging
// and the commands that reach the other windows.
class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(GuiTest::remainingWindows(), QStringList()); }

    void differenceFile_data() {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<QString>("clocks");     // date, local, minus, plus after a second
        QTest::addColumn<int>("told");           // critical messages
        QTest::newRow("line break") << QByteArray("01.00.00\n") << "|23:00:00 |01:00:00 " << 0;
        QTest::newRow("no file") << QByteArray() << "|00:00:00 |00:00:00 " << 0;
        QTest::newRow("half deleted") << QByteArray(".00") << "|23:59:59|23:59:59" << 0;
        QTest::newRow("letters") << QByteArray("abc") << "|23:59:59|23:59:59" << 1;
    }
    void differenceFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, clocks);
        QFETCH(int, told);
        Strip strip(content, QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
        strip.runSeconds(1);
        QCOMPARE(strip.text("Label1") + strip.text("Label6") + '|' + strip.text("Label7") + '|' +
                     strip.text("Label2"),
                 "01/01/202700:00:00 " + clocks);
        // Without the file the window loads with the box's default, and the failure is kept.
        QCOMPARE(strip.box()->text(), content.isNull() ? "00.00.00" : content);
        QCOMPARE(strip.test.errors.failures().size(), content.isNull() ? 1 : 0);
        QCOMPARE(strip.test.dialogs.messages().size(), told);
        if (!content.isNull()) // the start of the text shows, not the line break
            QCOMPARE(strip.box()->cursorPosition(), 0);
    }

    void dotZeroWarnsOnceThenResets() {
        Strip strip(".0");
        QStringList seenWhileOpen;
        strip.test.dialogs.onMessage([&](const QString&) {
            // The other clocks fall due while the box is open; the box text is still ".0".
            strip.runSeconds(1);
            seenWhileOpen << strip.box()->text() << strip.text("Label8");
        });
        strip.runSeconds(2);
        QCOMPARE(seenWhileOpen, QStringList({".0", ""}));
        QCOMPARE(strip.test.dialogs.messages().size(), 1);
        QCOMPARE(strip.box()->text() + strip.text("Label8"), "00.00.0014:05:12 ");
    }

    void captureShowsTheState() {
        Strip strip;
        strip.play("meno");
        strip.runSeconds(1);
        strip.test.clock.advance(1); // a click before the second's tick freezes that second
        strip.play("2xLabel7");      // and a double click captures once
        strip.runSeconds(4);
        QCOMPARE(strip.shown("Label7 Label8 Label2 Label4 Shape2 Shape3 Shape4 Shape5 Timer1 "
                             "Timer2 Timer3 Timer4 Timer5 Timer6"),
                 "Label7 Label8 Shape3 Shape4 Timer1 Timer3 Timer4 Timer5 Timer6");
        QCOMPARE(strip.test.dialogs.beeps(), 3);
        QCOMPARE(strip.form->startText() + strip.form->stopText(), "13:05:11 13:05:15 ");
        strip.play("piu"); // the shown pair's clocks
        QCOMPARE(strip.form->startText() + strip.form->stopText(), "15:05:15 15:05:15 ");
        // Both start indicators lit: the start frame's left bar shows the running one.
        const QImage image = child<QWidget>(strip.form, "Label1")->parentWidget()->grab().toImage();
        QCOMPARE(QColor(image.pixel(DesignLook::rect(1680, 360, 120, 615).center())),
                 QColor(0, 192, 0));
    }

    void cityHidesTheDifferenceBox() {
        Strip strip;
        auto* combo = child<QComboBox>(strip.form, "Combo1");
        QCOMPARE(combo->currentIndex(), -1);
        combo->setCurrentIndex(combo->findText("Stockolm ", Qt::MatchExactly));
        emit combo->activated(combo->currentIndex());
        QCOMPARE(strip.shown("Text1 Label10") + strip.text("Label10"), "Label101");
        strip.runSeconds(1); // the clocks go on reading the hidden box
        QCOMPARE(strip.text("Label7"), "13:05:10 ");
        strip.play("set");
        QCOMPARE(strip.shown("Text1 Label10"), "Text1");
    }

    void dragsByTheBackground() {
        Strip strip;
        QWidget* background = child<QWidget>(strip.form, "Label1")->parentWidget();
        const QPoint before = strip.form->pos();
        QTest::mousePress(background, Qt::LeftButton, {}, QPoint(4, 5));
        QTest::mouseMove(background, QPoint(34, 17));
        QTest::mouseRelease(background, Qt::LeftButton, {}, QPoint(34, 17));
        QCOMPARE(strip.form->pos() - before, QPoint(30, 12));
    }

    void commandsKeepOneWindowEach() {
        Strip strip;
        strip.play("Command1 Command1 info");
        QCOMPARE(GuiTest::shownWindows(), QStringList({"Form1", "frmLog1", "frmTip"}));
        strip.play("Copy_log confirm"); // closes the log and the clocks only
        QCOMPARE(GuiTest::shownWindows(), QStringList({"Form2", "frmTip"}));
        QCOMPARE(strip.windows.loadedCount(), 2);
    }

    void stationTimeGuard() {
        Strip strip("01.00.00", QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59))); // Europe/Rome
        strip.play("piu");
        QVERIFY(strip.box()->toolTip().contains("ahead of UTC"));
        strip.play("meno");
        strip.runSeconds(1); // summer time begins
        QVERIFY(strip.box()->toolTip().contains("UTC+02:00 (summer time)"));
    }

    void placeholderFits() {
        Strip strip;
        strip.test.formats = RegionalFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        strip.form->unload();
        strip.form = strip.windows.form1().show();
        auto* start = child<QLabel>(strip.form, "Label7");
        QCOMPARE(start->text(), "2:05:09 PM");
        QVERIFY(QFontMetricsF(start->font()).horizontalAdvance(start->text()) <=
                start->contentsRect().width());
        strip.runSeconds(1);
        QCOMPARE(start->font().pointSizeF(), 15.75); // the clock's own size again
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
