#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records every message box and beep instead of showing it; questions are answered from a queue
// the test fills. The test fails, when the object goes, on anything nobody expected: a message
// the test never looked at (messages() or messageTexts()), a question without a queued answer,
// or an answer no question took. A test may run code "while a message box is open" with
// onMessage.
class RecordingDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        Icon icon;
    };

    ~RecordingDialogs() override;

    void message(const QString& text, Icon icon) override;
    void beep() override { ++m_beeps; }
    bool question(const QString& text) override;

    void queueAnswer(bool yes) { m_answers.append(yes); }
    void onMessage(std::function<void(const QString&)> whileOpen) {
        m_whileOpen = std::move(whileOpen);
    }

    // Reading the messages marks them as expected.
    const QList<Message>& messages();
    QStringList messageTexts();
    const QStringList& questions() const { return m_questions; }
    int beeps() const { return m_beeps; }

private:
    QList<Message> m_messages;
    qsizetype m_seen = 0;
    QStringList m_questions;
    QStringList m_unexpected;
    QList<bool> m_answers;
    std::function<void(const QString&)> m_whileOpen;
    int m_beeps = 0;
};
