#pragma once

#include "adif/LogContact.h"

#include <QByteArray>

#include <vector>

// Contacts read from the log, their texts side by side in one buffer: a batch costs a few
// allocations however many contacts it holds, and outlives the rows it was read from, so that
// it can be handed to another thread.
class ContactBatch {
public:
    void append(const LogContact& contact);
    qsizetype size() const { return qsizetype(m_ends.size()) / LogContact::FieldCount; }
    // The contact at index, its texts pointing into the batch.
    void contactAt(qsizetype index, LogContact& contact) const;

private:
    QByteArray m_bytes;
    // Where each text ends in m_bytes, FieldCount a contact.
    std::vector<qsizetype> m_ends;
};
