#include "platform/DatabaseBackup.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

// The copy's failures read in the language of the dialogs that show them.
class TestCopyLanguage : public QObject {
    Q_OBJECT
private slots:
    void failureSpeaksTheLocalesLanguage_data();
    void failureSpeaksTheLocalesLanguage();
    void cleanup() { QLocale::setDefault(QLocale::c()); }
};

void TestCopyLanguage::failureSpeaksTheLocalesLanguage_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Italian") << QLocale(QLocale::Italian, QLocale::Italy)
                             << QStringLiteral("Impossibile copiare \"%1\" in \"%2\": file o "
                                               "cartella inesistente");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << QStringLiteral("Cannot copy \"%1\" to \"%2\": No such file or "
                                               "directory");
}

void TestCopyLanguage::failureSpeaksTheLocalesLanguage() {
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);
    const QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("missing.mdb"));
    const QString target = folder.filePath(QStringLiteral("copy.mdb"));
    DatabaseBackup backup;
    QCOMPARE(backup.copy(source, target), DatabaseBackup::Outcome::Failed);
    QCOMPARE(backup.lastError(), expected.arg(source, target));
}

QTEST_GUILESS_MAIN(TestCopyLanguage)
#include "tst_copylanguage.moc"
