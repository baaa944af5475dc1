#include "Bench.h"

#include "common/Hex.h"
#include "common/MainTimers.h"
#include "forms/ControlConfig.h"
#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"

#include <QElapsedTimer>

#include <memory>

namespace {

constexpr int kPacketBytes = 140;
constexpr int kIterations = 2000;

class BenchTimers : public kvt::MainTimers {
public:
    void start(kvt::MainTimer) override {}
    void stop(kvt::MainTimer) override {}
    bool isActive(kvt::MainTimer) const override { return false; }
};

void Add(kvt::ObjectForm& form, const char* className, int index, const QList<QPair<QString, QString>>& rows,
         int helpContext = 0)
{
    auto control = std::make_unique<kvt::FormControl>(QString::fromLatin1(className),
                                                      QStringLiteral("%1_%2").arg(QLatin1String(className)).arg(index));
    control->setHint(kvt::MakeConfigText(rows));
    control->setHelpContext(helpContext);
    form.addControl(std::move(control));
}

QString Title(int index) { return QStringLiteral("Параметр %1").arg(index); }

// 100 decoded controls spread over the 140 bytes: 40 lamps (ten of them two-bit), 10 text
// panels, 10 status panels with eight codes each, 15 data fields, 15 value texts with bounds,
// 10 setting boxes.
std::unique_ptr<kvt::ObjectForm> BuildForm()
{
    auto form = std::make_unique<kvt::ObjectForm>();
    int n = 0;
    for (int i = 0; i < 40; ++i, ++n) {
        const bool twoBits = i % 4 == 0;
        const QString byte = QString::number(1 + i / 8);
        const QString bit = QString::number(i % 8);
        Add(*form, "TComLed", n,
            {{"Номер байта", twoBits ? byte + "," + byte : byte}, {"Заголовок для журнала", Title(n)},
             {"Номер бита", twoBits ? bit + "," + QString::number((i + 1) % 8) : bit},
             {"Значение включенного", twoBits ? "1,1" : "1"}, {"Значение выключенного", twoBits ? "0,0" : "0"},
             {"Аварийное значение", twoBits ? "1," : "0"}});
    }
    for (int i = 0; i < 10; ++i, ++n)
        Add(*form, "TRbPanel", n, {{"С какого байта", QString::number(10 + i * 4)}, {"Заголовок для журнала", Title(n)},
                                   {"Количество байт", "4"}});
    for (int i = 0; i < 10; ++i, ++n) {
        QList<QPair<QString, QString>> rows{{"С какого байта", QString::number(50 + i)}, {"Заголовок для журнала", Title(n)},
                                            {"Количество байт", "1"}};
        for (int code = 0; code < 8; ++code)
            rows.append({kvt::ByteToHex(uchar(code * 16)), QStringLiteral("  Состояние %1").arg(code)});
        Add(*form, "TPanel", n, rows);
    }
    for (int i = 0; i < 15; ++i, ++n)
        Add(*form, "TEdit", n, {{"С какого байта принимать", QString::number(60 + i * 2)}, {"Заголовок для журнала", Title(n)},
                                {"Количество байт", "2"}}, i % 2);
    for (int i = 0; i < 15; ++i, ++n)
        Add(*form, "TStaticText", n, {{"С какого байта", QString::number(90 + i * 2)}, {"Заголовок для журнала", Title(n)},
                                      {"Количество байт", "2"}, {"Минимальное значение", "100"},
                                      {"Максимальное значение", "60000"}});
    for (int i = 0; i < 10; ++i, ++n)
        Add(*form, "TSpinEdit", n, {{"С какого байта принимать", QString::number(120 + i * 2)}, {"Заголовок для журнала", Title(n) + " (Signed)"},
                                    {"Количество байт", "2"}});
    return form;
}

QString BuildPacket()
{
    QByteArray bytes;
    for (int i = 0; i < kPacketBytes; ++i)
        bytes.append(char((i * 37 + 11) & 0xFF));
    return kvt::BytesToHex(bytes);
}

int RunDecodeBench(const QStringList&, QTextStream& out)
{
    const auto form = BuildForm();
    const QString packet = BuildPacket();
    BenchTimers timers;
    kvt::StatePacketDecoder decoder(timers, QLatin1Char('.'));
    decoder.ApplyStatePacket(form.get(), packet, true, {}, {}, {}, nullptr); // warm-up

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kIterations; ++i)
        decoder.ApplyStatePacket(form.get(), packet, true, QStringLiteral("01.02.24  10:30"), QStringLiteral("Объект"),
                                 QStringLiteral("79123456789"), nullptr);
    const double decodeUs = double(clock.nsecsElapsed()) / 1000.0 / kIterations;

    // Baseline: parsing the configurations of the same 100 controls, without any decoding.
    kvt::ControlConfig config;
    clock.restart();
    for (int i = 0; i < kIterations; ++i) {
        for (const kvt::FormControl* control : form->controls())
            kvt::ParseConfigText(control->hint(), config, false);
    }
    const double parseUs = double(clock.nsecsElapsed()) / 1000.0 / kIterations;

    out << "decode_packet " << QString::number(decodeUs, 'f', 1) << " us\n";
    out << "baseline_parse_configs " << QString::number(parseUs, 'f', 1) << " us\n";
    out << "controls " << form->controls().size() << ", packet bytes " << kPacketBytes << ", iterations " << kIterations
        << '\n';
    return 0;
}

} // namespace

KVT_BENCH("decode", "ApplyStatePacket of a 140-byte packet on a form of 100 decoded controls", RunDecodeBench)
