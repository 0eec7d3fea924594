#pragma once

#include <QByteArray>

#include <vector>

// What a mapping gave for each distinct text, for the few texts a file or log repeats in every
// record (field names, bands, modes). A short list compared byte by byte costs less than hashing
// each text; past kLimit distinct texts the rest are mapped each time.
template <typename Value> class TextMemo {
public:
    template <typename Mapping> Value of(const QByteArray& text, Mapping mapping) {
        for (const Entry& entry : m_entries) {
            if (entry.text == text)
                return entry.value;
        }
        Value value = mapping(text);
        // The text is copied: it may point into a row that goes away.
        if (m_entries.size() < kLimit)
            m_entries.push_back({QByteArray(text.constData(), text.size()), value});
        return value;
    }

private:
    static constexpr size_t kLimit = 64;
    struct Entry {
        QByteArray text;
        Value value;
    };
    std::vector<Entry> m_entries;
};
