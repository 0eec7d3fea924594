#include "GuiTest.h"
#include "LogFile.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "backup/Form2.h"
#include "log/LogSchema.h"
#include "platform/DesignLook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <linux/capability.h>
#include <optional>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const QString kCancelled = QStringLiteral("Operazione annullata dall'utente!");
constexpr int kLogRows = 2000;

// A write-protected medium while it lives: the folder's mode bits deny writing, and root, whom
// mode bits do not stop, gives up its capability to override them (on this thread).
class WriteProtection {
public:
    explicit WriteProtection(const QString& folder) : m_folder(folder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        m_overrideDropped = geteuid() == 0 && setOverride(false);
    }
    ~WriteProtection() {
        if (m_overrideDropped)
            setOverride(true);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool holds() const {
        return !QFile(m_folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
    }

private:
    static bool setOverride(bool on) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0)
            return false;
        data[0].effective = on ? data[0].effective | 1u << CAP_DAC_OVERRIDE
                               : data[0].effective & ~(1u << CAP_DAC_OVERRIDE);
        return syscall(SYS_capset, &header, data) == 0;
    }

    QString m_folder;
    bool m_overrideDropped = false;
};

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

void pressStartCopy(Windows& windows) {
    QTest::mouseClick(GuiTest::child<QPushButton>(windows.form2().show(), "Command1"),
                      Qt::LeftButton);
}

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

enum class Medium { Ready, Missing, IsAFile, IsTheLogFolder, WriteProtected, FillsUp };
Q_DECLARE_METATYPE(Medium)
enum class Log { Filled, Absent, PlainText };
Q_DECLARE_METATYPE(Log)
// When the operator presses "Cancel" in the progress display.
enum class Cancel { Never, AtTheStart, WithEveryPageCopied };
Q_DECLARE_METATYPE(Cancel)

// The backup window with the program's own copier, between two temporary folders.
class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void look();
    void closeBoxCopiesNothing();
    void copy_data();
    void copy();
    void copyHoldsTheLatestEdit_data();
    void copyHoldsTheLatestEdit();
};

void TestForm2::cleanup() {
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

void TestForm2::look() {
    TestServices test;
    Windows windows(test.services);
    Form2* form = windows.form2().show();
    QCOMPARE(form->windowTitle(), QStringLiteral("Copy Log"));
    QCOMPARE(form->size(), QSize(268, 90));
    const QImage image = form->grab().toImage();
    QCOMPARE(image.pixelColor(2, 85), QColor(Qt::black));  // the window
    QCOMPARE(image.pixelColor(10, 10), QColor(Qt::black)); // the label

    auto* label = GuiTest::child<QLabel>(form, "Label1");
    QCOMPARE(label->text(), QStringLiteral("Insert an empty floppy in the drive \"A\""));
    QCOMPARE(label->geometry(), QRect(8, 8, 249, 41));
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(label->font(), DesignLook::font(QStringLiteral("Arial"), 11.25, true));
    QCOMPARE(label->palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::HighlightedText));

    auto* button = GuiTest::child<QPushButton>(form, "Command1");
    QCOMPARE(button->text(), QStringLiteral("Start Copy"));
    QCOMPARE(button->geometry(), QRect(96, 48, 73, 25));
    QCOMPARE(form->focusWidget(), button);
}

void TestForm2::closeBoxCopiesNothing() {
    TestServices test;
    test.createLog();
    Windows windows(test.services);
    QVERIFY(windows.form2().show()->close());
    QVERIFY(!windows.form2().isLoaded());
    QCOMPARE(entries(test.backupFolder()), QStringList());
    QVERIFY(test.dialogs.messages().isEmpty());
}

void TestForm2::copy_data() {
    QTest::addColumn<Medium>("medium");
    QTest::addColumn<Log>("log");
    QTest::addColumn<bool>("olderBackup");
    QTest::addColumn<int>("answer"); // to the replace question: -1 none asked, 0 no, 1 yes
    QTest::addColumn<Cancel>("cancel");
    QTest::addColumn<int>("code"); // the number the window shows, 0 for none

    const Medium ready = Medium::Ready;
    const Log filled = Log::Filled;
    const Cancel never = Cancel::Never;
    QTest::newRow("empty medium") << ready << filled << false << -1 << never << 0;
    QTest::newRow("yes to replace") << ready << filled << true << 1 << never << 0;
    QTest::newRow("no to replace") << ready << filled << true << 0 << never << 0;
    QTest::newRow("cancel in the progress display")
        << ready << filled << true << 1 << Cancel::AtTheStart << 0;
    QTest::newRow("cancel with every page copied, before the check")
        << ready << filled << true << 1 << Cancel::WithEveryPageCopied << 0;
    QTest::newRow("no medium folder")
        << Medium::Missing << filled << false << -1 << never << ENOENT;
    QTest::newRow("medium is a file")
        << Medium::IsAFile << filled << false << -1 << never << ENOTDIR;
    QTest::newRow("medium is the log's folder")
        << Medium::IsTheLogFolder << filled << false << -1 << never << EINVAL;
    QTest::newRow("write-protected medium")
        << Medium::WriteProtected << filled << true << 1 << never << EACCES;
    QTest::newRow("medium fills up") << Medium::FillsUp << filled << true << 1 << never << EFBIG;
    QTest::newRow("no log") << ready << Log::Absent << true << -1 << never << ENOENT;
    QTest::newRow("log is no database") << ready << Log::PlainText << true << -1 << never << EIO;
}

