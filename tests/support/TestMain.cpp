#include "support/TestRegistry.h"

#include <QApplication>
#include <QTest>

#include <cstring>

namespace kvt::test {
std::vector<std::pair<const char*, TestFactory>>& Registry()
{
    static std::vector<std::pair<const char*, TestFactory>> registry;
    return registry;
}
} // namespace kvt::test

// Runs every registered test class, or only those named by "-class NAME" options.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList only;
    QStringList passOn;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "-class") == 0 && i + 1 < argc)
            only << QString::fromLocal8Bit(argv[++i]);
        else
            passOn << QString::fromLocal8Bit(argv[i]);
    }
    int failures = 0;
    for (auto& [name, factory] : kvt::test::Registry()) {
        if (!only.isEmpty() && !only.contains(QString::fromLatin1(name)))
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), passOn);
    }
    return failures == 0 ? 0 : 1;
}
