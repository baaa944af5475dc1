#pragma once

#include "forms/ComponentStream.h"
#include "forms/FormText.h"
#include "support/Files.h"

#include <QFile>
#include <QString>
#include <QStringList>

// Object form files for tests: the samples of examples/forms, built to .kof files in the build
// folder, each with a .packets file of named sample packets (one "NAME HEX" per line) beside its
// source, and small forms written here.
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

// A small form named `name`: a hex data field EditPacket showing byte 1 of a packet, and a page
// switch TabSet1 with the tabs "Схема" and "Настройки", in the text form.
inline QString PacketFieldFormText(const QString& name)
{
    return QStringLiteral(
               "object %1: TForm\n"
               "  ClientHeight = 60\n"
               "  ClientWidth = 120\n"
               "  object EditPacket: TEdit\n"
               "    Left = 8\n"
               "    Top = 8\n"
               "    Width = 100\n"
               "    Height = 21\n"
               "    HelpContext = 0\n"
               "    Hint = 'crc2endcrcname0С какого байта приниматьendname0value01endvalue0' +\n"
               "      'name1Количество байтendname1value11endvalue1'\n"
               "  end\n"
               "  object TabSet1: TTabSet\n"
               "    Left = 0\n"
               "    Top = 39\n"
               "    Width = 120\n"
               "    Height = 21\n"
               "    Tabs.Strings = (\n"
               "      'Схема'\n"
               "      'Настройки')\n"
               "    TabIndex = 0\n"
               "  end\n"
               "end\n")
        .arg(name);
}

// Writes a form given in the text form as an object form file.
inline void WriteTextForm(const QString& path, const QString& text)
{
    WriteFile(path, WriteComponentStream(FormFromText(text)));
}

} // namespace kvt::test
