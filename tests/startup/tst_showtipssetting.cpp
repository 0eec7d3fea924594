#include "platform/SettingsStore.h"
#include "startup/ShowTipsSetting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The setting that gates the information window: how a stored text is read, and how the real
// store finds it in the user's INI file.
class TestShowTipsSetting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void storedText_data();
    void storedText();
    void iniFile_data();
    void iniFile();

private:
    QTemporaryDir m_config;
};

void TestShowTipsSetting::initTestCase() {
    QVERIFY(m_config.isValid());
    // Before the first QSettings: it fixes the configuration folder once per process.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void TestShowTipsSetting::storedText_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("shows");
    QTest::newRow("signed 0") << "-0" << false;
    QTest::newRow("blanks around 0") << " 0 " << false;
    QTest::newRow("negative") << "-1" << true;
    QTest::newRow("beyond 64 bits") << "99999999999999999999" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("fraction") << "0.4" << true;
}

void TestShowTipsSetting::storedText() {
    QFETCH(QString, stored);
    QFETCH(bool, shows);
    QCOMPARE(ShowTipsSetting::showsWindow(stored), shows);
}

void TestShowTipsSetting::iniFile_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("read");
    QTest::newRow("key as QSettings writes it")
        << QByteArray("[Options]\nShow%20Tips%20at%20Startup=0\n") << "0";
    QTest::newRow("key with literal blanks")
        << QByteArray("[Options]\nShow Tips at Startup=0\n") << "0";
    QTest::newRow("other section")
        << QByteArray("[General]\nShow%20Tips%20at%20Startup=0\n") << "1";
    QTest::newRow("no file") << QByteArray() << "1";
}

void TestShowTipsSetting::iniFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, read);
    // One application key per row: QSettings keeps a file it has read and trusts its time stamp.
    const QString applicationKey = QStringLiteral("tempora-%1").arg(QTest::currentDataTag());
    const QString folder = m_config.path() + '/' + applicationKey;
    if (!content.isEmpty()) {
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + '/' + applicationKey + ".ini");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
    const IniSettingsStore store(applicationKey);
    QCOMPARE(store.value("Options", "Show Tips at Startup", "1"), read);
}

QTEST_MAIN(TestShowTipsSetting)
#include "tst_showtipssetting.moc"
