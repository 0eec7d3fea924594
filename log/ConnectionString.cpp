#include "log/ConnectionString.h"

namespace {

// Reads a quoted value starting at text[at] (the quote), returns it and moves at past it.
QString quotedValue(const QString& text, qsizetype& at) {
    const QChar quote = text.at(at++);
    QString value;
    while (at < text.size()) {
        const QChar c = text.at(at++);
        if (c != quote) {
            value += c;
        } else if (at < text.size() && text.at(at) == quote) {
            value += quote;
            ++at;
        } else {
            break;
        }
    }
    return value;
}

} // namespace

ConnectionString::ConnectionString(const QString& text) {
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), at);
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), at);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A part without `=` names nothing: skip it.
            at = semicolon < 0 ? text.size() : semicolon + 1;
            continue;
        }
        const QString key = text.mid(at, equals - at).trimmed();
        at = equals + 1;
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        QString value;
        if (at < text.size() &&
            (text.at(at) == QLatin1Char('"') || text.at(at) == QLatin1Char('\''))) {
            value = quotedValue(text, at);
            const qsizetype end = text.indexOf(QLatin1Char(';'), at);
            at = end < 0 ? text.size() : end + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), at);
            value = text.mid(at, (end < 0 ? text.size() : end) - at).trimmed();
            at = end < 0 ? text.size() : end + 1;
        }
        if (!key.isEmpty())
            m_pairs.append({key, value});
    }
}

QString ConnectionString::value(const QString& key) const {
    for (auto it = m_pairs.crbegin(); it != m_pairs.crend(); ++it) {
        if (it->first.compare(key, Qt::CaseInsensitive) == 0)
            return it->second;
    }
    return QString();
}
