#include "platform/RegionalFormats.h"

#include <QTest>

class TestRegionalFormats : public QObject {
    Q_OBJECT
private slots:
    void shortDateHasFourDigitYear_data();
    void shortDateHasFourDigitYear();
    void dateTextReadsBack_data();
    void dateTextReadsBack();
    void systemTimeText_data();
    void systemTimeText();
};

void TestRegionalFormats::shortDateHasFourDigitYear_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    const QDate date(2024, 3, 7);
    QTest::newRow("it_IT dd/MM/yy widened")
        << QLocale(QLocale::Italian, QLocale::Italy) << "dd/MM/yyyy"
        << "07/03/2024";
    QTest::newRow("en_US M/d/yy widened")
        << QLocale(QLocale::English, QLocale::UnitedStates) << "M/d/yyyy"
        << "3/7/2024";
    QTest::newRow("C keeps its four-digit year") << QLocale::c() << "d MMM yyyy"
                                                 << "7 Mar 2024";
}

void TestRegionalFormats::shortDateHasFourDigitYear() {
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QFETCH(QString, text);
    const RegionalFormats formats(locale);
    QCOMPARE(formats.shortDateFormat(), format);
    QCOMPARE(formats.dateText(QDate(2024, 3, 7)), text);
}

void TestRegionalFormats::dateTextReadsBack_data() {
    QTest::addColumn<QDate>("date");
    QTest::newRow("1924 stays 1924") << QDate(1924, 12, 31);
    QTest::newRow("2024 stays 2024") << QDate(2024, 1, 1);
    QTest::newRow("leap day") << QDate(2000, 2, 29);
}

void TestRegionalFormats::dateTextReadsBack() {
    QFETCH(QDate, date);
    for (const QLocale& locale : {QLocale(QLocale::Italian, QLocale::Italy),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        const RegionalFormats formats(locale);
        QCOMPARE(formats.parseDateText(formats.dateText(date)), date);
    }
}

void TestRegionalFormats::systemTimeText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
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
        << QLocale(QLocale::Dzongkha, QLocale::Bhutan)
        << QLocale(QLocale::Dzongkha, QLocale::Bhutan)
               .toString(QTime(14, 5, 9), QStringLiteral("'ཆུ་ཚོད་' h 'སྐར་མ་' mm:ss AP"))
        << ":";
    QTest::newRow("fa_IR: no brackets left of the zone")
        << QLocale(QLocale::Persian, QLocale::Iran) << "۱۴:۰۵:۰۹"
        << ":";
    QTest::newRow("C") << QLocale::c() << "14:05:09"
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
