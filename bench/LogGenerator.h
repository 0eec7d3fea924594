#pragma once

#include <QString>

// Writes a realistic station log into a new file made with the program's own schema: call signs
// of prefix, digit and suffix (a few hundred of them worked again and again), dates spread over
// thirty years and inserted in random order, start and end times in the clock text form, bands
// with matching frequencies, modes, names and places. The same seed gives the same log.
class LogGenerator {
public:
    explicit LogGenerator(quint64 seed = 1) : m_seed(seed) {}

    bool write(const QString& filePath, int contacts);

    // The generated log of that many contacts in dataFolder (log-N.mdb), written on first use
    // with the contact count as seed; empty on failure.
    static QString cachedLog(const QString& dataFolder, int contacts, QString* error);
    QString lastError() const { return m_lastError; }

private:
    quint64 m_seed;
    QString m_lastError;
};
