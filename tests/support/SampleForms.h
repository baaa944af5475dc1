#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// The sample object forms of examples/forms: built to .kof files in the build folder, each with a
// .packets file of named sample packets (one "NAME HEX" per line) beside its source.
namespace kvt::test {

// The built form of a sample, e.g. SampleForm("pumping-station").
inline QString SampleForm(const QString& name)
{
    return qEnvironmentVariable("KVT_BINARY_DIR") + QStringLiteral("/examples/forms/") + name + QStringLiteral(".kof");
}

// The packet called `packet` in the sample's .packets file; empty when there is none.
inline QString SamplePacket(const QString& form, const QString& packet)
{
    QFile file(qEnvironmentVariable("KVT_SOURCE_DIR") + QStringLiteral("/examples/forms/") + form +
               QStringLiteral(".packets"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words.size() == 2 && words[0] == packet)
            return words[1];
    }
    return {};
}

} // namespace kvt::test
