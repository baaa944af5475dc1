// State packets and control configurations come from outside (objects send the packets, forms
// carry the configurations). Decoding any packet with any configuration either succeeds or ends
// with a ConversionError; it never crashes, never reads outside the packet and keeps the state
// and alarm summaries within their limit.
//
// Input: byte 0 holds flags (bit 0 full processing, bits 1-3 the kind of the fuzzed control,
// bit 4 packet given as raw bytes to be written as hex, bit 5 configuration given as a whole
// Hint text); the rest is split at the first 0x0A byte into the configuration (Windows-1251;
// values separated by '|' unless bit 5) and the packet.
#include "common/Errors.h"
#include "common/Hex.h"
#include "common/MainTimers.h"
#include "common/Win1251.h"
#include "forms/ControlConfig.h"
#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"
#include "packets/DecodeReport.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

class FuzzTimers : public kvt::MainTimers {
public:
    void start(kvt::MainTimer) override {}
    void stop(kvt::MainTimer) override {}
    bool isActive(kvt::MainTimer) const override { return false; }
};

struct KindKeys {
    const char* className;
    int helpContext;
    std::initializer_list<const char16_t*> keys;
};

const KindKeys kKinds[] = {
    {"TComLed", 0, {u"Номер байта", u"Номер бита", u"Значение включенного", u"Значение выключенного", u"Аварийное значение", u"Заголовок для журнала"}},
    {"TRbPanel", 0, {u"С какого байта", u"Количество байт", u"Заголовок для журнала"}},
    {"TPanel", 0, {u"С какого байта", u"Количество байт", u"Заголовок для журнала", u"00", u"01", u"Us"}},
    {"TEdit", 0, {u"С какого байта принимать", u"Количество байт", u"Заголовок для журнала"}},
    {"TEdit", 1, {u"С какого байта принимать", u"Количество байт", u"Заголовок для журнала"}},
    {"TStaticText", 0, {u"С какого байта", u"Количество байт", u"Заголовок для журнала", u"Минимальное значение", u"Максимальное значение"}},
    {"TSpinEdit", 321, {u"С какого байта принимать", u"Количество байт", u"Заголовок для журнала", u"Передавать кратно"}},
    {"TSpinEdit", 0, {u"С какого байта принимать", u"Количество байт", u"Заголовок для журнала"}},
};

void AddControl(kvt::ObjectForm& form, const char* className, const QString& hint, int helpContext)
{
    auto control = std::make_unique<kvt::FormControl>(QString::fromLatin1(className), QString::fromLatin1(className));
    control->setHint(hint);
    control->setHelpContext(helpContext);
    control->setRange(-100, 100);
    form.addControl(std::move(control));
}

// A few well-formed controls around the fuzzed one, so that packets alone reach every kind.
void AddFixedControls(kvt::ObjectForm& form)
{
    AddControl(form, "TComLed", kvt::MakeConfigText({{"Номер байта", "1,2"}, {"Номер бита", "0,7"}, {"Значение включенного", "1,1"},
                                                     {"Значение выключенного", "0,0"}, {"Аварийное значение", "1,"},
                                                     {"Заголовок для журнала", "ГК"}}), 0);
    AddControl(form, "TRbPanel", kvt::MakeConfigText({{"С какого байта", "T="}, {"Заголовок для журнала", "Т"}, {"Количество байт", "3"}}), 0);
    AddControl(form, "TPanel", kvt::MakeConfigText({{"С какого байта", "2"}, {"Заголовок для журнала", "Общее состояние системы"},
                                                    {"Количество байт", "1"}, {"00", "   Норма"}, {"01", "128"}}), 0);
    AddControl(form, "TStaticText", kvt::MakeConfigText({{"С какого байта", "3"}, {"Заголовок для журнала", "Расход эл. энергии (A)"},
                                                         {"Количество байт", "4"}}), 0);
    AddControl(form, "TStaticText", kvt::MakeConfigText({{"С какого байта", "8"}, {"Заголовок для журнала", "Текущий расход воды"},
                                                         {"Количество байт", "2"}}), 0);
    AddControl(form, "TSpinEdit", kvt::MakeConfigText({{"С какого байта принимать", "13"}, {"Заголовок для журнала", "Т (Signed)"},
                                                       {"Количество байт", "2"}}), 321);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t flags = data[0];
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qsizetype split = rest.indexOf('\n');
    const QByteArray configBytes = split < 0 ? QByteArray() : rest.left(split);
    const QByteArray packetBytes = split < 0 ? rest : rest.mid(split + 1);

    const KindKeys& kind = kKinds[(flags >> 1) & 7];
    QString hint;
    if (flags & 0x20) {
        hint = kvt::FromWin1251(configBytes);
    } else {
        const QStringList values = kvt::FromWin1251(configBytes).split(QLatin1Char('|'));
        QList<QPair<QString, QString>> rows;
        int i = 0;
        for (const char16_t* key : kind.keys)
            rows.append({QString::fromUtf16(key), i < values.size() ? values[i++] : QString()});
        hint = kvt::MakeConfigText(rows);
    }
    const QString packet = (flags & 0x10) ? kvt::BytesToHex(packetBytes) : QString::fromLatin1(packetBytes);

    kvt::ObjectForm form;
    AddFixedControls(form);
    AddControl(form, kind.className, hint, kind.helpContext);

    FuzzTimers timers;
    kvt::StatePacketDecoder decoder(timers, QLatin1Char('.'));
    std::optional<QString> error;
    try {
        decoder.ApplyStatePacket(&form, packet, flags & 1, QString(), QString(), QString(), nullptr);
    } catch (const kvt::ConversionError& e) {
        error = e.message();
    }
    const kvt::StateSummaries& s = decoder.summaries();
    if (s.stateSummary().size() > kvt::StateSummaries::kSummaryLimit
        || s.alarmSummary().size() > kvt::StateSummaries::kSummaryLimit)
        std::abort();
    if (!(flags & 1) && (s.alarm() || s.linkCheck()))
        std::abort();
    (void)kvt::DecodeReportJson(decoder, error);
    return 0;
}
