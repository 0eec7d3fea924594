#include "LogFile.h"
#include "adif/AdiWriter.h"
#include "adif/AdifExporter.h"
#include "adif/AdifImporter.h"
#include "adif/AdifReader.h"
#include "adif/AdxWriter.h"
#include "log/LogSchema.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

// The files other loggers write, the log's fields in the format's terms and back, and imports
// into a real log file that holds one contact at the start.
class TestAdif : public QObject {
    Q_OBJECT
private slots:
    void records_data();
    void records();
    void roundTrip_data();
    void roundTrip();
    void written_data();
    void written();
    void read_data();
    void read();
    void initTestCase();
    void cleanupTestCase();
    void countsDuplicatesAndRefusals_data();
    void countsDuplicatesAndRefusals();
    void failureOrCancelLeavesTheLog();
    void cancelWhileIndexing();
    void cancelWhileExporting();

private:
    QString write(const QString& name, const QByteArray& contents);
    // A new log holding the contact of initTestCase and `others` contacts without date.
    QString newLog(const QString& name, int others);

    QTemporaryDir m_folder;
    const QString m_log = m_folder.filePath(QStringLiteral("Tempora.mdb"));
    sqlite3* m_db = nullptr;
};

namespace {

const AdifMapping kMapping(QStringLiteral(":"));

LogContact contactOf(const QStringList& fields) {
    LogContact contact;
    for (int field = 0; field < LogContact::FieldCount; ++field)
        contact[field] = fields.value(field).toUtf8();
    return contact;
}

QString joined(const LogContact& contact) {
    QStringList fields;
    for (const QByteArray& field : contact.fields)
        fields.append(QString::fromUtf8(field));
    return fields.join(QLatin1Char('|'));
}

QByteArray exported(const LogContact& contact, AdifMapping::Form form,
                    std::optional<int> difference) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    AdiWriter adi;
    AdxWriter adx;
    AdifWriter& writer = form == AdifMapping::Form::Adx ? static_cast<AdifWriter&>(adx) : adi;
    writer.begin(buffer, QDateTime::currentDateTimeUtc());
    AdifRecord record;
    kMapping.record(contact, form, difference, record, nullptr);
    writer.write(record);
    writer.finish();
    return buffer.data();
}

// The contact read from the file's first record, or the reason it is refused.
QString readBack(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    AdifRecord record;
    LogContact contact;
    QString reason = QStringLiteral("no record");
    if (AdifReader::open(buffer)->next(record) && kMapping.contact(record, contact, reason))
        return joined(contact);
    return reason;
}

// The log's indexes as stored, and its own check: both as a new log has them.
QStringList soundSchema(const QString& log) {
    LogFile file(log);
    QStringList schema =
        file.rows(QStringLiteral("SELECT name, sql FROM sqlite_master ORDER BY name"));
    if (file.rows(QStringLiteral("PRAGMA integrity_check")) != QStringList{QStringLiteral("ok")})
        schema.append(QStringLiteral("damaged"));
    return schema;
}

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
Connection openLog(const QString& log) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(log).constData(), &db);
    return Connection(db, &sqlite3_close);
}

} // namespace

void TestAdif::records_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("records");
    const QByteArray two = "<CALL:3>K1A<EOR>\n<CALL:3>K2B<EOR>\n";
    const QString calls = QStringLiteral("CALL=K1A / CALL=K2B");
    QTest::newRow("text header") << "Log of K9X\n<ADIF_VER:5>3.1.4\n<EOH>\n" + two << calls;
    QTest::newRow("header from a tag") << "<ADIF_VER:5>3.1.4<PROGRAMID:1>X<EOH>" + two << calls;
    QTest::newRow("tags in any case") << QByteArray("<call:3>K1A<eor><Call:3>K2B<Eor>") << calls;
    QTest::newRow("ADX after a byte-order mark")
        << QByteArray("\xef\xbb\xbf<ADX><RECORDS><RECORD><CALL>K1A</CALL></RECORD></RECORDS></ADX>")
        << "CALL=K1A";
    QTest::newRow("CR LF, text between") << QByteArray("<QTH:2>WI // W\r\n<EOR>\r\n") << "QTH=WI";
    QTest::newRow("value with tags") << QByteArray("<NOTE:6><EOR>!<EOR>") << "NOTE=<EOR>!";
    QTest::newRow("no length, stray >") << QByteArray("<QTH:1>X<APP_MARK> > <EOR>") << "QTH=X";
    QTest::newRow("zero length") << QByteArray("<CALL:3>K1A<NAME:0><EOR>") << "CALL=K1A,NAME=";
    QTest::newRow("type indicator") << QByteArray("<QTH:4:S>Roma<EOR>") << "QTH=Roma";
    QTest::newRow("bytes") << QByteArray("<NAME:7>Jürgen<QTH:1>X<EOR>") << "NAME=Jürgen,QTH=X";
    QTest::newRow("characters") << QByteArray("<NAME:4>Jürg <QTH:1>X<EOR>") << "NAME=Jürg,QTH=X";
    QTest::newRow("Latin-1") << QByteArray("<NAME:6>J\xfcrgen<EOR>") << "NAME=Jürgen";
    QTest::newRow("last record without end") << QByteArray("<CALL:3>K1A<EOR><CALL:3>K2B") << calls;
}

