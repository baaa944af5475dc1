#include "common/Hex.h"
#include "common/IntegerText.h"
#include "forms/ObjectForm.h"
#include "packets/ConfigKeys.h"
#include "packets/DecodeContext.h"

#include <algorithm>
#include <optional>

// A lamp reads one bit of the packet, or two bits when its alarm value holds a comma. Each of
// its values may hold two parts split at the first comma: the first bit's and the second bit's.
namespace kvt {

namespace {

constexpr int kBitsPerByte = 8;
constexpr QStringView kGateClosed = u"GK-zakr";
constexpr QStringView kGateOpen = u"GK-otkr";

// The two parts of a value, viewed in the value's text.
struct TwoParts {
    QStringView first;
    QStringView second;
};

TwoParts Split(QStringView value)
{
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {value, QStringView()};
    return {value.left(comma), value.mid(comma + 1)};
}

enum class BitState { Undetermined, On, Off };

// The bit character ('0' or '1') of bit `bit` (0 = least significant) of byte `byte`, read as
// HexToBits of the byte's hex digits reads it; none when the bit number lies outside 0-7 or the
// byte is cut short by the end of the packet. The digits are read in place: every lamp of every
// packet asks for its bits.
std::optional<QChar> BitCharacter(const StatePacket& packet, qint64 byte, int bit)
{
    constexpr int kBitsPerDigit = 4;
    if (bit < 0 || bit >= kBitsPerByte)
        return std::nullopt;
    const int fromMostSignificant = kBitsPerByte - 1 - bit;
    const qint64 digitPosition = 2 * byte - 1 + fromMostSignificant / kBitsPerDigit; // 1-based
    if (!packet.reaches(digitPosition))
        return std::nullopt;
    // A character that is no hex digit counts as 0, as HexToBits reads it.
    const int digit = std::max(HexDigitValue(packet.text().at(digitPosition - 1)), 0);
    const int shift = kBitsPerDigit - 1 - fromMostSignificant % kBitsPerDigit;
    return QLatin1Char(((digit >> shift) & 1) ? '1' : '0');
}

// Values are texts: a value part of other than one character never equals a bit character.
bool Matches(const std::optional<QChar>& bit, QStringView part)
{
    return bit && part.size() == 1 && part.at(0) == *bit;
}

BitState StateOf(const std::optional<QChar>& bit, QStringView onPart, QStringView offPart)
{
    if (Matches(bit, onPart))
        return BitState::On;
    if (Matches(bit, offPart))
        return BitState::Off;
    return BitState::Undetermined;
}

bool ReachesByte(const StatePacket& packet, qint64 byte)
{
    return packet.reaches(2 * byte - 1);
}

} // namespace

void DecodeLed(FormControl& led, DecodeContext& context)
{
    context.parseConfig(led);
    const QString byteText = context.value(keys::kByteNumber);
    const QString bitText = context.value(keys::kBitNumber);
    const QString onText = context.value(keys::kOnValue);
    const QString offText = context.value(keys::kOffValue);
    const QString alarmText = context.value(keys::kAlarmValue);
    const TwoParts byteNumber = Split(byteText);
    const TwoParts bitNumber = Split(bitText);
    const TwoParts onValue = Split(onText);
    const TwoParts offValue = Split(offText);
    const TwoParts alarmValue = Split(alarmText);
    const QString title = context.value(keys::kTitle);
    const StatePacket& packet = context.packet();

    led.setOn(false);
    const int firstByte = StrToInt(byteNumber.first);
    // A lamp whose byte lies outside the packet stays out and keeps any blink marker it had.
    if (ReachesByte(packet, firstByte)) {
        const std::optional<QChar> firstBit = BitCharacter(packet, firstByte, StrToInt(bitNumber.first));
        const BitState first = StateOf(firstBit, onValue.first, offValue.first);
        if (context.full() && Matches(firstBit, alarmValue.first)) {
            context.summaries().raiseAlarm();
            if (!title.isEmpty()) {
                context.summaries().addAlarm(title);
                context.summaries().addForwardAlarm(title);
            }
        }
        BitState second = BitState::Undetermined;
        if (alarmText.contains(QLatin1Char(','))) {
            const int secondByte = StrToInt(byteNumber.second);
            // A second byte beyond the packet leaves the second state undetermined.
            if (ReachesByte(packet, secondByte)) {
                const std::optional<QChar> secondBit = BitCharacter(packet, secondByte, StrToInt(bitNumber.second));
                second = StateOf(secondBit, onValue.second, offValue.second);
            }
        }
        led.setHelpContext(0);
        const bool disagree = (first == BitState::On && second == BitState::Off)
                              || (first == BitState::Off && second == BitState::On);
        if (first == BitState::On && second != BitState::Off) {
            led.setOn(true);
        } else if (disagree) {
            led.setOn(true);
            led.setHelpContext(kBlinkingMarker);
        }
    }
    if (title == titles::kGateLamp)
        context.summaries().setGkText((led.isOn() ? kGateOpen : kGateClosed).toString());
}

} // namespace kvt
