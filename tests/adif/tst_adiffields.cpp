#include "adif/AdiReader.h"
#include "adif/AdiWriter.h"
#include "adif/AdifBand.h"
#include "adif/AdifFrequency.h"
#include "adif/AdifMapping.h"
#include "adif/AdifMode.h"
#include "adif/AdxReader.h"
#include "adif/AdxWriter.h"
#include "adif/AsciiText.h"

#include <QBuffer>
#include <QTest>

// The log's fields in the format's terms and back, through the real writers and readers.
class TestAdifFields : public QObject {
    Q_OBJECT
private slots:
    void band_data();
    void band();
    void frequency_data();
    void frequency();
    void mode_data();
    void mode();
    void ascii_data();
    void ascii();
    void roundTrip_data();
    void roundTrip();
    void exportedField_data();
    void exportedField();
    void readBack_data();
    void readBack();
};

void TestAdifFields::band_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("band");
    QTest::newRow("enumeration") << "20m"
                                 << "20m";
    QTest::newRow("metres without unit") << "20"
                                         << "20m";
    QTest::newRow("blank and capital") << "20 M"
                                       << "20m";
    QTest::newRow("MHz without unit") << "14"
                                      << "20m";
    QTest::newRow("metres before MHz") << "2"
                                       << "2m";
    QTest::newRow("MHz with unit") << "14 MHz"
                                   << "20m";
    QTest::newRow("decimal comma") << "3,5"
                                   << "80m";
    QTest::newRow("kHz") << "7050 kHz"
                         << "40m";
    QTest::newRow("centimetres") << "70 cm"
                                 << "70cm";
    QTest::newRow("UHF in MHz") << "432"
                                << "70cm";
    QTest::newRow("outside every band") << "27"
                                        << "";
    QTest::newRow("words") << "top band"
                           << "";
}

void TestAdifFields::band() {
    QFETCH(QString, text);
    QFETCH(QString, band);
    QCOMPARE(AdifBand::ofText(text), band);
}

void TestAdifFields::frequency_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mhz");
    QTest::newRow("MHz as typed") << "14.0740"
                                  << "14.0740";
    QTest::newRow("kHz in a band") << "14074"
                                   << "14.074";
    QTest::newRow("Hz in a band") << "7100000"
                                  << "7.1";
    QTest::newRow("kHz unit") << "144300 kHz"
                              << "144.3";
    QTest::newRow("GHz unit") << "10.368GHz"
                              << "10368";
    QTest::newRow("kHz below one MHz") << "475 kHz"
                                       << "0.475";
    QTest::newRow("decimal comma") << "7,074"
                                   << "7.074";
    QTest::newRow("outside every band stays MHz") << "27.555"
                                                  << "27.555";
    QTest::newRow("no number") << "?"
                               << "";
}

void TestAdifFields::frequency() {
    QFETCH(QString, text);
    QFETCH(QString, mhz);
    QCOMPARE(AdifFrequency::megahertz(text), mhz);
}

void TestAdifFields::mode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("submode");
    QTest::newRow("USB") << "usb"
                         << "SSB"
                         << "USB";
    QTest::newRow("LSB") << "LSB"
                         << "SSB"
                         << "LSB";
    QTest::newRow("FT8 is a mode") << "FT8"
                                   << "FT8"
                                   << "";
    for (const char* name : {"FT4", "JS8", "FST4", "Q65"})
        QTest::newRow(name) << name << "MFSK" << name;
    QTest::newRow("submode with a blank") << "Olivia 8/250"
                                          << "OLIVIA"
                                          << "OLIVIA 8/250";
    QTest::newRow("mode named like its submodes") << "OLIVIA"
                                                  << "OLIVIA"
                                                  << "";
    QTest::newRow("unknown goes out in capitals") << "phone"
                                                  << "PHONE"
                                                  << "";
}

void TestAdifFields::mode() {
    QFETCH(QString, text);
    QFETCH(QString, mode);
    QFETCH(QString, submode);
    const AdifMode::Pair pair = AdifMode::of(text);
    QCOMPARE(pair.mode, mode);
    QCOMPARE(pair.submode, submode);
}

void TestAdifFields::ascii_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ascii");
    QTest::newRow("accent") << "Müller"
                            << "Muller";
    QTest::newRow("spelt out") << "Straße Øst"
                               << "Strasse Ost";
    QTest::newRow("no ASCII letter") << "東京 😀"
                                     << "?? ?";
}

void TestAdifFields::ascii() {
    QFETCH(QString, text);
    QFETCH(QString, ascii);
    QCOMPARE(AsciiText::of(text), ascii);
}

namespace {

// The dates as stored, not moved from local time.
constexpr int kStored = std::numeric_limits<int>::min();

LogContact contactOf(const QStringList& fields) {
    LogContact contact;
    for (int field = 0; field < LogContact::FieldCount; ++field)
        contact[field] = fields.value(field);
    return contact;
}

QByteArray written(const LogContact& contact, AdifMapping::Form form,
                   std::optional<int> localDifference = {}) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::unique_ptr<AdifWriter> writer;
    if (form == AdifMapping::Form::Adx)
        writer = std::make_unique<AdxWriter>();
    else
        writer = std::make_unique<AdiWriter>();
    const AdifMapping mapping(QStringLiteral(":"));
    writer->begin(buffer, QDateTime::currentDateTimeUtc());
    writer->write(mapping.record(contact, form, localDifference, nullptr));
    writer->finish();
    return buffer.data();
}

