#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records every message box and beep instead of showing it. Questions are answered from a queue
// the test fills; a question nobody queued an answer for is recorded as unexpected and answered
// "no". A test may run code "while a message box is open" with onMessage.
class RecordingDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        Icon icon;
    };

    void message(const QString& text, Icon icon) override;
    void beep() override { ++m_beeps; }
    bool question(const QString& text) override;

    void queueAnswer(bool yes) { m_answers.append(yes); }
    void onMessage(std::function<void(const QString&)> whileOpen) {
        m_whileOpen = std::move(whileOpen);
    }

    const QList<Message>& messages() const { return m_messages; }
    QStringList messageTexts() const;
    const QStringList& questions() const { return m_questions; }
    const QStringList& unexpected() const { return m_unexpected; }
    int beeps() const { return m_beeps; }

private:
    QList<Message> m_messages;
    QStringList m_questions;
    QStringList m_unexpected;
    QList<bool> m_answers;
    std::function<void(const QString&)> m_whileOpen;
    int m_beeps = 0;
};
