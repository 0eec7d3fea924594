#include "RecordingDialogs.h"

void RecordingDialogs::message(const QString& text, Icon icon) {
    m_messages.append({text, icon});
    if (m_whileOpen)
        m_whileOpen(text);
}

bool RecordingDialogs::question(const QString& text) {
    m_questions.append(text);
    if (m_answers.isEmpty()) {
        m_unexpected.append(text);
        return false;
    }
    return m_answers.takeFirst();
}

QStringList RecordingDialogs::messageTexts() const {
    QStringList texts;
    for (const Message& message : m_messages)
        texts.append(message.text);
    return texts;
}
