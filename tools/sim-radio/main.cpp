// kvt-sim-radio: the console's local radio modem (API mode 1) and remote objects on a
// pseudo-terminal.
//
//   kvt-sim-radio [--link /tmp/kvt-radio] [--transcript radio.log] [--control /tmp/kvt-radio.ctl]
//                 [--object 0013A200:40A1B2C3[=reports.packets]]...
//
// Prints "PTY <device>" (and "LINK <path>") on stdout, then plays the modem on that device.
// Script it with the commands of RadioControl.h on stdin or through the control FIFO. Event
// lines (AT, POLL, COMMAND, SETTINGS, UNDELIVERED, SWALLOWED, REPORT, BAD-FRAME) tell what the
// console sent, each with the frame in hexadecimal.

#include "RadioControl.h"
#include "RadioModemSim.h"
#include "SimulatorShell.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace kvt::sim;

namespace {

int IntOption(const QCommandLineParser& parser, const QString& name, int fallback)
{
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    return parser.isSet(name) && ok ? value : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvt-sim-radio"));
    SimulatorShell shell(QStringLiteral("kvt-sim-radio"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The console's radio modem in API mode with remote objects, on a pseudo-terminal, scripted on "
                       "stdin."));
    shell.addOptions(parser);
    parser.addOptions({
        {QStringLiteral("object"), QStringLiteral("A remote object DH:DL, its reports from a packet list."),
         QStringLiteral("DH:DL[=file]")},
        {QStringLiteral("address"), QStringLiteral("The local modem's own address SH:SL."), QStringLiteral("SH:SL")},
        {QStringLiteral("status-delay-ms"), QStringLiteral("From a transmit request to its status."), QStringLiteral("ms")},
        {QStringLiteral("report-delay-ms"), QStringLiteral("From a delivered poll to the report."), QStringLiteral("ms")},
        {QStringLiteral("part-size"), QStringLiteral("Report bytes per part."), QStringLiteral("n")},
    });
    parser.process(app);

    RadioModemSim::Settings settings;
    settings.statusDelayMs = IntOption(parser, QStringLiteral("status-delay-ms"), settings.statusDelayMs);
    settings.reportDelayMs = IntOption(parser, QStringLiteral("report-delay-ms"), settings.reportDelayMs);
    settings.partSize = std::max(1, IntOption(parser, QStringLiteral("part-size"), settings.partSize));
    if (parser.isSet(QStringLiteral("address"))) {
        const auto own = ParseRadioAddress(parser.value(QStringLiteral("address")));
        if (!own)
            return shell.complain(QStringLiteral("bad --address"));
        settings.ownAddress = *own;
    }
    RadioModemSim modem(settings);
    RadioControl control(modem);
    for (const QString& option : parser.values(QStringLiteral("object"))) {
        const QString reply = control.run(QStringLiteral("object ") + QString(option).replace(QLatin1Char('='), QLatin1Char(' ')));
        if (!reply.startsWith(QLatin1String("OK")))
            return shell.complain(QStringLiteral("--object %1: %2").arg(option, reply));
    }

    if (!shell.open(parser))
        return 1;
    shell.transcript().setBinary(true);
    QObject::connect(&shell.device(), &PtyDevice::received, &modem, [&](const QByteArray& bytes) {
        shell.transcript().fromConsole(bytes);
        modem.receive(bytes);
    });
    QObject::connect(&modem, &RadioModemSim::output, &shell.device(), [&](const QByteArray& bytes) {
        shell.transcript().toConsole(bytes);
        shell.device().write(bytes);
    });
    QObject::connect(&modem, &RadioModemSim::event, &app, [&](const QString& line) {
        shell.transcript().note(line);
        shell.say(line);
    });
    QObject::connect(&control, &RadioControl::note, &app, [&](const QString& line) { shell.transcript().note(line); });
    QObject::connect(&control, &RadioControl::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!shell.listen(parser, [&](const QString& line) { return control.run(line); }))
        return 1;
    return shell.exec(app);
}
