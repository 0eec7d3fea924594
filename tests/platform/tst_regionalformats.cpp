#include "platform/RegionalFormats.h"

#include <QTest>

class TestRegionalFormats : public QObject {
    Q_OBJECT
private slots:
    void shortDateHasFourDigitYear_data();
    void shortDateHasFourDigitYear();
    void systemTimeText_data();
    void systemTimeText();
};

void TestRegionalFormats::shortDateHasFourDigitYear_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("it_IT dd/MM/yy widened")
        << QLocale(QLocale::Italian, QLocale::Italy) << "07/03/2024";
    QTest::newRow("en_US M/d/yy widened")
        << QLocale(QLocale::English, QLocale::UnitedStates) << "3/7/2024";
    QTest::newRow("C keeps its four-digit year") << QLocale::c() << "7 Mar 2024";
}

void TestRegionalFormats::shortDateHasFourDigitYear() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    const RegionalFormats formats(locale);
    QCOMPARE(formats.dateText(QDate(2024, 3, 7)), text);
    // A year a two-digit form would move into another century reads back as it was.
    for (const QDate& date : {QDate(1924, 12, 31), QDate(2000, 2, 29)})
        QCOMPARE(formats.parseDateText(formats.dateText(date)), date);
}

void TestRegionalFormats::systemTimeText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    const QLocale dzongkha(QLocale::Dzongkha, QLocale::Bhutan);
    QTest::newRow("it_IT") << QLocale(QLocale::Italian, QLocale::Italy) << "14:05:09"
                           << ":";
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "2:05:09 PM"
                           << ":";
    QTest::newRow("fi_FI uses a full stop")
        << QLocale(QLocale::Finnish, QLocale::Finland) << "14.05.09"
        << ".";
    QTest::newRow("fr_CA: quoted words between the fields")
        << QLocale(QLocale::French, QLocale::Canada) << "14 h 05 min 09 s"
        << ":";
    QTest::newRow("dz_BT: a word between hours and minutes, a colon before seconds")
        << dzongkha
        << dzongkha.toString(QTime(14, 5, 9), QStringLiteral("'ཆུ་ཚོད་' h 'སྐར་མ་' mm:ss AP")) << ":";
    QTest::newRow("fa_IR: no brackets left of the zone")
        << QLocale(QLocale::Persian, QLocale::Iran) << "۱۴:۰۵:۰۹"
        << ":";
}

void TestRegionalFormats::systemTimeText() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, separator);
    const RegionalFormats formats(locale);
    QCOMPARE(formats.systemTimeText(QTime(14, 5, 9)), text);
    QCOMPARE(formats.timeSeparator(), separator);
}

QTEST_GUILESS_MAIN(TestRegionalFormats)
#include "tst_regionalformats.moc"
