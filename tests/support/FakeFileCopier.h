#pragma once

#include "platform/FileCopier.h"

#include <QList>
#include <QStringList>

// Records copy requests and answers with a result the test chose (success by default).
class FakeFileCopier : public FileCopier {
public:
    Result copy(const QString& sourcePath, const QString& destinationFolder) override;
    void setResult(Result result) { m_result = result; }
    const QStringList& requests() const { return m_requests; }

private:
    Result m_result;
    QStringList m_requests;
};
