#pragma once

#include "platform/ErrorPath.h"

#include <QStringList>

// Records the failures that would end the program.
class RecordingErrorPath : public ErrorPath {
public:
    void fail(const QString& description) override { m_failures.append(description); }
    const QStringList& failures() const { return m_failures; }

private:
    QStringList m_failures;
};
