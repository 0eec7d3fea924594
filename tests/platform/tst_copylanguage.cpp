#include "platform/DatabaseBackup.h"
#include "platform/WholePaths.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBoundaryFinder>

// The copy's failures read in the language of the dialogs that show them.
class TestCopyLanguage : public QObject {
    Q_OBJECT
private slots:
    void failureSpeaksTheLocalesLanguage_data();
    void failureSpeaksTheLocalesLanguage();
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void pathsStayWhole();
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

// A dialog may break its lines before or after a quoted path, not inside it; the rest of the
// text breaks as before.
void TestCopyLanguage::pathsStayWhole() {
    const QString whole = WholePaths::apply(
        QStringLiteral("Copy to \"/media/op/MY-STICK 2.0/Tempora.mdb\"? Yes-or-no"));
    QStringList pieces;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, whole);
    for (qsizetype from = 0; breaks.toNextBoundary() != -1; from = breaks.position())
        pieces << whole.mid(from, breaks.position() - from)
                      .remove(QChar(0x2060))
                      .replace(QChar::Nbsp, ' ');
    QCOMPARE(pieces, QStringList({"Copy ", "to ", "\"/media/op/MY-STICK 2.0/Tempora.mdb\"? ",
                                  "Yes-", "or-", "no"}));
}

QTEST_GUILESS_MAIN(TestCopyLanguage)
#include "tst_copylanguage.moc"
