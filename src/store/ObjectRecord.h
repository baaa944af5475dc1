#pragma once

#include "store/RegistryFields.h"

#include <QString>

namespace kvt::registry {

// One row of the objects table.
struct ObjectRecord {
    ObjectCode Kod_O = 0;
    QString Name_O;
    QString Phone_O;
    QString Time_Ring;
    QString Time_SMS;
    QString Date_SMS;
    QString Adres_O;
    QString Proverca_S;

    bool operator==(const ObjectRecord&) const = default;
};

// One row of the packets table.
struct StoredPacket {
    PacketCode Kod_SMS = 0;
    ObjectCode Kod_O = 0;
    QString Date_Time_SMS;
    QString Text_SMS;

    bool operator==(const StoredPacket&) const = default;
};

// One entry of an object's history as the history tree shows it.
struct HistoryEntry {
    PacketCode Kod_SMS = 0;
    QString Date_Time_SMS;
};

// Refuses (StoreError) a text longer than its field; names the field.
void CheckFieldLength(const QString& field, const QString& value, int maxLength);
void CheckObjectRecord(const ObjectRecord& record);

} // namespace kvt::registry
