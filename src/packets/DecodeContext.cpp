#include "packets/DecodeContext.h"

#include "common/IntegerText.h"

namespace kvt {

namespace {
// Configuration values and titles are short strings of at most this many characters.
constexpr int kMaxValueLength = 255;
} // namespace

const QString& DecodeContext::packetCharacters()
{
    if (!characters_)
        characters_ = packet_.characters();
    return *characters_;
}

const StatePacket& DecodeContext::textPanelPacket()
{
    if (!textPanelPacket_)
        textPanelPacket_ = packet_.withBlankedHeader();
    return *textPanelPacket_;
}

const QString& DecodeContext::textPanelCharacters()
{
    if (!textPanelCharacters_)
        textPanelCharacters_ = textPanelPacket().characters();
    return *textPanelCharacters_;
}

void DecodeContext::parseConfig(const FormControl& control)
{
    ParseControlConfig(control, config_);
}

void DecodeContext::parseLookup(const FormControl& control)
{
    ParseControlLookup(control, lookup_);
}

QString DecodeContext::value(QStringView key) const
{
    return config_.value(key).left(kMaxValueLength);
}

int DecodeContext::integer(QStringView key) const
{
    return StrToInt(value(key));
}

QString DecodeContext::lookup(QStringView code) const
{
    return lookup_.value(code).left(kMaxValueLength);
}

} // namespace kvt
