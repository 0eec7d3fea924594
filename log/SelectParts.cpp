#include "log/SelectParts.h"

#include <QList>

namespace {

struct Token {
    enum Kind { Word, Name, Literal, Symbol };
    Kind kind;
    QString text;
    qsizetype begin;
    qsizetype end;
    int depth;
};

qsizetype closingOf(const QString& text, qsizetype at, QChar close) {
    // A doubled closing character inside quotes stands for itself.
    qsizetype i = at + 1;
    while (i < text.size()) {
        if (text.at(i) == close) {
            if (close != QLatin1Char(']') && i + 1 < text.size() && text.at(i + 1) == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return -1;
}

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Splits SQL text into words, quoted names, literals and symbols, skipping blanks and comments.
bool tokenize(const QString& text, QList<Token>& tokens) {
    int depth = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (text.mid(i, 2) == QLatin1String("--")) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? text.size() : end + 1;
        } else if (text.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0)
                return false;
            i = end + 2;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
                   c == QLatin1Char('\'')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const qsizetype end = closingOf(text, i, close);
            if (end < 0)
                return false;
            const Token::Kind kind = c == QLatin1Char('\'') ? Token::Literal : Token::Name;
            tokens.append({kind, text.mid(i, end - i), i, end, depth});
            i = end;
        } else if (isWordChar(c)) {
            qsizetype end = i;
            while (end < text.size() && isWordChar(text.at(end)))
                ++end;
            tokens.append({Token::Word, text.mid(i, end - i), i, end, depth});
            i = end;
        } else {
            if (c == QLatin1Char(')'))
                --depth;
            tokens.append({Token::Symbol, QString(c), i, i + 1, depth});
            if (c == QLatin1Char('('))
                ++depth;
            ++i;
        }
    }
    return depth == 0;
}

bool isKeyword(const Token& token, const char* keyword) {
    return token.kind == Token::Word &&
           token.text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool isName(const Token& token) {
    return token.kind == Token::Name || token.kind == Token::Word;
}

} // namespace

bool SelectParts::parse(const QString& text) {
    m_selectList.clear();
    m_table.clear();
    m_condition.clear();
    m_orderTerm.clear();
    QList<Token> tokens;
    if (!tokenize(text, tokens))
        return fail(QStringLiteral("its quotes, brackets or parentheses are not closed"));
    if (tokens.isEmpty() || !isKeyword(tokens.first(), "select"))
        return fail(QStringLiteral("it is not a SELECT"));

    qsizetype from = -1;
    qsizetype where = -1;
    qsizetype order = -1;
    for (qsizetype i = 1; i < tokens.size(); ++i) {
        const Token& token = tokens.at(i);
        if (token.depth != 0)
            continue;
        for (const char* refused : {"distinct", "all", "join", "group", "having", "limit", "union",
                                    "intersect", "except", "window", "values"}) {
            if (isKeyword(token, refused)) {
                return fail(QStringLiteral("the record set reads one table with an optional "
                                           "condition and order; \"%1\" is not supported")
                                .arg(token.text));
            }
        }
        if (isKeyword(token, "from") && from < 0)
            from = i;
        else if (isKeyword(token, "where") && from >= 0 && where < 0 && order < 0)
            where = i;
        else if (isKeyword(token, "order") && from >= 0 && order < 0)
            order = i;
    }
    if (from < 0)
        return fail(QStringLiteral("it has no FROM"));
    if (from == 1)
        return fail(QStringLiteral("it selects no field"));

    const qsizetype tableEnd = where >= 0 ? where : (order >= 0 ? order : tokens.size());
    if (tableEnd != from + 2 || !isName(tokens.at(from + 1)))
        return fail(QStringLiteral("the record set reads exactly one table, without an alias"));

    m_selectList = text.mid(tokens.at(1).begin, tokens.at(from - 1).end - tokens.at(1).begin);
    m_table = tokens.at(from + 1).text;
    if (where >= 0) {
        const qsizetype last = (order >= 0 ? order : tokens.size()) - 1;
        if (last <= where)
            return fail(QStringLiteral("its WHERE has no condition"));
        m_condition =
            text.mid(tokens.at(where + 1).begin, tokens.at(last).end - tokens.at(where + 1).begin);
    }
    if (order >= 0) {
        // ORDER BY <column> [COLLATE <name>] [ASC]
        qsizetype i = order + 1;
        if (i >= tokens.size() || !isKeyword(tokens.at(i), "by"))
            return fail(QStringLiteral("ORDER is not followed by BY"));
        ++i;
        if (i >= tokens.size() || !isName(tokens.at(i)))
            return fail(QStringLiteral("it orders by something other than one field"));
        const qsizetype termBegin = i++;
        if (i < tokens.size() && isKeyword(tokens.at(i), "collate")) {
            if (i + 1 >= tokens.size() || !isName(tokens.at(i + 1)))
                return fail(QStringLiteral("its COLLATE names no collation"));
            i += 2;
        }
        const qsizetype termEnd = i - 1;
        if (i < tokens.size() && isKeyword(tokens.at(i), "asc"))
            ++i;
        if (i != tokens.size()) {
            return fail(QStringLiteral("the record set orders by one field, ascending; \"%1\" "
                                       "is not supported")
                            .arg(tokens.at(i).text));
        }
        m_orderTerm = text.mid(tokens.at(termBegin).begin,
                               tokens.at(termEnd).end - tokens.at(termBegin).begin);
    }
    m_lastError.clear();
    return true;
}

bool SelectParts::fail(const QString& reason) {
    m_lastError = reason;
    return false;
}