void TestAdif::records() {
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
            fields.append(QString::fromUtf8(field.name + '=' + field.value));
        read.append(fields.join(QLatin1Char(',')));
        QCOMPARE(record.number, read.size());
    }
    QVERIFY2(!reader->failed(), qPrintable(reader->lastError()));
    QCOMPARE(read.join(QStringLiteral(" / ")), records);
}

void TestAdif::roundTrip_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("as typed") << QStringList{"2024-03-05", "23:58:10 ", "00:03:00 ",       "ik2abc",
                                             "Müller",     "Zürich",    "IK2XYZ",          "20m",
                                             "14074",      "usb",       "line 1\r\nline 2"};
    QTest::newRow("unreadable values") << QStringList{
        "5 marzo", "14.05 ", "", "I1 <X>", "", "", "", "top", "?", "", "<EOR> & <b>\x01\x1b"};
    QTest::newRow("other separator and no seconds") << QStringList{
        "2024-03-05", "14.05.09 ", "14:10", "IK2ABC", "", "", "", "", "14.200", "SSB"};
}

void TestAdif::roundTrip() {
    QFETCH(QStringList, fields);
    for (const AdifMapping::Form form : {AdifMapping::Form::Adi, AdifMapping::Form::Adx})
        QCOMPARE(readBack(exported(contactOf(fields), form, {})), joined(contactOf(fields)));
}

// Each row sets one field of a contact started at 23:30:00 on 2024-03-05; a difference other
// than 0 exports local dates.
void TestAdif::written_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("difference");
    QTest::addColumn<QString>("expected");
    const int start = LogContact::TimeInit;
    QTest::newRow("end after midnight") << int(LogContact::TimeEnd) << "00:10:00 " << 0
                                        << "<QSO_DATE_OFF:8>20240306 <TIME_OFF:6>001000";
    QTest::newRow("local ahead") << start << "23:30:00 " << 3600 << "<QSO_DATE:8>20240304";
    QTest::newRow("local behind") << start << "00:30:00 " << -3600 << "<QSO_DATE:8>20240306";
    QTest::newRow("no midnight between") << start << "00:30:00 " << 3600 << "<QSO_DATE:8>20240305";
    const int band = LogContact::Band;
    QTest::newRow("metres before MHz") << band << "2" << 0 << "<BAND:2>2m";
    QTest::newRow("kHz, blank and capital") << band << "7050 KHz" << 0 << "<BAND:3>40m";
    QTest::newRow("no band, own field") << band << "27" << 0 << "K1A <APP_TEMPORA_BAND:2>27";
    const int frequency = LogContact::Frequency;
    QTest::newRow("kHz, band from it") << frequency << "7074" << 0 << "<BAND:3>40m <FREQ:5>7.074";
    QTest::newRow("MHz as typed") << frequency << "14.0740" << 0 << "<FREQ:7>14.0740";
    const int mode = LogContact::Mode;
    QTest::newRow("submode") << mode << "usb" << 0 << "<MODE:3>SSB <SUBMODE:3>USB";
    QTest::newRow("submode with a blank")
        << mode << "Olivia 8/250" << 0 << "<MODE:6>OLIVIA <SUBMODE:12>OLIVIA 8/250";
    QTest::newRow("mode named like submodes") << mode << "OLIVIA" << 0 << "<MODE:6>OLIVIA <EOR>";
    const int name = LogContact::Name;
    QTest::newRow("accent, own field in bytes")
        << name << "Jürgen" << 0 << "<NAME:6>Jurgen <APP_TEMPORA_NAME:7>Jürgen";
    QTest::newRow("spelt out, no ASCII letter")
        << name << "Straße 東😀" << 0 << "<NAME:10>Strasse ??";
}

