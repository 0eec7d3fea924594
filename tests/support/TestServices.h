#pragma once

#include "FakeClock.h"
#include "LogFolder.h"
#include "platform/Dialogs.h"
#include "platform/ErrorPath.h"
#include "platform/FocusKeystroke.h"
#include "platform/RegionalFormats.h"
#include "platform/SecondTimer.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/ShellFileCopier.h"

#include <QFile>
#include <QWidget>

#include <functional>

// An in-memory settings store; a value is absent until set.
class FakeSettingsStore : public SettingsStore {
public:
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue) const override {
        return m_values.value(section + QLatin1Char('/') + key, defaultValue);
    }
    void setValue(const QString& section, const QString& key, const QString& value) override {
        m_values.insert(section + QLatin1Char('/') + key, value);
    }

private:
    QHash<QString, QString> m_values;
};

// Records every message box and beep instead of showing it; questions and choices are answered
// from queues the test fills. The test fails, when the object goes, on anything nobody expected: a
// message the test never looked at (messages() or messageTexts()), a question or choice without a
// queued answer, or an answer nobody took. A test may run code "while a message box is open" with
// onMessage.
class RecordingDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        Icon icon;
    };

    ~RecordingDialogs() override {
        // Outside a test function (a fixture of the whole test object) there is nothing to fail.
        if (!QTest::currentTestFunction() || QTest::currentTestFailed())
            return;
        QStringList surprises = m_unanswered;
        for (qsizetype i = m_seen; i < m_messages.size(); ++i)
            surprises << QStringLiteral("message \"%1\"").arg(m_messages.at(i).text);
        if (!m_answers.isEmpty() || !m_picks.isEmpty())
            surprises << QStringLiteral("%1 answer(s) nobody took")
                             .arg(m_answers.size() + m_picks.size());
        if (!surprises.isEmpty())
            QTest::qFail(qPrintable("Unexpected dialogs: " + surprises.join("; ")), __FILE__,
                         __LINE__);
    }

    void message(const QString& text, Icon icon) override {
        m_messages.append({text, icon});
        if (m_whileOpen)
            m_whileOpen(text);
    }
    void beep() override { ++m_beeps; }
    bool question(const QString& text) override {
        if (m_answers.isEmpty())
            m_unanswered << QStringLiteral("question \"%1\" without an answer").arg(text);
        return !m_answers.isEmpty() && m_answers.takeFirst();
    }

    int choice(const QString& text, const QStringList& options) override {
        m_offered.append(options);
        if (m_picks.isEmpty())
            m_unanswered << QStringLiteral("choice \"%1\" without an answer").arg(text);
        return m_picks.isEmpty() ? -1 : m_picks.takeFirst();
    }

    void queueAnswer(bool yes) { m_answers.append(yes); }
    // index is the option to pick, -1 for Cancel.
    void queuePick(int index) { m_picks.append(index); }
    // The options of each choice, in order.
    const QList<QStringList>& offered() const { return m_offered; }
    void onMessage(std::function<void(const QString&)> whileOpen) {
        m_whileOpen = std::move(whileOpen);
    }

    // Reading the messages marks them as expected.
    const QList<Message>& messages() {
        m_seen = m_messages.size();
        return m_messages;
    }
    QStringList messageTexts() {
        QStringList texts;
        for (const Message& message : messages())
            texts.append(message.text);
        return texts;
    }
    int beeps() const { return m_beeps; }

private:
    QList<Message> m_messages;
    qsizetype m_seen = 0;
    QStringList m_unanswered;
    QList<bool> m_answers;
    QList<int> m_picks;
    QList<QStringList> m_offered;
    std::function<void(const QString&)> m_whileOpen;
    int m_beeps = 0;
};

// Counts the keystrokes sent and delivers them as the program does.
class RecordingKeystroke : public FocusKeystroke {
public:
    void sendDown() override {
        ++m_downs;
        FocusKeystroke::sendDown();
    }
    int downs() const { return m_downs; }

private:
    int m_downs = 0;
};

// Records the failures that would end the program.
class RecordingErrorPath : public ErrorPath {
public:
    void fail(const QString& description) override { m_failures.append(description); }
    const QStringList& failures() const { return m_failures; }

private:
    QStringList m_failures;
};

// The services a window receives, over the folders of a LogFolder: fakes, except the file
// copier, which copies between those two folders as the program does, its progress display
// showing at once. Dates are written in the
// Italian short date format (dd/MM/yyyy).
class TestServices : public LogFolder {
public:
    // Writes the difference file with exactly these bytes; a failure fails the test.
    void writeDifferenceFile(const QByteArray& content) const {
        QFile file(paths.installationFolder() + QStringLiteral("/Savetime.TXT"));
        QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                     file.write(content) == content.size(),
                 qPrintable(file.fileName()));
    }
    // Moves the clock on and fires the window's running second timers, as the seconds go by.
    void tick(const QWidget* window, int seconds) {
        clock.advance(seconds);
        for (SecondTimer* timer : window->findChildren<SecondTimer*>()) {
            if (timer->isActive())
                emit timer->timeout();
        }
    }

    FakeClock clock;
    RegionalFormats formats{QLocale(QLocale::Italian, QLocale::Italy)};
    FakeSettingsStore settings;
    RecordingDialogs dialogs;
    RecordingKeystroke keystroke;
    RecordingErrorPath errors;
    SystemMountTable mounts;
    ShellFileCopier copier{paths, dialogs, mounts, std::chrono::milliseconds(0)};
    Services services{clock, formats, paths, settings, dialogs, keystroke, errors, copier};
};
