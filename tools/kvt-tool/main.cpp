#include "Command.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

namespace kvt::tool {
std::vector<Command>& Commands()
{
    static std::vector<Command> commands;
    return commands;
}
} // namespace kvt::tool

namespace {
void printHelp(QTextStream& out)
{
    out << "kvt-tool: command-line tools of the KVT dispatch console\n\n"
        << "Usage: kvt-tool COMMAND [ARGUMENTS]\n\nCommands:\n";
    auto commands = kvt::tool::Commands();
    std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const auto& command : commands)
        out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary << '\n';
    if (commands.empty())
        out << "  (none yet)\n";
}
} // namespace

int main(int argc, char** argv)
{
    // Some commands draw forms offscreen; they need a GUI application but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    kvt::tool::Streams io{out, err};

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto& command : kvt::tool::Commands()) {
        if (command.name == name)
            return command.run(args, io);
    }
    err << "kvt-tool: unknown command '" << name << "'; see kvt-tool --help\n";
    return 2;
}