void TestAdif::written() {
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(int, difference);
    QFETCH(QString, expected);
    LogContact contact = contactOf({"2024-03-05", "23:30:00 ", "", "K1A"});
    contact[field] = value.toUtf8();
    const QByteArray text = exported(contact, AdifMapping::Form::Adi,
                                     difference ? std::optional<int>(difference) : std::nullopt);
    QVERIFY2(text.contains(expected.toUtf8()), text.constData());
}

void TestAdif::read_data() {
    QTest::addColumn<QByteArray>("adif");
    QTest::addColumn<QString>("contact");
    const QByteArray base = "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:4>1405";
    const QString fields = QStringLiteral("2024-03-05|14:05:00 ||K1AB|");
    QTest::newRow("international name wins")
        << base + "<NAME:4>Rene<NAME_INTL:5>René<EOR>" << fields + "René||||||";
    QTest::newRow("submode wins, comment is the note")
        << base + "<MODE:4>MFSK<SUBMODE:3>FT4<COMMENT:2>hi<EOR>" << fields + "|||||FT4|hi";
    QTest::newRow("no call") << QByteArray("<QSO_DATE:8>20240305<TIME_ON:4>1405<EOR>") << "no CALL";
    QTest::newRow("unreadable date")
        << QByteArray("<CALL:2>K1<QSO_DATE:8>20241305<TIME_ON:4>1405<EOR>")
        << "QSO_DATE \"20241305\" is not a date (yyyyMMdd)";
    QTest::newRow("unreadable end") << base + "<TIME_OFF:4>2460<EOR>"
                                    << "TIME_OFF \"2460\" is not a time (HHmm or HHmmss)";
}

void TestAdif::read() {
    QFETCH(QByteArray, adif);
    QFETCH(QString, contact);
    QCOMPARE(readBack(adif), contact);
}

void TestAdif::initTestCase() {
    QVERIFY(LogSchema().create(m_log));
    QCOMPARE(sqlite3_open(QFile::encodeName(m_log).constData(), &m_db), SQLITE_OK);
    LogFile(m_log).execute(
        QStringLiteral("INSERT INTO Log1 ([QSO Date],[Time Init],OM_Call,Band,Mode) VALUES "
                       "('2024-03-05','14:05:09 ','IK2ABC','20','USB')"));
}

void TestAdif::cleanupTestCase() {
    sqlite3_close(m_db);
}

QString TestAdif::newLog(const QString& name, int others) {
    const QString log = m_folder.filePath(name);
    if (!QFile::copy(m_log, log))
        qFatal("cannot copy the log");
    LogFile(log).addMany(others, QStringLiteral("P"));
    return log;
}

