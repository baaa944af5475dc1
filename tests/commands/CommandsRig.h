#pragma once

// The operator's commands over scripted ports in virtual time, with a real store, channel files
// and object form, and the main window played by one recording double.

#include "commands/CommandsController.h"
#include "forms/CurrentObject.h"
#include "gsm/AtExchange.h"
#include "gsm/ModemEngineState.h"
#include "gsm/SmsSender.h"
#include "journals/StatusLine.h"
#include "links/LinkMailbox.h"
#include "serial/LinkIndicators.h"
#include "settings/AlertSounds.h"
#include "settings/Settings.h"
#include "store/ChannelAddresses.h"
#include "support/RecordingCommandHost.h"
#include "support/RecordingFormHandlers.h"
#include "support/RecordingSinks.h"
#include "support/RegistryFixture.h"
#include "support/SampleForms.h"
#include "support/ScriptedSerialPort.h"

#include <QDir>

namespace kvt::test {

inline const QByteArray kSmsAccepted = "\r\n+CMGS: 17\r\n\r\nOK\r\n";

// A setting control of a form in the text form: a setting box (TSpinEdit) with its value, or a
// data field (TEdit) with its help context and text; byte and count as configured ("" leaves
// the key out), with an optional divisor.
struct SettingControl {
    QString name;
    QString kind = QStringLiteral("box"); // "box", "hex" or "chars"
    QString value;
    QString byte;
    QString count = QStringLiteral("1");
    QString divisor;
};

// An object form with a command button "Command" (data `command`), a settings button "Settings"
// (help context 123, data `settingsData`) and the setting controls, in this order.
inline QString CommandFormText(const QString& command, const QString& settingsData,
                               const QList<SettingControl>& controls = {})
{
    auto hint = [](const QList<QPair<QString, QString>>& pairs) {
        QString text = MakeConfigText(pairs);
        return QStringLiteral("'") + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QStringLiteral("'");
    };
    QString text = QStringLiteral("object CommandForm: TForm\n  ClientHeight = 200\n  ClientWidth = 300\n");
    auto button = [&](const QString& name, const QString& data, int helpContext) {
        text += QStringLiteral("  object %1: TSpeedButton\n    Left = 0\n    Top = 0\n    Width = 80\n    Height = 20\n"
                               "    HelpContext = %2\n    Hint = %3\n  end\n")
                    .arg(name)
                    .arg(helpContext)
                    .arg(hint({{QStringLiteral("Посылаемые данные"), data}}));
    };
    button(QStringLiteral("Command"), command, 0);
    button(QStringLiteral("Settings"), settingsData, 123);
    for (const SettingControl& control : controls) {
        QList<QPair<QString, QString>> pairs;
        if (!control.byte.isNull())
            pairs << qMakePair(QStringLiteral("Каким байтом отправлять"), control.byte);
        if (!control.count.isNull())
            pairs << qMakePair(QStringLiteral("Количество байт"), control.count);
        if (!control.divisor.isNull())
            pairs << qMakePair(QStringLiteral("Передавать кратно"), control.divisor);
        const bool box = control.kind == QLatin1String("box");
        text += QStringLiteral("  object %1: %2\n    Left = 0\n    Top = 30\n    Width = 60\n    Height = 20\n")
                    .arg(control.name, box ? QStringLiteral("TSpinEdit") : QStringLiteral("TEdit"));
        if (box)
            text += QStringLiteral("    Value = %1\n").arg(control.value);
        else
            text += QStringLiteral("    HelpContext = %1\n    Text = '%2'\n")
                        .arg(control.kind == QLatin1String("hex") ? 0 : 1)
                        .arg(control.value);
        text += QStringLiteral("    Hint = %1\n  end\n").arg(hint(pairs));
    }
    return text + QStringLiteral("end\n");
}

struct CommandsRig {
    static constexpr int kObject = 7;
    inline static const QString kName = QStringLiteral("НС-3");
    inline static const QString kPhone = QStringLiteral("79161234501");

    RegistryFixture store;
    VirtualClock& clock = store.clock();
    registry::ChannelAddresses channels{store.programDirectory()};
    ScriptedSerialPort modemPort{clock};
    ScriptedSerialPort radioPort{clock};
    ScriptedSerialPort rs485Port{clock};
    FakeMainTimers timers;
    RecordingEventSink log;
    StatusLine statusLine;
    ModemEngineState modem;
    gsm::AtExchange exchange{modemPort, clock, timers, modem.dialogue};
    gsm::SmsSender sms{exchange};
    links::LinkMailbox radio;
    links::LinkMailbox rs485;
    LinkIndicators indicators;
    Settings settings;
    RecordingPlayer player;
    AlertSounds sounds{settings, &player};
    RecordingNotices notices;
    RecordingCommandHost host;
    RecordingHandlers formHandlers;
    CurrentObject current{store.programDirectory(), notices};
    commands::CommandsController controller{{modemPort, radioPort, rs485Port, timers, log, statusLine, modem,
                                             exchange, sms, radio, rs485, indicators, settings, sounds,
                                             store.registry(), channels, current, notices, host}};

    CommandsRig()
    {
        clock.setPumpEvents(false);
        timers.clock = &clock;
        current.setFormHandlers(formHandlers);
        store.addObject(kObject, kName, kPhone);
        host.selected = kName;
        controller.setCommandWindow(&host);
        controller.setTopUpWindow(&host);
        for (MainTimer timer : {MainTimer::QueryTimer, MainTimer::ATTimer, MainTimer::Timer2})
            timers.start(timer);
        timers.starts.clear();
    }

    static void open(ScriptedSerialPort& port)
    {
        port.setSettings({QStringLiteral("/dev/ttyS0"), 9600, false, false});
        port.Open();
    }
    // The object was last heard over `link` ("ZigBee", "RS485", "GSM"), with these error counts.
    void lastContact(const QString& link, int radioErrors = 0, int rs485Errors = 0)
    {
        const QString section = QString::number(kObject);
        channels.zigBee().writeString(section, QStringLiteral("SVYAZ"), link);
        channels.zigBee().writeInteger(section, QStringLiteral("ErrCnt"), radioErrors);
        channels.rs485().writeInteger(section, QStringLiteral("ErrCnt"), rs485Errors);
    }
    // Every link ready: ports open, the radio modem answering.
    void linksReady()
    {
        open(modemPort);
        open(radioPort);
        open(rs485Port);
        indicators.setOn(LinkLamp::Radio, true);
    }
    void loadForm(const QString& text)
    {
        const QString path = QDir(store.programDirectory()).filePath(QStringLiteral("command.kof"));
        WriteTextForm(path, text);
        current.LoadObjectForm(path);
    }
    FormControl& control(const QString& name) { return *current.form()->control(name); }
    // Every write to the modem, one command each.
    QStringList modemCommands() const
    {
        QStringList written;
        for (const ScriptedSerialPort::Write& write : modemPort.writes())
            written << QString::fromLatin1(write.bytes);
        return written;
    }
};

} // namespace kvt::test
