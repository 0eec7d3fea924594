#include "GuiTest.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "startup/FrmTip.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using GuiTest::child;

namespace {
const QString section = QStringLiteral("Options");
const QString key = QStringLiteral("Show Tips at Startup");
} // namespace

// The information window: gated by its setting at every load, closed by OK, Enter or Escape.
class TestFrmTip : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void settingDecidesWhetherItOpens_data();
    void settingDecidesWhetherItOpens();
    void closing_data();
    void closing();
    void descriptionText();

private:
    FrmTip* showActive();

    std::unique_ptr<TestServices> m_test;
    std::unique_ptr<Windows> m_windows;
};

void TestFrmTip::init() {
    m_test = std::make_unique<TestServices>();
    m_windows = std::make_unique<Windows>(m_test->services);
}

void TestFrmTip::cleanup() {
    QVERIFY(m_test->errors.failures().isEmpty());
    QVERIFY(m_test->dialogs.messages().isEmpty());
    m_windows.reset();
    m_test.reset();
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

FrmTip* TestFrmTip::showActive() {
    FrmTip* tip = m_windows->frmTip().show();
    if (tip && !QTest::qWaitForWindowActive(tip))
        qWarning("the information window did not become active");
    return tip;
}

void TestFrmTip::settingDecidesWhetherItOpens_data() {
    QTest::addColumn<QVariant>("stored"); // invalid: no stored setting
    QTest::addColumn<bool>("opens");
    QTest::newRow("absent") << QVariant() << true;
    QTest::newRow("0") << QVariant("0") << false;
    QTest::newRow("1") << QVariant("1") << true;
    QTest::newRow("7") << QVariant("7") << true;
    QTest::newRow("not a number") << QVariant("no") << true;
}

void TestFrmTip::settingDecidesWhetherItOpens() {
    QFETCH(QVariant, stored);
    QFETCH(bool, opens);
    if (stored.isValid()) {
        // Read at every load: opened once with "1" and closed before the setting changes.
        m_test->settings.set(section, key, QStringLiteral("1"));
        QVERIFY(m_windows->frmTip().show()->unload());
        m_test->settings.set(section, key, stored.toString());
    }
    QSignalSpy ended(m_windows.get(), &Windows::lastWindowUnloaded);

    FrmTip* tip = showActive();

    QCOMPARE(tip != nullptr, opens);
    QCOMPARE(m_windows->frmTip().isLoaded(), opens);
    QCOMPARE(m_test->settings.reads(), stored.isValid() ? 2 : 1);
    if (opens) {
        QVERIFY(tip->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(tip, "cmdOK"));
    }
    // Nothing else was loaded, so a window that closed itself was the last one.
    QCOMPARE(ended.count(), opens ? 0 : 1);
}

void TestFrmTip::closing_data() {
    QTest::addColumn<int>("key"); // 0: a click on OK
    QTest::addColumn<QString>("receiver");
    QTest::addColumn<bool>("closes");
    QTest::newRow("OK clicked") << 0 << "cmdOK" << true;
    QTest::newRow("Enter on OK") << int(Qt::Key_Return) << "cmdOK" << true;
    QTest::newRow("keypad Enter on OK") << int(Qt::Key_Enter) << "cmdOK" << true;
    QTest::newRow("Escape on OK") << int(Qt::Key_Escape) << "cmdOK" << true;
    QTest::newRow("Enter on the text") << int(Qt::Key_Return) << "Label1" << true;
    QTest::newRow("Escape on the text") << int(Qt::Key_Escape) << "Label1" << true;
    QTest::newRow("a letter keeps it open") << int(Qt::Key_X) << "cmdOK" << false;
}

void TestFrmTip::closing() {
    QFETCH(int, key);
    QFETCH(QString, receiver);
    QFETCH(bool, closes);
    FrmTip* tip = showActive();
    QVERIFY(tip);
    auto* target = child<QWidget>(tip, receiver);
    if (key == 0)
        GuiTest::clickCentre(target);
    else
        QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(!m_windows->frmTip().isLoaded(), closes);
}

void TestFrmTip::descriptionText() {
    FrmTip* tip = m_windows->frmTip().show();
    QVERIFY(tip);
    QCOMPARE(
        child<QLabel>(tip, "Label1")->text(),
        QStringLiteral(
            "Tempora, by Q0ZZZ, è un programma per la gestione del Log di stazione di "
            "Radioamatore che offre una semplificazione e velocizzazione delle procedure per la "
            "memorizzazione dei dati: \"DATA\" - \"TIME INIT\" - TIME END\" del QSO. Permette "
            "infatti di memorizzare nelle relative finestre, cliccando direttamente sulle stesse, "
            "gli orari UTC di inizio e fine QSO, trasferendoli direttamente nel Log con un doppio "
            "click sulla colonna \"CALL\", nonché di conoscere la differenza, rispetto "
            "all'orario UTC, dei paesi inseriti. Nella cartella Tempora è presente il file di "
            "testo: \"Savetime\". Per settare la differenza orario locale, rispetto all'orario "
            "UTC, aprirlo, modificarlo e salvarlo. E' consigliabile non modificare il percorso di "
            "installazione del programma.   Per qualsiasi richiesta di chiarimenti, è sufficiente "
            "inviare un'e-mail all'indirizzo: q0zzz@example.org.  Ottimi DX e '73 !"));
}

QTEST_MAIN(TestFrmTip)
#include "tst_frmtip.moc"