void TestForm2::copy() {
    QFETCH(Medium, medium);
    QFETCH(Log, log);
    QFETCH(bool, olderBackup);
    QFETCH(int, answer);
    QFETCH(Cancel, cancel);
    QFETCH(int, code);
    TestServices test;
    Windows windows(test.services);
    const QString folder = test.backupFolder();
    const QString backup = folder + QStringLiteral("/Tempora.mdb");
    if (log == Log::Filled) {
        test.createLog();
        LogFile(test.logPath()).addMany(kLogRows, QStringLiteral("IK0"));
    }
    if (log == Log::PlainText) {
        test.writeDifferenceFile("01.00.00");
        QVERIFY(QFile::copy(test.differencePath(), test.logPath()));
    }
    if (olderBackup) {
        QVERIFY(LogSchema().create(backup));
        LogFile(backup).addMany(1, QStringLiteral("OLD"));
    }
    if (medium == Medium::Missing || medium == Medium::IsAFile || medium == Medium::IsTheLogFolder)
        QVERIFY(QDir(folder).removeRecursively());
    if (medium == Medium::IsAFile)
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
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
            if (progress && progress->isVisible() &&
                (cancel == Cancel::AtTheStart || progress->value() == progress->maximum())) {
                canceller.stop();
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                cancelPressed = true;
            }
        }
    });
    if (cancel != Cancel::Never)
        canceller.start(0);

    {
        std::optional<WriteProtection> protection;
        std::optional<FileSizeLimit> limit;
        if (medium == Medium::WriteProtected) {
            protection.emplace(folder);
            if (!protection->holds())
                QSKIP("this machine cannot write-protect a folder");
        }
        if (medium == Medium::FillsUp)
            limit.emplace(64 * 1024);
        pressStartCopy(windows);
    }

    QVERIFY(!windows.form2().isLoaded());
    QCOMPARE(cancelPressed, cancel != Cancel::Never);
    QCOMPARE(test.dialogs.questions().size(), answer >= 0 ? 1 : 0);
    const bool cancelled = code == 0 && (answer == 0 || cancel != Cancel::Never);
    const QList<RecordingDialogs::Message>& messages = test.dialogs.messages();
    if (code != 0) {
        // The copier's own error dialog naming the cause, then the window's number.
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.first().icon, Dialogs::Icon::Critical);
        QVERIFY2(messages.first().text.contains(QString::fromLocal8Bit(std::strerror(code))),
                 qPrintable(messages.first().text));
        QCOMPARE(messages.last().text, QString::number(code));
    } else {
        QCOMPARE(test.dialogs.messageTexts(), cancelled ? QStringList{kCancelled} : QStringList());
    }
    if (!messages.isEmpty())
        QCOMPARE(messages.last().icon, Dialogs::Icon::None);
    if (code == 0 && !cancelled) {
        QCOMPARE(entries(folder), QStringList{QStringLiteral("Tempora.mdb")});
        QCOMPARE(LogFile(backup).count(), kLogRows);
    } else {
        QCOMPARE(entries(folder), entriesBefore);
        QCOMPARE(bytes(backup), older);
    }
    QCOMPARE(QFileInfo::exists(test.logPath()), log != Log::Absent);
}

void TestForm2::copyHoldsTheLatestEdit_data() {
    QTest::addColumn<QString>("journalMode");
    QTest::newRow("rollback journal") << "DELETE";
    QTest::newRow("write-ahead log") << "WAL";
}

// The log window keeps its connection open; what it committed last must be in the copy.
void TestForm2::copyHoldsTheLatestEdit() {
    QFETCH(QString, journalMode);
    TestServices test;
    Windows windows(test.services);
    test.createLog();
    LogFile editor(test.logPath());
    editor.execute(QStringLiteral("PRAGMA journal_mode=") + journalMode);
    editor.add(QString(), QStringLiteral("IZ0EDIT"));

    pressStartCopy(windows);

    QVERIFY2(test.dialogs.messages().isEmpty(), qPrintable(test.dialogs.messageTexts().join('|')));
    const QString backup = test.backupFolder() + QStringLiteral("/Tempora.mdb");
    QCOMPARE(entries(test.backupFolder()), QStringList{QStringLiteral("Tempora.mdb")});
    // File format 1 in the header: the copy has a rollback journal and needs no companion files.
    QCOMPARE(int(bytes(backup).at(18)), 1);
    QCOMPARE(LogFile(backup).calls(), QStringList{QStringLiteral("IZ0EDIT")});
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
