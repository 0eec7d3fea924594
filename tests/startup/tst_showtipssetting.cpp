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
    void storedText() {
        for (const char* hides : {"-0", " 0 "})
            QVERIFY2(!ShowTipsSetting::showsWindow(hides), hides);
        for (const char* shows : {"99999999999999999999", "", "0.4"})
            QVERIFY2(ShowTipsSetting::showsWindow(shows), shows);
    }

    void iniFile() {
        QTemporaryDir config;
        // Before the first QSettings: it fixes the configuration folder once per process.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        // One application key per file: QSettings keeps a file it has read.
        int files = 0;
        for (const auto& [content, read] :
             {std::pair{"[Options]\nShow%20Tips%20at%20Startup=0", "0"},
              {"[Options]\nShow Tips at Startup=0", "0"},
              {"[General]\nShow%20Tips%20at%20Startup=0", "1"},
              {"", "1"}}) {
            const QString key = QString("tempora%1").arg(++files);
            if (*content) {
                QVERIFY(QDir(config.path()).mkpath(key));
                QFile file(config.path() + '/' + key + '/' + key + ".ini");
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) > 0);
            }
            QCOMPARE(IniSettingsStore(key).value("Options", "Show Tips at Startup", "1"), read);
        }
    }
};

QTEST_MAIN(TestShowTipsSetting)
#include "tst_showtipssetting.moc"
