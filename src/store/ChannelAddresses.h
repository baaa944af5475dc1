#pragma once

#include "common/IniFile.h"

#include <QString>

namespace kvt::registry {

// An object's address on the radio link: the high and low half of the destination address.
struct RadioAddress {
    QString DH;
    QString DL;
};

// The per-object channel files ZigBee.ini and RS485.ini of the program directory, one section
// per object named by its code in decimal. This class owns the address keys; the link keys of
// the same sections (SVYAZ, ErrCnt, STATE) are read and written by the links through zigBee()
// and rs485().
class ChannelAddresses {
public:
    explicit ChannelAddresses(const QString& programDirectory);

    // Missing keys read as empty texts.
    RadioAddress ReadRadioAddress(const QString& code) const;
    // Writes both keys, and only when both texts are non-empty.
    void WriteRadioAddress(const QString& code, const QString& dh, const QString& dl);
    void DeleteRadioAddress(const QString& code);

    QString ReadRs485Address(const QString& code) const;
    // Writes the key only when the text is non-empty.
    void WriteRs485Address(const QString& code, const QString& address);
    void DeleteRs485Address(const QString& code);

    IniFile& zigBee() { return zigBee_; }
    IniFile& rs485() { return rs485_; }

    static inline const QString kZigBeeFile = QStringLiteral("ZigBee.ini");
    static inline const QString kRs485File = QStringLiteral("RS485.ini");
    static inline const QString kDH = QStringLiteral("DH");
    static inline const QString kDL = QStringLiteral("DL");
    static inline const QString kAdr = QStringLiteral("Adr");

private:
    IniFile zigBee_;
    IniFile rs485_;
};

} // namespace kvt::registry