AdifRecord readOne(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    AdifRecord record;
    if (!AdifReader::open(buffer)->next(record))
        record.add(QStringLiteral("NO RECORD"), QString());
    return record;
}

} // namespace

void TestAdifFields::roundTrip_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("plain") << QStringList{"2024-03-05", "14:05:09 ", "14:10:00 ", "IK2ABC",
                                          "Mario",      "Roma",      "IK2XYZ",    "20m",
                                          "14.200",     "SSB",       "ok"};
    QTest::newRow("as typed") << QStringList{
        "2024-03-05", "23:58:10 ", "00:03:00 ", "ik2abc", "Müller",          "Zürich",
        "",           "20",        "14074",     "usb",    "line 1\r\nline 2"};
    QTest::newRow("unreadable values") << QStringList{
        "5 marzo", "14.05 ", "", "I1 <X>", "", "", "", "top", "?", "", "<EOR> & <b>"};
    QTest::newRow("other separator and no seconds")
        << QStringList{"2024-03-05", "14.05.09 ", "14:10", "IK2ABC"};
}

void TestAdifFields::roundTrip() {
    QFETCH(QStringList, fields);
    const LogContact contact = contactOf(fields);
    const AdifMapping mapping(QStringLiteral(":"));
    for (const AdifMapping::Form form : {AdifMapping::Form::Adi, AdifMapping::Form::Adx}) {
        LogContact back;
        QString reason;
        mapping.contact(readOne(written(contact, form)), back, reason);
        const QStringList expected(contact.fields.begin(), contact.fields.end());
        QCOMPARE(QStringList(back.fields.begin(), back.fields.end()), expected);
    }
}

void TestAdifFields::exportedField_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("localDifference");
    QTest::addColumn<QString>("expected");
    const QStringList late{"2024-03-05", "23:30:00 ", "00:10:00 ", "IK2ABC"};
    const QStringList early{"2024-03-05", "00:30:00 ", "", "IK2ABC"};
    QTest::newRow("end after midnight") << late << kStored << "<QSO_DATE_OFF:8>20240306";
    QTest::newRow("local time ahead, past midnight") << late << 3600 << "<QSO_DATE:8>20240304";
    QTest::newRow("local time behind, before midnight") << early << -3600 << "<QSO_DATE:8>20240306";
    QTest::newRow("no midnight between") << early << 3600 << "<QSO_DATE:8>20240305";
    QTest::newRow("times without separator")
        << late << kStored << "<TIME_ON:6>233000 <QSO_DATE_OFF:8>20240306 <TIME_OFF:6>001000";
    QTest::newRow("band from the frequency")
        << QStringList{"2024-03-05", "", "", "K1A", "", "", "", "", "7074"} << kStored
        << "<BAND:3>40m <FREQ:5>7.074";
    QTest::newRow("length in bytes")
        << QStringList{"", "", "", "K1A", "Jürgen"} << kStored << "<APP_TEMPORA_NAME:7>Jürgen";
}

void TestAdifFields::exportedField() {
    QFETCH(QStringList, fields);
    QFETCH(int, localDifference);
    QFETCH(QString, expected);
    const QByteArray text =
        written(contactOf(fields), AdifMapping::Form::Adi,
                localDifference == kStored ? std::nullopt : std::optional<int>(localDifference));
    QVERIFY2(text.contains(expected.toUtf8()), text.constData());
}

void TestAdifFields::readBack_data() {
    QTest::addColumn<QByteArray>("adif");
    QTest::addColumn<QString>("contact");
    const QByteArray base = "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:4>1405";
    const QString fields = QStringLiteral("2024-03-05|14:05:00 ||K1AB|");
    QTest::newRow("minutes only") << base + "<EOR>" << fields + "||||||";
    QTest::newRow("international name wins")
        << base + "<NAME:4>Rene<NAME_INTL:5>René<EOR>" << fields + "René||||||";
    QTest::newRow("submode wins, comment is the note")
        << base + "<MODE:4>MFSK<SUBMODE:3>FT4<COMMENT:2>hi<EOR>" << fields + "|||||FT4|hi";
    QTest::newRow("header and own fields of other programs ignored")
        << base + "<PROGRAMID:3>XYZ<APP_XYZ_NAME:3>Bob<USERDEF1:1>x<EOR>" << fields + "||||||";
    QTest::newRow("no call") << QByteArray("<QSO_DATE:8>20240305<TIME_ON:4>1405<EOR>") << "no CALL";
    QTest::newRow("no start time")
        << QByteArray("<CALL:2>K1<QSO_DATE:8>20240305<EOR>") << "no TIME_ON";
    QTest::newRow("unreadable date")
        << QByteArray("<CALL:2>K1<QSO_DATE:8>20241305<TIME_ON:4>1405<EOR>")
        << "QSO_DATE \"20241305\" is not a date (yyyyMMdd)";
    QTest::newRow("unreadable end") << base + "<TIME_OFF:4>2460<EOR>"
                                    << "TIME_OFF \"2460\" is not a time (HHmm or HHmmss)";
}

void TestAdifFields::readBack() {
    QFETCH(QByteArray, adif);
    QFETCH(QString, contact);
    LogContact back;
    QString reason;
    const bool taken = AdifMapping(QStringLiteral(":")).contact(readOne(adif), back, reason);
    QStringList fields(back.fields.begin(), back.fields.end());
    QCOMPARE(taken ? fields.join(QLatin1Char('|')) : reason, contact);
}

QTEST_GUILESS_MAIN(TestAdifFields)
#include "tst_adiffields.moc"
