#include "common/Hex.h"
#include "common/TextPos.h"
#include "common/Win1251.h"
#include "forms/DelphiColor.h"
#include "forms/ObjectForm.h"
#include "packets/ConfigKeys.h"
#include "packets/DecodeContext.h"

// Text panels show packet bytes as characters; status panels show the text their lookup list
// gives for a code taken from the packet, coloured by that text's leading spaces.
namespace kvt {

namespace {

// In text mode a marker found at a position up to this one (or not at all) yields no caption.
constexpr int kMarkerHeaderLength = 6;
// Markers of status panels whose code is taken wherever the marker is, even when absent.
constexpr QStringView kAnywhereMarkers[] = {u"Us", u" S"};
// The packet holds one of these when the object's controller runs in manual mode.
constexpr QStringView kManualModeCodes[] = {u"4E735F23", u"4E735E23"};
constexpr QStringView kManualMode = u"Ручной режим";
// A looked-up caption "128" means no value; it is shown as dashes.
constexpr QStringView kNoValueCode = u"128";
constexpr QStringView kNoValueShown = u"---";
// Captions of at most this many characters keep the white colour.
constexpr int kColourlessLength = 2;

QString BytesAsCharacters(const QString& hex)
{
    return FromWin1251(HexToBytes(hex));
}

bool IsAnywhereMarker(QStringView marker)
{
    for (QStringView m : kAnywhereMarkers) {
        if (marker == m)
            return true;
    }
    return false;
}

bool ShowsManualMode(const StatePacket& packet, QStringView title)
{
    if (title != titles::kSystemState)
        return false;
    for (QStringView code : kManualModeCodes) {
        if (packet.text().contains(code))
            return true;
    }
    return false;
}

// The colour a status text asks for with its leading spaces.
quint32 StatusColour(QStringView caption)
{
    if (caption.size() <= kColourlessLength)
        return kColorWhite;
    qsizetype spaces = 0;
    while (spaces < caption.size() && spaces < 4 && caption[spaces] == QLatin1Char(' '))
        ++spaces;
    const bool nonSpaceFollows = spaces < caption.size() && caption[spaces] != QLatin1Char(' ');
    switch (spaces) {
    case 4:
        return kColorRed;
    case 3:
        return nonSpaceFollows ? kColorGreen : kColorWhite;
    case 2:
        return nonSpaceFollows ? kColorYellow : kColorWhite;
    case 1:
        return nonSpaceFollows ? kColorScrollBar : kColorWhite;
    default:
        return kColorWhite;
    }
}

} // namespace

void DecodeTextPanel(FormControl& panel, DecodeContext& context)
{
    context.parseConfig(panel);
    const QString from = context.value(keys::kFromByte);
    const QString title = context.value(keys::kTitle);

    panel.setCaption(QString());
    bool shown = false;
    if (IsHexText(from)) {
        const int first = context.integer(keys::kFromByte);
        const int count = context.integer(keys::kByteCount);
        const StatePacket::Run run = context.textPanelPacket().run(first, count);
        if (run.complete) {
            panel.setCaption(BytesAsCharacters(run.hex));
            shown = true;
        }
    } else if (!from.isEmpty()) {
        const QString& text = context.textPanelCharacters();
        const int markerAt = Pos(from, text);
        shown = true;
        if (markerAt > kMarkerHeaderLength) {
            const int count = context.integer(keys::kByteCount);
            const qint64 start = qint64(markerAt) + from.size();
            if (start + count - 1 <= text.size())
                panel.setCaption(Copy(text, int(start), count));
            else
                shown = false;
        }
    }
    if (shown && context.full()) {
        context.summaries().addState(title, panel.caption());
        context.summaries().addForward(title, panel.caption());
    }
}

void DecodeStatusPanel(FormControl& panel, DecodeContext& context)
{
    context.parseConfig(panel);
    context.parseLookup(panel);
    const QString from = context.value(keys::kFromByte);
    const QString title = context.value(keys::kTitle);

    panel.setCaption(QString());
    panel.setColor(kColorWhite);
    bool decoded = false;
    if (IsHexText(from)) {
        const int first = context.integer(keys::kFromByte);
        const int count = context.integer(keys::kByteCount);
        const StatePacket::Run run = context.packet().run(first, count);
        if (run.complete) {
            panel.setCaption(ShowsManualMode(context.packet(), title) ? kManualMode.toString() : context.lookup(run.hex));
            decoded = true;
        }
    } else if (!from.isEmpty()) {
        const QString& text = context.packetCharacters();
        const int markerAt = Pos(from, text);
        if (markerAt > kMarkerHeaderLength || IsAnywhereMarker(from)) {
            const int count = context.integer(keys::kByteCount);
            const qint64 start = qint64(markerAt) + from.size();
            panel.setCaption(context.lookup(Copy(text, int(start), count)));
            decoded = true;
        }
    }
    if (decoded) {
        panel.setColor(StatusColour(panel.caption()));
        if (context.full())
            context.summaries().addState(title, panel.caption());
    }
    if (panel.caption() == kNoValueCode)
        panel.setCaption(kNoValueShown.toString());
    if (!title.isEmpty())
        context.summaries().addForward(title, panel.caption());
}

} // namespace kvt
