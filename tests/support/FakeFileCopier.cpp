#include "FakeFileCopier.h"

FileCopier::Result FakeFileCopier::copy(const QString& sourcePath,
                                        const QString& destinationFolder) {
    m_requests.append(sourcePath + QStringLiteral(" -> ") + destinationFolder);
    return m_result;
}
