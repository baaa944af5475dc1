#include "common/Hex.h"
#include "common/IntegerText.h"
#include "common/TextPos.h"
#include "common/Win1251.h"
#include "forms/DelphiColor.h"
#include "forms/ObjectForm.h"
#include "packets/ConfigKeys.h"
#include "packets/DecodeContext.h"
#include "packets/ReadingFormat.h"

#include <utility>

// Data fields show packet bytes as hex digits or characters; value texts show a number decoded
// from packet bytes (or a text following a marker) and check it against a range.
namespace kvt {

namespace {

// The water meter reports tenths.
constexpr long double kWaterFlowScale = 10.0L;

// Alarm when the caption, read as a decimal integer, lies outside the configured bounds; only
// when both bounds are given.
void CheckRange(const QString& caption, const QString& title, DecodeContext& context)
{
    if (context.value(keys::kMinimum).isEmpty() || context.value(keys::kMaximum).isEmpty())
        return;
    const qint64 value = ParseInteger64(caption);
    const int maximum = context.integer(keys::kMaximum);
    const int minimum = context.integer(keys::kMinimum);
    if ((value > maximum || value < minimum) && context.full()) {
        context.summaries().raiseAlarm();
        if (!title.isEmpty())
            context.summaries().addAlarm(title);
    }
}

// The caption of a complete run in hex mode; true when the caption is range-checked.
std::pair<QString, bool> HexReading(const QString& run, const QString& title, DecodeContext& context)
{
    if (title == titles::kWaterFlow)
        return {FormatGeneral(static_cast<long double>(ParseUnsignedHex(run)) / kWaterFlowScale, context.decimalPoint()),
                false};
    if (title == titles::kActiveEnergy || title == titles::kReactiveEnergy) {
        // HexToFloat inverts the sign bit; negating gives the plain big-endian IEEE reading.
        return {FormatFixed2(-HexToFloat(run), context.decimalPoint()), false};
    }
    return {IsHexText(run) ? QString::number(ParseUnsignedHex(run)) : QString(), true};
}

} // namespace

void DecodeDataField(FormControl& field, DecodeContext& context)
{
    context.parseConfig(field);
    const QString from = context.value(keys::kReceiveFromByte);
    const QString title = context.value(keys::kTitle);
    const bool asHex = field.helpContext() == kHexFieldMarker;

    field.setText(QString());
    field.setColor(kColorWhite);
    if (IsHexText(from)) {
        const int first = context.integer(keys::kReceiveFromByte);
        const int count = context.integer(keys::kByteCount);
        const StatePacket::Run run = context.packet().run(first, count);
        if (!run.complete) {
            // A hex field shows what the packet holds of the run; a character field stays empty.
            if (asHex)
                field.setText(run.hex);
        } else {
            field.setText(asHex ? run.hex : FromWin1251(HexToBytes(run.hex)));
            if (context.full())
                context.summaries().addState(title, field.text());
        }
    }
    context.summaries().addForward(title, field.text());
}

void DecodeValueText(FormControl& text, DecodeContext& context)
{
    context.parseConfig(text);
    const QString from = context.value(keys::kFromByte);
    const QString title = context.value(keys::kTitle);

    text.setCaption(QString());
    if (IsHexText(from)) {
        const int first = context.integer(keys::kFromByte);
        const int count = context.integer(keys::kByteCount);
        const StatePacket::Run run = context.packet().run(first, count);
        if (run.complete) {
            const auto [caption, rangeChecked] = HexReading(run.hex, title, context);
            text.setCaption(caption);
            if (rangeChecked)
                CheckRange(text.caption(), title, context);
            if (context.full())
                context.summaries().addState(title, text.caption());
        }
    } else if (!from.isEmpty()) {
        const QString& characters = context.packetCharacters();
        const int markerAt = Pos(from, characters);
        if (markerAt != 0) {
            const int count = context.integer(keys::kByteCount);
            text.setCaption(Copy(characters, int(qint64(markerAt) + from.size()), count));
        }
        CheckRange(text.caption(), title, context);
        if (context.full())
            context.summaries().addState(title, text.caption());
    }
    if (!title.isEmpty())
        context.summaries().addForward(title, text.caption());
}

} // namespace kvt
