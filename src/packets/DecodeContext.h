#pragma once

#include "forms/ControlConfig.h"
#include "packets/LinkCheckPeriodSink.h"
#include "packets/StatePacket.h"
#include "packets/StateSummaries.h"

#include <QChar>
#include <QString>

#include <optional>

namespace kvt {

class FormControl;

// What the handler of one control kind works with during one call of ApplyStatePacket.
class DecodeContext {
public:
    DecodeContext(const StatePacket& packet, bool full, StateSummaries& summaries, QChar decimalPoint,
                  LinkCheckPeriodSink* linkCheckPeriod)
        : packet_(packet), full_(full), summaries_(summaries), decimalPoint_(decimalPoint),
          linkCheckPeriod_(linkCheckPeriod)
    {
    }

    const StatePacket& packet() const { return packet_; }
    bool full() const { return full_; }
    StateSummaries& summaries() { return summaries_; }
    QChar decimalPoint() const { return decimalPoint_; }
    // The object's link-check period from the marked setting box: reported in the summaries and
    // stored in the object's row at once (full processing only).
    void storeLinkCheckPeriod(const QString& period);

    // The packet read as characters (computed once per call).
    const QString& packetCharacters();
    // The copy of the packet a text panel reads, and its characters.
    const StatePacket& textPanelPacket();
    const QString& textPanelCharacters();

    // Takes the control's configuration (and for status panels its lookup list) before use,
    // as parsed from its Hint; throws ConversionError when the count is not an integer.
    void parseConfig(const FormControl& control);
    void parseLookup(const FormControl& control);

    // A configuration value, used up to its first 255 characters.
    QString value(QStringView key) const;
    // A configuration value that must be a decimal integer; throws ConversionError otherwise.
    int integer(QStringView key) const;
    // The display text the lookup list gives for a code, up to its first 255 characters.
    QString lookup(QStringView code) const;

private:
    static const ControlConfig kNoRows;

    const StatePacket& packet_;
    bool full_;
    StateSummaries& summaries_;
    QChar decimalPoint_;
    LinkCheckPeriodSink* linkCheckPeriod_;
    const ControlConfig* config_ = &kNoRows;
    const ControlConfig* lookup_ = &kNoRows;
    std::optional<QString> characters_;
    std::optional<StatePacket> textPanelPacket_;
    std::optional<QString> textPanelCharacters_;
};

// Handlers of the decoded control kinds; each throws ConversionError as the call's failure.
void DecodeLed(FormControl& led, DecodeContext& context);
void DecodeTextPanel(FormControl& panel, DecodeContext& context);
void DecodeStatusPanel(FormControl& panel, DecodeContext& context);
void DecodeDataField(FormControl& field, DecodeContext& context);
void DecodeValueText(FormControl& text, DecodeContext& context);
void DecodeSettingBox(FormControl& box, DecodeContext& context);

} // namespace kvt
