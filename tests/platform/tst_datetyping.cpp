#include "platform/RegionalFormats.h"

#include <QTest>

// The forms of a typed date the log accepts, and what it refuses.
class TestDateTyping : public QObject {
    Q_OBJECT
private slots:
    void readsTypedDate_data();
    void readsTypedDate();
};

void TestDateTyping::readsTypedDate_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: refused
    const QLocale italy(QLocale::Italian, QLocale::Italy);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("four-digit year, leading zeros") << italy << "01/02/2024" << QDate(2024, 2, 1);
    QTest::newRow("no leading zeros") << italy << "1/2/2003" << QDate(2003, 2, 1);
    QTest::newRow("system's two-digit year") << italy << "05/01/24" << QDate(2024, 1, 5);
    QTest::newRow("two digits, 49 is 2049") << italy << "1/1/49" << QDate(2049, 1, 1);
    QTest::newRow("two digits, 50 is 1950") << italy << "1/1/50" << QDate(1950, 1, 1);
    QTest::newRow("ISO") << italy << " 2024-01-05 " << QDate(2024, 1, 5);
    QTest::newRow("month first") << us << "12/31/24" << QDate(2024, 12, 31);
    QTest::newRow("month name, two-digit year") << QLocale::c() << "7 Dec 26" << QDate(2026, 12, 7);
    QTest::newRow("day that does not exist") << italy << "31/02/2024" << QDate();
    QTest::newRow("ISO that does not exist") << italy << "2024-13-01" << QDate();
    QTest::newRow("three-digit year") << italy << "1/2/024" << QDate();
    QTest::newRow("word") << italy << "ieri" << QDate();
}

void TestDateTyping::readsTypedDate() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(RegionalFormats(locale).parseDateText(text), date);
}

QTEST_GUILESS_MAIN(TestDateTyping)
#include "tst_datetyping.moc"
