#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

using GuiTest::child;

namespace {

// WCAG relative luminance and contrast ratio.
double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

// The station-time guard and the load placeholder as the clock strip shows them; the rules of the
// comparison are checked in the core. The tests run in Europe/Rome.
class TestForm1StationTime : public QObject {
    Q_OBJECT
private slots:
    void guardFollowsLoadPairAndHour();
    void placeholderShowsWhole();
};

void TestForm1StationTime::guardFollowsLoadPairAndHour() {
    TestServices test;
    test.writeDifferenceFile("01.00.00");
    // The night summer time starts: 02:00 becomes 03:00.
    test.clock.set(QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59)));
    Windows windows(test.services);
    Form1* form = windows.form1().show();
    auto* box = child<QLineEdit>(form, "Text1");
    const QString tip = box->toolTip();
    const QColor plain = box->palette().color(QPalette::Disabled, QPalette::Base);
    QCOMPARE(tip, "hh.mm.ss difference");

    child<QAction>(form, "piu")->trigger();
    QVERIFY(box->toolTip().contains("local time is ahead of UTC"));
    const QPalette warned = box->palette();
    QVERIFY(warned.color(QPalette::Disabled, QPalette::Base) != plain);
    QVERIFY(contrast(warned.color(QPalette::Disabled, QPalette::Base),
                     warned.color(QPalette::Disabled, QPalette::Text)) >= 4.5);

    child<QAction>(form, "meno")->trigger();
    QCOMPARE(box->toolTip(), tip);
    QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Base), plain);
    test.clock.advance(1);
    emit child<SecondTimer>(form, "Timer6")->timeout();
    QCOMPARE(box->toolTip(), "The PC's time zone is UTC+02:00 (summer time); Savetime.TXT says "
                             "01.00.00. Edit the file and start the clock window again.");
    QCOMPARE(box->text(), "01.00.00");
    QFile file(test.differencePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "01.00.00");
    form->unload();
}

void TestForm1StationTime::placeholderShowsWhole() {
    TestServices test;
    test.formats = RegionalFormats(QLocale(QLocale::English, QLocale::UnitedStates));
    test.writeDifferenceFile("01.00.00");
    Windows windows(test.services);
    Form1* form = windows.form1().show();
    child<QAction>(form, "meno")->trigger();
    auto* start = child<QLabel>(form, "Label7");
    QCOMPARE(start->text(), "2:05:09 PM");
    QVERIFY(!start->wordWrap());
    QVERIFY(QFontMetricsF(start->font()).horizontalAdvance(start->text()) <=
            start->contentsRect().width());
    const QFont placeholderFont = start->font();

    emit child<SecondTimer>(form, "Timer2")->timeout();
    QCOMPARE(start->text(), "13:05:09 ");
    QVERIFY(start->font().pointSizeF() > placeholderFont.pointSizeF());
    form->unload();
}

QTEST_MAIN(TestForm1StationTime)
#include "tst_form1stationtime.moc"
