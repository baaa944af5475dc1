#include "Bench.h"

#include <QApplication>

namespace kvt::bench {
std::vector<Benchmark>& Benchmarks()
{
    static std::vector<Benchmark> benchmarks;
    return benchmarks;
}
} // namespace kvt::bench

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QStringList args = app.arguments().mid(1);
    const auto& all = kvt::bench::Benchmarks();
    if (args.isEmpty() || args.first() == QLatin1String("--help")) {
        out << "Usage: kvt-bench NAME\n\nBenchmarks:\n";
        for (const auto& b : all)
            out << "  " << b.name << "  " << b.summary << '\n';
        if (all.empty())
            out << "  (none yet)\n";
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto& b : all) {
        if (b.name == name)
            return b.run(args, out);
    }
    out << "kvt-bench: unknown benchmark '" << name << "'\n";
    return 2;
}
