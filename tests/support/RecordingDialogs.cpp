#include "RecordingDialogs.h"

#include <QTest>

RecordingDialogs::~RecordingDialogs() {
    // Outside a test function (a fixture of the whole test object) there is nothing to fail.
    if (!QTest::currentTestFunction() || QTest::currentTestFailed())
        return;
    QStringList surprises;
    for (qsizetype i = m_seen; i < m_messages.size(); ++i)
        surprises << QStringLiteral("message \"%1\"").arg(m_messages.at(i).text);
    for (const QString& question : std::as_const(m_unexpected))
        surprises << QStringLiteral("question \"%1\" without an answer").arg(question);
    if (!m_answers.isEmpty())
        surprises << QStringLiteral("%1 answer(s) no question took").arg(m_answers.size());
    if (!surprises.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("Unexpected dialogs: ") +
                                surprises.join(QStringLiteral("; "))),
                     __FILE__, __LINE__);
    }
}

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

const QList<RecordingDialogs::Message>& RecordingDialogs::messages() {
    m_seen = m_messages.size();
    return m_messages;
}

QStringList RecordingDialogs::messageTexts() {
    QStringList texts;
    for (const Message& message : messages())
        texts.append(message.text);
    return texts;
}
