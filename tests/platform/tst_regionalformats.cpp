#include "platform/RegionalFormats.h"

#include <QTest>

class TestRegionalFormats : public QObject {
    Q_OBJECT
    const QLocale m_italy{QLocale::Italian, QLocale::Italy};
    const QLocale m_us{QLocale::English, QLocale::UnitedStates};

private slots:
    void shortDateHasFourDigitYear_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("it_IT dd/MM/yy widened") << m_italy << "07/03/2024";
        QTest::newRow("en_US M/d/yy widened") << m_us << "3/7/2024";
        QTest::newRow("C keeps its four-digit year") << QLocale::c() << "7 Mar 2024";
    }
    void shortDateHasFourDigitYear() {
        QFETCH(QLocale, locale);
        const RegionalFormats formats(locale);
        QTEST(formats.dateText(QDate(2024, 3, 7)), "text");
        // A year a two-digit form would move into another century reads back as it was.
        for (const QDate& date : {QDate(1924, 12, 31), QDate(2000, 2, 29)})
            QCOMPARE(formats.parseDateText(formats.dateText(date)), date);
    }

    // The forms of a typed date the log accepts, and what it refuses.
    void readsTypedDate_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: refused
        QTest::newRow("no leading zeros") << m_italy << "1/2/2003" << QDate(2003, 2, 1);
        QTest::newRow("two digits, 49 is 2049") << m_italy << "01/01/49" << QDate(2049, 1, 1);
        QTest::newRow("two digits, 50 is 1950") << m_italy << "1/1/50" << QDate(1950, 1, 1);
        QTest::newRow("ISO") << m_italy << " 2024-01-05 " << QDate(2024, 1, 5);
        QTest::newRow("month first") << m_us << "12/31/24" << QDate(2024, 12, 31);
        QTest::newRow("day that does not exist") << m_italy << "31/02/2024" << QDate();
        QTest::newRow("ISO that does not exist") << m_italy << "2024-13-01" << QDate();
    }
    void readsTypedDate() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QTEST(RegionalFormats(locale).parseDateText(text), "date");
    }

    void systemTimeText_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        const auto row = [](const char* tag, const QLocale& locale, const char* text,
                            const char* separator) {
            QTest::newRow(tag) << locale << QString::fromUtf8(text) << QString(separator);
        };
        row("it_IT", m_italy, "14:05:09", ":");
        row("fi_FI uses a full stop", QLocale(QLocale::Finnish, QLocale::Finland), "14.05.09", ".");
        row("fr_CA: quoted words between the fields", QLocale(QLocale::French, QLocale::Canada),
            "14 h 05 min 09 s", ":");
        row("fa_IR: no brackets left of the zone", QLocale(QLocale::Persian, QLocale::Iran),
            "۱۴:۰۵:۰۹", ":");
    }
    void systemTimeText() {
        QFETCH(QLocale, locale);
        const RegionalFormats formats(locale);
        QTEST(formats.systemTimeText(QTime(14, 5, 9)), "text");
        QTEST(formats.timeSeparator(), "separator");
    }
};

QTEST_GUILESS_MAIN(TestRegionalFormats)
#include "tst_regionalformats.moc"
