#include "adif/AdifReader.h"

#include <QBuffer>
#include <QTest>

// Every form of file that other programs write, each as a small file of its own.
class TestAdiReader : public QObject {
    Q_OBJECT
private slots:
    void records_data();
    void records();
};

void TestAdiReader::records_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("records");
    const QByteArray two = "<CALL:3>K1A<EOR>\n<CALL:3>K2B<EOR>\n";
    const QString calls = QStringLiteral("CALL=K1A / CALL=K2B");
    QTest::newRow("no header") << two << calls;
    QTest::newRow("text header") << "Log of K9X\n<ADIF_VER:5>3.1.4\n<EOH>\n" + two << calls;
    QTest::newRow("header starting with a tag")
        << "<ADIF_VER:5>3.1.4<PROGRAMID:3>XYZ<EOH>" + two << calls;
    QTest::newRow("tags in any case") << QByteArray("<call:3>K1A<eor><Call:3>K2B<Eor>") << calls;
    QTest::newRow("byte-order mark") << "\xef\xbb\xbf" + two << calls;
    QTest::newRow("CR LF and text between fields")
        << QByteArray("<CALL:3>K1A\r\n<STATE:2>WI // Wisconsin\r\n<EOR>\r\n")
        << "CALL=K1A,STATE=WI";
    QTest::newRow("value holding tags")
        << QByteArray("<NOTES:12><EOR> & <b>!<EOR>") << "NOTES=<EOR> & <b>!";
    QTest::newRow("tags without length and stray brackets")
        << QByteArray("<CALL:3>K1A<APP_LOGGER_MARK> a > b <EOR>") << "CALL=K1A";
    QTest::newRow("zero length") << QByteArray("<CALL:3>K1A<NAME:0><EOR>") << "CALL=K1A,NAME=";
    QTest::newRow("type indicator")
        << QByteArray("<QSO_DATE:8:D>20240305<EOR>") << "QSO_DATE=20240305";
    QTest::newRow("length in bytes")
        << QByteArray("<NAME:7>Jürgen<QTH:4>Roma<EOR>") << "NAME=Jürgen,QTH=Roma";
    QTest::newRow("length in characters")
        << QByteArray("<NAME:6>Jürgen <QTH:4>Köln<EOR>") << "NAME=Jürgen,QTH=Köln";
    QTest::newRow("Latin-1") << QByteArray("<NAME:6>J\xfcrgen<EOR>") << "NAME=Jürgen";
    QTest::newRow("last record without end") << QByteArray("<CALL:3>K1A<EOR><CALL:3>K2B") << calls;
    QTest::newRow("ADX") << QByteArray("<?xml version=\"1.0\"?><ADX><HEADER><ADIF_VER>3.1.4"
                                       "</ADIF_VER></HEADER><RECORDS><RECORD><CALL>K1A</CALL>"
                                       "<APP PROGRAMID=\"tempora\" FIELDNAME=\"Name\">x &amp; y"
                                       "</APP></RECORD><RECORD><CALL>K2B</CALL></RECORD>"
                                       "</RECORDS></ADX>")
                         << "CALL=K1A,APP_TEMPORA_NAME=x & y / CALL=K2B";
}

void TestAdiReader::records() {
    QFETCH(QByteArray, file);
    QFETCH(QString, records);
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<AdifReader> reader = AdifReader::open(buffer);
    QStringList read;
    AdifRecord record;
    while (reader->next(record)) {
        QStringList fields;
        for (const AdifRecord::Field& field : record.fields())
            fields.append(field.name + QLatin1Char('=') + field.value);
        read.append(fields.join(QLatin1Char(',')));
        QCOMPARE(record.number, read.size());
    }
    QVERIFY2(!reader->failed(), qPrintable(reader->lastError()));
    QCOMPARE(read.join(QStringLiteral(" / ")), records);
}

QTEST_GUILESS_MAIN(TestAdiReader)
#include "tst_adireader.moc"
