#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

using GuiTest::child;

// The station-time guard, the load placeholder and the captured second as the clock strip shows
// them (in Europe/Rome).
class TestForm1Time : public QObject {
    Q_OBJECT
private slots:
    void guardFollowsPairAndHour();
    void placeholderShowsWhole();
    void clickBeforeTheTickFreezesItsSecond();
};

void TestForm1Time::guardFollowsPairAndHour() {
    TestServices test;
    test.writeDifferenceFile("01.00.00");
    test.clock.set(QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59))); // summer time starts at 02:00
    Windows windows(test.services);
    Form1* form = windows.form1().show();
    auto* box = child<QLineEdit>(form, "Text1");
    child<QAction>(form, "piu")->trigger();
    QVERIFY(box->toolTip().contains("local time is ahead of UTC"));
    // WCAG contrast of the warning's text on its background.
    const auto luminance = [&](QPalette::ColorRole role) {
        const QColor c = box->palette().color(QPalette::Disabled, role);
        const auto f = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * f(c.redF()) + 0.7152 * f(c.greenF()) + 0.0722 * f(c.blueF()) + 0.05;
    };
    QVERIFY(luminance(QPalette::Base) / luminance(QPalette::Text) >= 4.5);

    child<QAction>(form, "meno")->trigger();
    QCOMPARE(box->toolTip(), "hh.mm.ss difference");
    test.clock.advance(1);
    emit child<SecondTimer>(form, "Timer6")->timeout();
    QVERIFY(box->toolTip().startsWith("The PC's time zone is UTC+02:00 (summer time)"));
    form->unload();
}

void TestForm1Time::placeholderShowsWhole() {
    TestServices test;
    test.formats = RegionalFormats(QLocale(QLocale::English, QLocale::UnitedStates));
    test.writeDifferenceFile("01.00.00");
    Windows windows(test.services);
    Form1* form = windows.form1().show();
    auto* start = child<QLabel>(form, "Label7");
    QCOMPARE(start->text(), "2:05:09 PM");
    QVERIFY(QFontMetricsF(start->font()).horizontalAdvance(start->text()) <=
            start->contentsRect().width());
    emit child<SecondTimer>(form, "Timer2")->timeout();
    QCOMPARE(start->font().pointSizeF(), 15.75); // the clock's own size again
    form->unload();
}

void TestForm1Time::clickBeforeTheTickFreezesItsSecond() {
    TestServices test;
    test.writeDifferenceFile("01.00.00");
    Windows windows(test.services);
    Form1* form = windows.form1().show();
    child<QAction>(form, "meno")->trigger();
    emit child<SecondTimer>(form, "Timer2")->timeout();
    test.clock.advance(1);
    QTest::mouseClick(child<QLabel>(form, "Label7"), Qt::LeftButton);
    QCOMPARE(form->startText(), "13:05:10 ");
    form->unload();
}

QTEST_MAIN(TestForm1Time)
#include "tst_form1time.moc"
