// kvt-sim-rs485: Modbus RTU slaves (the objects' controllers on the RS-485 bus) on a
// pseudo-terminal, built on libmodbus.
//
//   kvt-sim-rs485 [--link /tmp/kvt-rs485] [--transcript rs485.log] [--control /tmp/kvt-rs485.ctl]
//                 [--slave 1[=reports.packets]]...
//
// Prints "PTY <device>" (and "LINK <path>") on stdout, then answers the console's requests on
// that device. Script it with the commands of Rs485Control.h on stdin or through the control
// FIFO. Event lines (READ, COMMAND, SETTINGS, IGNORED, CRC-ERROR, EXCEPTION, BAD-CRC) tell what
// the console sent, each with the request in hexadecimal.

#include "ModbusBusSim.h"
#include "Rs485Control.h"
#include "SimulatorShell.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace kvt::sim;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvt-sim-rs485"));
    SimulatorShell shell(QStringLiteral("kvt-sim-rs485"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Modbus RTU slaves of the RS-485 bus on a pseudo-terminal, scripted on stdin."));
    shell.addOptions(parser);
    parser.addOptions({
        {QStringLiteral("slave"), QStringLiteral("A slave address 1-247, its reports from a packet list."),
         QStringLiteral("ADR[=file]")},
        {QStringLiteral("reply-delay-ms"), QStringLiteral("From a request to its reply."), QStringLiteral("ms")},
    });
    parser.process(app);

    ModbusBusSim::Settings settings;
    if (parser.isSet(QStringLiteral("reply-delay-ms")))
        settings.replyDelayMs = parser.value(QStringLiteral("reply-delay-ms")).toInt();
    ModbusBusSim bus(settings);
    if (const QString error = bus.open(); !error.isEmpty())
        return shell.complain(QStringLiteral("cannot make the Modbus context: ") + error);
    Rs485Control control(bus);
    for (const QString& option : parser.values(QStringLiteral("slave"))) {
        const QString reply = control.run(QStringLiteral("slave ") + QString(option).replace(QLatin1Char('='), QLatin1Char(' ')));
        if (!reply.startsWith(QLatin1String("OK")))
            return shell.complain(QStringLiteral("--slave %1: %2").arg(option, reply));
    }

    if (!shell.open(parser))
        return 1;
    shell.transcript().setBinary(true);
    QObject::connect(&shell.device(), &PtyDevice::received, &bus, [&](const QByteArray& bytes) {
        shell.transcript().fromConsole(bytes);
        bus.receive(bytes);
    });
    QObject::connect(&bus, &ModbusBusSim::output, &shell.device(), [&](const QByteArray& bytes) {
        shell.transcript().toConsole(bytes);
        shell.device().write(bytes);
    });
    QObject::connect(&bus, &ModbusBusSim::event, &app, [&](const QString& line) {
        shell.transcript().note(line);
        shell.say(line);
    });
    QObject::connect(&control, &Rs485Control::note, &app, [&](const QString& line) { shell.transcript().note(line); });
    QObject::connect(&control, &Rs485Control::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!shell.listen(parser, [&](const QString& line) { return control.run(line); }))
        return 1;
    return shell.exec(app);
}
