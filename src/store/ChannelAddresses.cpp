#include "store/ChannelAddresses.h"

#include "common/ProgramDirectory.h"

namespace kvt::registry {

ChannelAddresses::ChannelAddresses(const QString& programDirectory)
    : zigBee_(InProgramDirectory(programDirectory, kZigBeeFile)), rs485_(InProgramDirectory(programDirectory, kRs485File))
{
}

RadioAddress ChannelAddresses::ReadRadioAddress(const QString& code) const
{
    return RadioAddress{zigBee_.readString(code, kDH), zigBee_.readString(code, kDL)};
}

void ChannelAddresses::WriteRadioAddress(const QString& code, const QString& dh, const QString& dl)
{
    if (dh.isEmpty() || dl.isEmpty())
        return;
    IniFile::Batch batch(zigBee_);
    zigBee_.writeString(code, kDH, dh);
    zigBee_.writeString(code, kDL, dl);
}

void ChannelAddresses::DeleteRadioAddress(const QString& code)
{
    IniFile::Batch batch(zigBee_);
    zigBee_.deleteKey(code, kDH);
    zigBee_.deleteKey(code, kDL);
}

QString ChannelAddresses::ReadRs485Address(const QString& code) const
{
    return rs485_.readString(code, kAdr);
}

void ChannelAddresses::WriteRs485Address(const QString& code, const QString& address)
{
    if (!address.isEmpty())
        rs485_.writeString(code, kAdr, address);
}

void ChannelAddresses::DeleteRs485Address(const QString& code)
{
    rs485_.deleteKey(code, kAdr);
}

} // namespace kvt::registry
