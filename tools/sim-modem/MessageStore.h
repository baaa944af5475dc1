#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <map>
#include <optional>

namespace kvt::sim {

// A received message as the simulated modem keeps it.
struct StoredMessage {
    QString sender;        // digits, international form without "+" (empty for a raw PDU)
    bool data = false;     // 8-bit data (true) or 7-bit text
    QByteArray payload;    // the data bytes, or the text in Windows-1251
    QString pdu;           // service-centre address + SMS-DELIVER, hex
    QDateTime stamp;
    bool read = false;     // "REC READ" once it has been read
};

// The modem's message memory: numbered places from 1 to the capacity.
class MessageStore {
public:
    explicit MessageStore(int capacity) : capacity_(capacity) {}

    int capacity() const { return capacity_; }
    int used() const { return int(messages_.size()); }
    // Puts the message at the lowest free place; nothing when the memory is full.
    std::optional<int> add(StoredMessage message);
    StoredMessage* at(int index);
    bool validIndex(int index) const { return index >= 1 && index <= capacity_; }
    void remove(int index) { messages_.erase(index); }

private:
    int capacity_;
    std::map<int, StoredMessage> messages_;
};

} // namespace kvt::sim
