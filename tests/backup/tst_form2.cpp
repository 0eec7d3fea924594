#include "LogFiles.h"
#include "TestServices.h"
#include "backup/Form2.h"
#include "log/LogSchema.h"
#include "platform/ShellFileCopier.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <linux/capability.h>
#include <optional>
#include <sqlite3.h>
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
    QTest::mouseClick(windows.form2().show()->findChild<QPushButton*>(QStringLiteral("Command1")),
                      Qt::LeftButton);
}

// The test's services with the real copier in place of the fake one.
struct RealCopy {
    explicit RealCopy(TestServices& test)
        : copier(test.paths, test.dialogs), services{test.clock,    test.formats, test.paths,
                                                     test.settings, test.dialogs, test.keystroke,
                                                     test.errors,   copier},
          windows(services) {}

    ShellFileCopier copier;
    Services services;
    Windows windows;
};

} // namespace

enum class Medium { Ready, Missing, IsAFile, WriteProtected, FillsUp };
Q_DECLARE_METATYPE(Medium)
// When the operator presses "Cancel" in the progress display.
enum class Cancel { Never, AtTheStart, WithEveryPageCopied };
Q_DECLARE_METATYPE(Cancel)

class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void look();
    void outcomes_data();
    void outcomes();
    void closeBoxCopiesNothing();
    void realCopy_data();
    void realCopy();
    void copyHoldsTheLatestEdit_data();
    void copyHoldsTheLatestEdit();
};

void TestForm2::cleanup() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestForm2::look() {
    TestServices test;
    Windows windows(test.services);
    Form2* form = windows.form2().show();
    QCOMPARE(form->windowTitle(), QStringLiteral("Copy Log"));
    QCOMPARE(form->size(), QSize(268, 90));
    QCOMPARE(form->grab().toImage().pixelColor(2, 85), QColor(Qt::black));

    auto* label = form->findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Insert an empty floppy in the drive \"A\""));
    QCOMPARE(label->geometry(), QRect(8, 8, 249, 41));
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(label->font().family(), QStringLiteral("Arial"));
    QCOMPARE(label->font().pointSizeF(), 11.25);
    QVERIFY(label->font().bold());
    QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(label->palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::HighlightedText));

    auto* button = form->findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Start Copy"));
    QCOMPARE(button->geometry(), QRect(96, 48, 73, 25));
    QCOMPARE(form->focusWidget(), button);
}

void TestForm2::outcomes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("aborted");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("copied") << 0 << false << QStringList();
    QTest::newRow("failed") << EIO << false << QStringList{QString::number(EIO)};
    QTest::newRow("cancelled") << 0 << true << QStringList{kCancelled};
    QTest::newRow("cancel reported as a failure") << 1223 << true << QStringList{"1223"};
}

void TestForm2::outcomes() {
    QFETCH(int, code);
    QFETCH(bool, aborted);
    QFETCH(QStringList, messages);
    TestServices test;
    test.copier.setResult({code, aborted});
    Windows windows(test.services);
    pressStartCopy(windows);
    QCOMPARE(test.copier.requests(),
             QStringList{QStringLiteral("C:\\Programmi\\Tempora\\Tempora.mdb -> A:\\")});
    QCOMPARE(test.dialogs.messageTexts(), messages);
    for (const RecordingDialogs::Message& message : test.dialogs.messages())
        QCOMPARE(message.icon, Dialogs::Icon::None);
    QVERIFY(!windows.form2().isLoaded());
}

void TestForm2::closeBoxCopiesNothing() {
    TestServices test;
    Windows windows(test.services);
    QVERIFY(windows.form2().show()->close());
    QVERIFY(!windows.form2().isLoaded());
    QVERIFY(test.copier.requests().isEmpty());
    QVERIFY(test.dialogs.messages().isEmpty());
}