QString TestAdif::write(const QString& name, const QByteArray& contents) {
    QFile file(m_folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write the fixture");
    return file.fileName();
}

// The same file into logs ever larger against it: the import builds the indexes again, reads
// the keys of the whole log, or those of the file's dates only.
void TestAdif::countsDuplicatesAndRefusals_data() {
    QTest::addColumn<int>("others");
    QTest::newRow("indexes built again") << 0;
    QTest::newRow("whole log read") << 20;
    QTest::newRow("dates looked up") << 1000;
}

void TestAdif::countsDuplicatesAndRefusals() {
    QFETCH(int, others);
    const QString log = newLog(QStringLiteral("counts-%1.mdb").arg(others), others);
    const QStringList schema = soundSchema(m_log);
    // The log's contact again, with other seconds and the band and mode in the format's terms;
    // a new one twice; one without call.
    const QString file = write(
        "other.adi", "<CALL:6>ik2abc<QSO_DATE:8>20240305<TIME_ON:6>140550<BAND:3>20M<MODE:3>SSB"
                     "<SUBMODE:3>USB<EOR>\n"
                     "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:4>1405<FREQ:6>14.200<EOR>\n"
                     "<CALL:4>K1AB<QSO_DATE:8>20240305<TIME_ON:6>140559<BAND:3>20m<EOR>\n"
                     "<QSO_DATE:8>20240305<TIME_ON:4>1405<EOR>\n");
    const Connection connection = openLog(log);
    AdifImporter importer(connection.get(), kMapping);
    QList<qint64> refused;
    importer.setRefusals([&](const AdifImporter::Refusal& refusal) { refused += refusal.record; });
    QVERIFY2(importer.run({file}), qPrintable(importer.lastError()));
    QCOMPARE(QList<qint64>({importer.imported(), importer.duplicates(), importer.refused()}),
             QList<qint64>({1, 2, 1}));
    QCOMPARE(refused, QList<qint64>{4});
    QCOMPARE(LogFile(log).rows("SELECT OM_Call FROM Log1 WHERE [QSO Date] IS NOT NULL"),
             (QStringList{"IK2ABC", "K1AB"}));
    QCOMPARE(soundSchema(log), schema);
}

// A new contact goes in first; then the import meets a broken file, or is cancelled.
void TestAdif::failureOrCancelLeavesTheLog() {
    const int contacts = LogFile(m_log).count();
    const QString one = write("one.adi", "<CALL:3>K1A<QSO_DATE:8>20240305<TIME_ON:4>1200<EOR>");
    AdifImporter importer(m_db, kMapping);
    QVERIFY(!importer.run({one, write("broken.adx", "<?xml version=\"1.0\"?><ADX></HEADER>")}));
    QVERIFY2(importer.lastError().startsWith("cannot read"), qPrintable(importer.lastError()));
    // Many records, so that Cancel comes while the file is still being read.
    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many += "<CALL:3>K1B<QSO_DATE:8>20240305<TIME_ON:4>" + QByteArray::number(1000 + i % 1000) +
                "<EOR>\n";
    importer.setProgress([](qint64, qint64) { return false; });
    QVERIFY(!importer.run({write("many.adi", many)}));
    QCOMPARE(importer.lastError(), "cancelled");
    QCOMPARE(importer.imported(), 0);
    QCOMPARE(LogFile(m_log).count(), contacts);
}

// A file big against the log: Cancel is heard while the indexes are built again, and the log
// keeps its contacts and indexes.
void TestAdif::cancelWhileIndexing() {
    const QString log = newLog(QStringLiteral("cancel.mdb"), 40000);
    const QStringList schema = soundSchema(log);
    QByteArray records;
    for (int i = 0; i < 10000; ++i)
        records +=
            QStringLiteral("<CALL:6>K%1<QSO_DATE:8>20240305<TIME_ON:4>1200<NOTES:100>%2<EOR>\n")
                .arg(i, 5, 10, QLatin1Char('0'))
                .arg(QString(100, QLatin1Char('n')))
                .toLatin1();
    const Connection connection = openLog(log);
    AdifImporter importer(connection.get(), kMapping);
    qint64 cancelledAt = -1;
    // The first half is the file's.
    importer.setProgress([&](qint64 done, qint64 total) {
        cancelledAt = done * 100 / total;
        return done <= total / 2;
    });
    QVERIFY(!importer.run({write("big.adi", records)}));
    QCOMPARE(importer.lastError(), "cancelled");
    QVERIFY2(cancelledAt > 50 && cancelledAt < 100, qPrintable(QString::number(cancelledAt)));
    QCOMPARE(LogFile(log).count(), 40001);
    QCOMPARE(soundSchema(log), schema);
}

// Cancel while the log is still being read stops the export there.
void TestAdif::cancelWhileExporting() {
    const QString log = newLog(QStringLiteral("export.mdb"), 20000);
    const Connection connection = openLog(log);
    AdifExporter exporter(connection.get(), kMapping);
    exporter.setProgress([](qint64, qint64) { return false; });
    QBuffer file;
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(!exporter.run(file, {}, QDateTime::currentDateTimeUtc()));
    QCOMPARE(exporter.lastError(), "cancelled");
    QVERIFY2(exporter.exported() > 0 && exporter.exported() < 20001,
             qPrintable(QString::number(exporter.exported())));
}

QTEST_GUILESS_MAIN(TestAdif)
#include "tst_adif.moc"
