#include "GuiTest.h"
#include "LogFile.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "backup/Form2.h"
#include "log/LogSchema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/resource.h>

namespace {

// A medium that fills up: while it lives no file of this process grows past the limit, and a
// write beyond it fails (EFBIG) instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limited{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    void (*m_oldHandler)(int);
    rlimit m_old{};
};

// Every name in the folder, hidden ones included.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

enum class Medium { Ready, Missing, IsTheLogFolder, FillsUp };
Q_DECLARE_METATYPE(Medium)
enum class Log { Filled, Absent, PlainText };
Q_DECLARE_METATYPE(Log)

// The backup window with the program's own copier, between two temporary folders.
class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void copy_data();
    void copy();
};

void TestForm2::cleanup() {
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

void TestForm2::copy_data() {
    QTest::addColumn<Medium>("medium");
    QTest::addColumn<Log>("log");
    QTest::addColumn<bool>("olderBackup");
    QTest::addColumn<int>("answer");  // to the replace question: -1 none asked, 0 no, 1 yes
    QTest::addColumn<bool>("cancel"); // in the progress display, with every page copied
    QTest::addColumn<int>("code");    // the number the window shows, 0 for none

    const Medium ready = Medium::Ready;
    const Log filled = Log::Filled;
    QTest::newRow("empty medium") << ready << filled << false << -1 << false << 0;
    QTest::newRow("yes to replace") << ready << filled << true << 1 << false << 0;
    QTest::newRow("no to replace") << ready << filled << true << 0 << false << 0;
    QTest::newRow("cancel before the check") << ready << filled << true << 1 << true << 0;
    QTest::newRow("no medium folder")
        << Medium::Missing << filled << false << -1 << false << ENOENT;
    QTest::newRow("medium is the log's folder")
        << Medium::IsTheLogFolder << filled << false << -1 << false << EINVAL;
    QTest::newRow("medium fills up") << Medium::FillsUp << filled << true << 1 << false << EFBIG;
    QTest::newRow("no log") << ready << Log::Absent << true << -1 << false << ENOENT;
    QTest::newRow("log is no database") << ready << Log::PlainText << true << -1 << false << EIO;
}

void TestForm2::copy() {
    QFETCH(Medium, medium);
    QFETCH(Log, log);
    QFETCH(bool, olderBackup);
    QFETCH(int, answer);
    QFETCH(bool, cancel);
    QFETCH(int, code);
    TestServices test;
    Windows windows(test.services);
    const QString folder = test.backupFolder();
    const QString backup = folder + QStringLiteral("/Tempora.mdb");
    constexpr int rows = 2000;
    if (log == Log::Filled) {
        test.createLog();
        LogFile(test.logPath()).addMany(rows, QStringLiteral("IK0"));
    }
    if (log == Log::PlainText) {
        test.writeDifferenceFile("01.00.00");
        QVERIFY(QFile::copy(test.differencePath(), test.logPath()));
    }
    if (olderBackup) {
        QVERIFY(LogSchema().create(backup));
        LogFile(backup).addMany(1, QStringLiteral("OLD"));
    }
    if (medium == Medium::Missing || medium == Medium::IsTheLogFolder)
        QVERIFY(QDir(folder).removeRecursively());
    if (medium == Medium::IsTheLogFolder)
        QVERIFY(QFile::link(test.installationFolder(), folder));
    const QStringList entriesBefore = entries(folder);
    const QByteArray older = bytes(backup);
    if (answer >= 0)
        test.dialogs.queueAnswer(answer == 1);
    bool cancelPressed = false;
    QTimer canceller;
    connect(&canceller, &QTimer::timeout, this, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(window);
            if (progress && progress->isVisible() && progress->value() == progress->maximum()) {
                canceller.stop();
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                cancelPressed = true;
            }
        }
    });
    if (cancel)
        canceller.start(0);

    {
        std::optional<FileSizeLimit> limit;
        if (medium == Medium::FillsUp)
            limit.emplace(64 * 1024);
        QTest::mouseClick(GuiTest::child<QPushButton>(windows.form2().show(), "Command1"),
                          Qt::LeftButton);
    }

    QVERIFY(!windows.form2().isLoaded());
    QCOMPARE(cancelPressed, cancel);
    QCOMPARE(test.dialogs.questions().size(), answer >= 0 ? 1 : 0);
    const bool cancelled = code == 0 && (answer == 0 || cancel);
    const QList<RecordingDialogs::Message>& messages = test.dialogs.messages();
    if (code != 0) {
        // The copier's own error dialog naming the cause, then the window's number.
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages.first().text.contains(QString::fromLocal8Bit(std::strerror(code))),
                 qPrintable(messages.first().text));
        QCOMPARE(messages.last().text, QString::number(code));
    } else {
        QCOMPARE(test.dialogs.messageTexts(),
                 cancelled ? QStringList{QStringLiteral("Operazione annullata dall'utente!")}
                           : QStringList());
    }
    if (code == 0 && !cancelled) {
        QCOMPARE(entries(folder), QStringList{QStringLiteral("Tempora.mdb")});
        QCOMPARE(LogFile(backup).count(), rows);
    } else { // a copy that does not succeed leaves the medium as it was
        QCOMPARE(entries(folder), entriesBefore);
        QCOMPARE(bytes(backup), older);
    }
    QCOMPARE(QFileInfo::exists(test.logPath()), log != Log::Absent);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
