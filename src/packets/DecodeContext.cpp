#include "packets/DecodeContext.h"

#include "common/IntegerText.h"
#include "forms/ObjectForm.h"

namespace kvt {

namespace {
// Configuration values and titles are short strings of at most this many characters.
constexpr int kMaxValueLength = 255;
} // namespace

const ControlConfig DecodeContext::kNoRows;

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

void DecodeContext::storeLinkCheckPeriod(const QString& period)
{
    summaries_.setLinkCheck(period);
    if (linkCheckPeriod_)
        linkCheckPeriod_->storeLinkCheckPeriod(period);
}

void DecodeContext::parseConfig(const FormControl& control)
{
    config_ = &kNoRows;
    config_ = &control.parsedHint().config();
}

void DecodeContext::parseLookup(const FormControl& control)
{
    lookup_ = &kNoRows;
    lookup_ = &control.parsedHint().lookup();
}

QString DecodeContext::value(QStringView key) const
{
    QString value = config_->value(key);
    if (value.size() > kMaxValueLength)
        value.truncate(kMaxValueLength);
    return value;
}

int DecodeContext::integer(QStringView key) const
{
    return StrToInt(value(key));
}

QString DecodeContext::lookup(QStringView code) const
{
    QString text = lookup_->value(code);
    if (text.size() > kMaxValueLength)
        text.truncate(kMaxValueLength);
    return text;
}

} // namespace kvt