void TestForm2::realCopy_data() {
    QTest::addColumn<Medium>("medium");
    QTest::addColumn<bool>("logExists");
    QTest::addColumn<bool>("olderBackup");
    QTest::addColumn<int>("answer"); // to the replace question: -1 none asked, 0 no, 1 yes
    QTest::addColumn<Cancel>("cancel");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("cancelled");

    const Cancel no = Cancel::Never;
    QTest::newRow("empty medium") << Medium::Ready << true << false << -1 << no << 0 << false;
    QTest::newRow("yes to replace") << Medium::Ready << true << true << 1 << no << 0 << false;
    QTest::newRow("no to replace") << Medium::Ready << true << true << 0 << no << 0 << true;
    QTest::newRow("cancel in the progress display")
        << Medium::Ready << true << true << 1 << Cancel::AtTheStart << 0 << true;
    QTest::newRow("cancel with every page copied, before the check")
        << Medium::Ready << true << true << 1 << Cancel::WithEveryPageCopied << 0 << true;
    QTest::newRow("no medium folder")
        << Medium::Missing << true << false << -1 << no << ENOENT << false;
    QTest::newRow("medium is a file")
        << Medium::IsAFile << true << false << -1 << no << ENOTDIR << false;
    QTest::newRow("write-protected medium")
        << Medium::WriteProtected << true << true << 1 << no << EACCES << false;
    QTest::newRow("medium fills up")
        << Medium::FillsUp << true << true << 1 << no << EFBIG << false;
    QTest::newRow("no log") << Medium::Ready << false << true << -1 << no << ENOENT << false;
}

void TestForm2::realCopy() {
    QFETCH(Medium, medium);
    QFETCH(bool, logExists);
    QFETCH(bool, olderBackup);
    QFETCH(int, answer);
    QFETCH(Cancel, cancel);
    QFETCH(int, code);
    QFETCH(bool, cancelled);
    TestServices test;
    RealCopy real(test);
    const QString folder = test.backupFolder();
    const QString backup = folder + QStringLiteral("/Tempora.mdb");
    if (logExists) {
        test.createLog();
        LogFiles::addRows(test.logPath(), kLogRows);
    }
    if (olderBackup) {
        QVERIFY(LogSchema().create(backup));
        LogFiles::addRows(backup, 1, QStringLiteral("OLD"));
    }
    const QByteArray older = LogFiles::bytes(backup);
    if (answer >= 0)
        test.dialogs.queueAnswer(answer == 1);
    if (medium == Medium::Missing || medium == Medium::IsAFile)
        QVERIFY(QDir(folder).removeRecursively());
    if (medium == Medium::IsAFile)
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
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
        pressStartCopy(real.windows);
    }

    QVERIFY(!real.windows.form2().isLoaded());
    QCOMPARE(cancelPressed, cancel != Cancel::Never);
    QCOMPARE(test.dialogs.questions().size(), answer >= 0 ? 1 : 0);
    QVERIFY(test.dialogs.unexpected().isEmpty());
    const QList<RecordingDialogs::Message>& messages = test.dialogs.messages();
    if (code != 0) {
        // The copier's own error dialog, then the window's number.
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.first().icon, Dialogs::Icon::Critical);
        QCOMPARE(messages.last().text, QString::number(code));
        QCOMPARE(messages.last().icon, Dialogs::Icon::None);
    } else {
        QCOMPARE(test.dialogs.messageTexts(), cancelled ? QStringList{kCancelled} : QStringList());
    }
    if (code == 0 && !cancelled) {
        QCOMPARE(LogFiles::entries(folder), QStringList{QStringLiteral("Tempora.mdb")});
        QCOMPARE(LogFiles::number(backup, QStringLiteral("SELECT count(*) FROM Log1")), kLogRows);
    } else {
        QCOMPARE(LogFiles::entries(folder),
                 olderBackup ? QStringList{QStringLiteral("Tempora.mdb")} : QStringList());
        QCOMPARE(LogFiles::bytes(backup), older);
    }
    QCOMPARE(QFileInfo::exists(test.logPath()), logExists);
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
    RealCopy real(test);
    test.createLog();
    sqlite3* editor = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(test.logPath()).constData(), &editor,
                             SQLITE_OPEN_READWRITE, nullptr),
             SQLITE_OK);
    const QByteArray edit = "PRAGMA journal_mode=" + journalMode.toUtf8() +
                            "; INSERT INTO Log1 (OM_Call) VALUES ('IZ0EDIT')";
    QCOMPARE(sqlite3_exec(editor, edit.constData(), nullptr, nullptr, nullptr), SQLITE_OK);

    pressStartCopy(real.windows);
    sqlite3_close(editor);

    QVERIFY2(test.dialogs.messages().isEmpty(), qPrintable(test.dialogs.messageTexts().join('|')));
    const QString backup = test.backupFolder() + QStringLiteral("/Tempora.mdb");
    QCOMPARE(LogFiles::entries(test.backupFolder()), QStringList{QStringLiteral("Tempora.mdb")});
    // File format 1 in the header: the copy has a rollback journal and needs no companion files.
    QCOMPARE(int(LogFiles::bytes(backup).at(18)), 1);
    QCOMPARE(LogFiles::number(
                 backup, QStringLiteral("SELECT count(*) FROM Log1 WHERE OM_Call = 'IZ0EDIT'")),
             1);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
