#include "platform/WholePaths.h"

#include <QTextBoundaryFinder>

namespace {

QString joined(QString path) {
    // The toolkit breaks at a blank whatever follows it.
    path.replace(QLatin1Char(' '), QChar::Nbsp);
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, path);
    QString out;
    qsizetype from = 0;
    while (breaks.toNextBoundary() != -1 && breaks.position() < path.size()) {
        out += path.mid(from, breaks.position() - from) + QChar(0x2060);
        from = breaks.position();
    }
    return out + path.mid(from);
}

} // namespace

QString WholePaths::apply(const QString& text) {
    QString out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QStringLiteral("\"/"), from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('"'), open + 1);
        if (close < 0)
            return out + text.mid(from);
        out += text.mid(from, open + 1 - from) + joined(text.mid(open + 1, close - open - 1)) +
               QLatin1Char('"');
        from = close + 1;
    }
}
