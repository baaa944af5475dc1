// kvt-bench links: the console's own cost of the radio step of the receive tick, in the console
// as it runs (main window shown, store, channel files, current form), on a large store (1,000
// radio objects, 1,000,000 stored packets) beside a small baseline (10 objects, 100 packets):
//   changed_report    a report whose state changed, from an object not selected: signature,
//                     STATE and SVYAZ in both channel files, both storage steps, selection with
//                     the object's form and history, icons, the full decoding with its books,
//                     and the drawing of the window;
//   unchanged_report  a report of the selected object without a change: signature, the state
//                     line and the redraw of its form.
// The link engine, which works on its own thread, is not part of it.
#include "Bench.h"
#include "BenchStore.h"

#include "app/ConsoleCore.h"
#include "app/GeneralForm.h"
#include "app/ProgramLauncher.h"
#include "common/Clock.h"
#include "common/Confirmation.h"
#include "common/DesktopShell.h"
#include "common/IniFile.h"
#include "common/OperatorNotices.h"
#include "common/SoundPlayer.h"
#include "forms/ComponentStream.h"
#include "forms/FormText.h"
#include "links/LinkMailbox.h"
#include "store/DataAlias.h"
#include "store/Registry.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace {

using namespace kvt;
using namespace kvt::bench;

// The outside world of the console, quiet: no boxes, no sounds, no programs.
class QuietDesk final : public Confirmation,
                        public DesktopShell,
                        public ProgramLauncher,
                        public OperatorNotices,
                        public SoundPlayer {
public:
    bool confirm(const QString&) override { return false; }
    bool open(const QString&) override { return true; }
    bool startProgram(const QString&) override { return true; }
    void notice(const QString&) override {}
    void information(const QString&) override {}
    void play(const QString&) override {}
};

// A station's form: its identifier, three readings from the report's text, its mode and three
// lamps from the bytes after it, and the page switch of its scheme and settings.
QString Pair(int i, const QString& key, const QString& value)
{
    return QStringLiteral("'name%1%2endname%1value%1%3endvalue%1'").arg(i).arg(key, value);
}

QString Control(const QString& name, const QString& cls, int top, const QStringList& pairs, const QString& more = {})
{
    QString hint = QStringLiteral("'crc%1endcrc'").arg(pairs.size());
    for (int i = 0; i < pairs.size(); ++i)
        hint += QStringLiteral(" + ") + pairs[i];
    return QStringLiteral("  object %1: %2\n    Left = 10\n    Top = %3\n    Width = 80\n    Height = 20\n%4    Hint = %5\n  end\n")
        .arg(name, cls)
        .arg(top)
        .arg(more, hint);
}

QString StationForm()
{
    const QString title = QStringLiteral("Заголовок для журнала");
    QString text = QStringLiteral("object Station: TForm\n  ClientHeight = 260\n  ClientWidth = 400\n");
    text += Control(QStringLiteral("EditId"), QStringLiteral("TEdit"), 10,
                    {Pair(0, QStringLiteral("С какого байта принимать"), QStringLiteral("1")),
                     Pair(1, QStringLiteral("Количество байт"), QStringLiteral("5")), Pair(2, title, QStringLiteral("Id"))},
                    QStringLiteral("    HelpContext = 1\n"));
    int top = 40;
    for (const QString& marker : {QStringLiteral("H"), QStringLiteral("P"), QStringLiteral("Q")}) {
        text += Control(QStringLiteral("RbPanel") + marker, QStringLiteral("TRbPanel"), top,
                        {Pair(0, QStringLiteral("С какого байта"), marker),
                         Pair(1, QStringLiteral("Количество байт"), QStringLiteral("4")), Pair(2, title, marker)});
        top += 30;
    }
    text += Control(QStringLiteral("PanelMode"), QStringLiteral("TPanel"), top,
                    {Pair(0, QStringLiteral("С какого байта"), QStringLiteral("101")),
                     Pair(1, QStringLiteral("Количество байт"), QStringLiteral("1")), Pair(2, title, QStringLiteral("Режим")),
                     Pair(3, QStringLiteral("00"), QStringLiteral("   Основной")),
                     Pair(4, QStringLiteral("01"), QStringLiteral("  Резервный"))});
    for (int bit = 0; bit < 3; ++bit) {
        top += 30;
        text += Control(QStringLiteral("Led%1").arg(bit), QStringLiteral("TComLed"), top,
                        {Pair(0, QStringLiteral("Номер байта"), QStringLiteral("102")),
                         Pair(1, QStringLiteral("Номер бита"), QString::number(bit)),
                         Pair(2, QStringLiteral("Значение включенного"), QStringLiteral("1")),
                         Pair(3, QStringLiteral("Значение выключенного"), QStringLiteral("0")),
                         Pair(4, QStringLiteral("Аварийное значение"), QString()), Pair(5, title, QStringLiteral("Насос"))});
    }
    text += QStringLiteral("  object TabSet1: TTabSet\n    Left = 0\n    Top = 239\n    Width = 400\n    Height = 21\n"
                           "    Tabs.Strings = (\n      'Схема'\n      'Настройки')\n    TabIndex = 0\n  end\nend\n");
    return text;
}

