#include "common/Errors.h"
#include "common/Hex.h"
#include "common/IntegerText.h"
#include "forms/ObjectForm.h"
#include "packets/ConfigKeys.h"
#include "packets/DecodeContext.h"

// A setting box shows an object setting read from packet bytes: an unsigned or two's-complement
// number, or one byte times a multiple. The box holds its value within its MinValue..MaxValue.
namespace kvt {

namespace {

// A setting is a 32-bit number: a run holding more is no setting value.
constexpr quint64 kMaxSettingBits = 0xFFFFFFFFULL;
// A first hex digit F marks a negative byte in a box with a multiple.
constexpr QChar kNegativeDigit = QLatin1Char('F');
constexpr int kByteModulus = 256;
constexpr int kBitsPerByte = 8;
constexpr int kMaxModulusBytes = 15; // 256^15 still fits 128 bits
constexpr QStringView kNoLinkCheck = u"0";

// The run as an unsigned number, or as a two's-complement number of `bytes` bytes.
qint64 RunValue(const QString& run, int bytes, bool isSigned)
{
    const quint64 value = ParseUnsignedHex(run);
    if (value > kMaxSettingBits)
        throw ConversionError(QStringLiteral("'$%1' is not a valid integer value").arg(run));
    if (!isSigned || bytes < 1 || bytes > kMaxModulusBytes)
        return qint64(value);
    const unsigned __int128 modulus = static_cast<unsigned __int128>(1) << (kBitsPerByte * bytes);
    // Negative when the value is at least half of 256^N - 1.
    if (2 * static_cast<unsigned __int128>(value) >= modulus - 1)
        return static_cast<qint64>(static_cast<__int128>(value) - static_cast<__int128>(modulus));
    return qint64(value);
}

// A byte below F0 counts as the byte times the multiple, a byte F0-FF as a negative byte times
// the multiple, so that FF is -1 times the multiple as commands send it.
qint64 MultipleValue(const QString& run, int multiple)
{
    const qint64 byte = qint64(ParseUnsignedHex(run.left(2)));
    const qint64 signedByte = run.at(0) == kNegativeDigit ? byte - kByteModulus : byte;
    return signedByte * multiple;
}

// A setting box value is a 32-bit integer; a larger result keeps its low 32 bits.
int ToSettingValue(qint64 value)
{
    return int(qint32(quint32(quint64(value))));
}

} // namespace

void DecodeSettingBox(FormControl& box, DecodeContext& context)
{
    context.parseConfig(box);
    const QString title = context.value(keys::kTitle);
    const bool linkCheck = box.helpContext() == kLinkCheckMarker;

    const int first = context.integer(keys::kReceiveFromByte);
    const int count = context.integer(keys::kByteCount);
    const StatePacket::Run run = context.packet().run(first, count);
    if (!run.complete) {
        box.setValue(0);
        if (context.full() && linkCheck)
            context.storeLinkCheckPeriod(kNoLinkCheck.toString());
        return;
    }
    if (!IsHexText(run.hex))
        return;
    const QString multiple = context.value(keys::kMultiple);
    if (multiple.isEmpty())
        box.setValue(ToSettingValue(RunValue(run.hex, count, title.contains(titles::kSignedMarker))));
    else
        box.setValue(ToSettingValue(MultipleValue(run.hex, StrToInt(multiple))));
    if (context.full() && linkCheck)
        context.storeLinkCheckPeriod(box.text());
    context.summaries().addSetting(title, box.text());
}

} // namespace kvt