// A station's report: its text line (readings and state word), CR LF, spaces up to byte 100,
// its mode and lamps, zero bytes up to 140.
QByteArray Report(double level, const char* state)
{
    QByteArray line = QByteArray("KNS05 H") + QByteArray::number(level, 'f', 2) + " P3.1 Q18.5 " + state + "\r\n";
    QByteArray report = line.leftJustified(100, ' ');
    report += QByteArray("\x00\x01\x96", 3);
    return report.leftJustified(links::kLinkReportSize, '\0');
}

int run(const StoreShape& shape, const QString& suffix, QTextStream& out)
{
    QTemporaryDir dir;
    const QString home = dir.path() + QLatin1Char('/');
    EnsureInstanceFolders(home);
    QFile form(home + QStringLiteral("bench.kof"));
    if (!form.open(QIODevice::WriteOnly) || form.write(WriteComponentStream(FormFromText(StationForm()))) < 0)
        out << "# cannot write bench.kof\n";
    form.close();
    registry::CreateDataAlias(home, registry::kDataFolder, registry::kDataAlias);
    const SystemClock clock;
    {
        registry::Registry building(clock);
        building.open();
        FillStore(registry::kDataAlias, shape);
    }
    {
        IniFile zigBee(home + QStringLiteral("ZigBee.ini"));
        IniFile::Batch batch(zigBee);
        for (int code = 1; code <= shape.objects; ++code) {
            zigBee.writeString(QString::number(code), QStringLiteral("DH"), QStringLiteral("0013A200"));
            zigBee.writeString(QString::number(code), QStringLiteral("DL"), QString::number(0x40000000 + code, 16));
        }
    }

    SystemClock consoleClock;
    QuietDesk desk;
    ConsoleCore core(home, consoleClock, desk, desk);
    GeneralForm window({core, core.gsm, core.links, desk, desk, desk, desk, QString()});
    window.show();
    QApplication::processEvents();
    links::LinkMailbox& radio = core.links.RadioLink();
    const auto handle = [&](int object, const QByteArray& report) {
        radio.putReport({object, report});
        QElapsedTimer t;
        t.start();
        core.links.radioStep();
        QApplication::processEvents();
        return MsSince(t);
    };

    // Changed: the first report of objects 2, 3, ... (STATE is empty), each not selected.
    constexpr int kChanged = 20;
    std::vector<double> changed;
    for (int i = 0; i < kChanged; ++i)
        changed.push_back(handle(2 + i % (shape.objects - 1), Report(2.35, "OK")));
    const qint64 stored = core.registry.packets().historyCount(2);
    // Unchanged: the selected object (the last one that changed) reports other readings.
    const int selected = 2 + (kChanged - 1) % (shape.objects - 1);
    constexpr int kUnchanged = 200;
    std::vector<double> unchanged;
    for (int i = 0; i < kUnchanged; ++i)
        unchanged.push_back(handle(selected, Report(2.0 + i / 100.0, "OK")));

    const auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return sum / double(v.size());
    };
    out << "changed_report" << suffix << ' ' << mean(changed) << " ms\n";
    out << "# changed_report_worst" << suffix << ' ' << *std::max_element(changed.begin(), changed.end()) << " ms\n";
    out << "unchanged_report" << suffix << ' ' << mean(unchanged) << " ms\n";
    out << "# unchanged_report_worst" << suffix << ' ' << *std::max_element(unchanged.begin(), unchanged.end())
        << " ms\n";
    out << "# fdatasync_median" << suffix << ' ' << MedianSyncMs(dir.path()) << " ms\n";
    out << "# check" << suffix << ": object 2 has " << stored << " stored packets; the state line reads \""
        << core.currentObject.stateLine() << "\"\n";
    out.flush();
    return 0;
}

int runLinksBench(const QStringList& args, QTextStream& out)
{
    StoreShape large{1000, 1000000, 1000};
    if (args.contains(QStringLiteral("--quick")))
        large = StoreShape{1000, 100000, 100};
    run(StoreShape{10, 100, 10}, QStringLiteral("_small"), out);
    return run(large, QString(), out);
}

} // namespace

KVT_BENCH(QStringLiteral("links"),
          QStringLiteral("a changed and an unchanged radio report handled by the console ([--quick]: 100,000 packets)"),
          runLinksBench)
