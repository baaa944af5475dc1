#include "CommandsRig.h"
#include "commands/TerminalRequests.h"
#include "gsm/ModemInterface.h"
#include "gsm/PduConv.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;

namespace {

const QString kModemSilent = u"Не возможно выполнить действие из-за отсутствия связи с модемом. Попробуйте заново "
                             "установить связь с модемом в настройках программы."_qs;

// The modem state the refusals look at, from words in `setup`.
void Prepare(CommandsRig& rig, const QString& setup)
{
    CommandsRig::open(rig.modemPort);
    if (setup.contains(u"pending"))
        rig.log.LogEvent(u"Опрос объекта"_qs, {}, EventColour::Green);
    if (setup.contains(u"silent"))
        rig.modem.silenceReported = true;
    if (setup.contains(u"closed"))
        rig.modemPort.Close();
    if (setup.contains(u"green status"))
        rig.statusLine.show(u"  older green line"_qs, EventColour::Green);
    if (setup.contains(u"root"))
        rig.host.selected.reset();
}

} // namespace

class OperatorRequestsTest : public QObject {
    Q_OBJECT
private slots:
    void terminalRequests_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("title");
        QTest::newRow("AT+CSQ") << "command" << "AT+CSQ" << "5445524D494E414C3A0D41542B4353510D0A"
                                << "Передача команды объекту ";
        // The object's modem dials the card string exactly as typed.
        QTest::newRow("object top-up") << "top-up" << "*100*12 34#" << "5445524D494E414C3A0D" + BytesToHex(u"ATD*100*12 34#;") + "0D0A"
                                       << "Пополнение баланса GSM модема объекта";
    }
    // A terminal request goes to the chosen object's phone as a data SMS.
    void terminalRequests()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(QString, data);
        QFETCH(QString, title);
        CommandsRig rig;
        CommandsRig::open(rig.modemPort);
        rig.modemPort.respond(QByteArray(1, modem::kCtrlZ.toLatin1()), kSmsAccepted, 300);
        if (button == QLatin1String("command"))
            rig.controller.terminal().sendCommand(text);
        else
            rig.controller.terminal().topUpObject(text);
        QCOMPARE(rig.modemCommands().value(1), EncodeDataSubmitPdu(data, CommandsRig::kPhone) + modem::kCtrlZ);
        QCOMPARE(rig.log.entries(), (QStringList{title + u"|НС-3|32768"_qs,
                                                 u"Были отправлены по GSM каналу данные объекту|НС-3|65535"_qs}));
        QCOMPARE(rig.player.played, QStringList{u"SendData"_qs});
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("busyNotices");
        const QStringList none;
        QTest::newRow("terminal: busy first") << "command" << "pending, silent, closed" << none << 1;
        QTest::newRow("terminal: modem silent") << "command" << "silent, closed" << QStringList{kModemSilent} << 0;
        QTest::newRow("terminal: modem closed") << "command" << "closed" << QStringList{u"Установите связь с модемом."_qs} << 0;
        QTest::newRow("terminal: empty command") << "empty command" << "root" << QStringList{u"Неверная команда."_qs} << 0;
        QTest::newRow("terminal: no object") << "top-up" << "root" << QStringList{u"Необходимо заново выбрать объект."_qs}
                                             << 0;
        QTest::newRow("balance: busy") << "balance" << "pending" << none << 1;
        QTest::newRow("balance: modem silent") << "balance" << "silent" << QStringList{kModemSilent} << 0;
        QTest::newRow("balance: modem closed") << "balance" << "closed"
                                               << QStringList{u"Связь с модемом не установлена или выполняется другое действие."_qs}
                                               << 0;
        QTest::newRow("balance: green status line")
            << "balance" << "green status" << QStringList{u"Связь с модемом не установлена или выполняется другое действие."_qs}
            << 0;
        QTest::newRow("top-up window: busy") << "top-up window" << "pending, closed" << none << 1;
        QTest::newRow("top-up window: modem silent") << "top-up window" << "silent" << QStringList{kModemSilent} << 0;
        QTest::newRow("top-up window: modem closed")
            << "top-up window" << "closed"
            << QStringList{u"Связь с модемом не установлена. Для пополнения баланса необходимо установить связь с модемом "
                           "в настройках программы."_qs}
            << 0;
    }
    // The refusals of the terminal requests, the balance check and the top-up window, each in its
    // order: nothing is written to the modem and no window opens.
    void refusals()
    {
        QFETCH(QString, action);
        QFETCH(QString, setup);
        QFETCH(QStringList, shown);
        QFETCH(int, busyNotices);
        CommandsRig rig;
        Prepare(rig, setup);
        if (action == QLatin1String("command"))
            rig.controller.terminal().sendCommand(u"AT+CSQ"_qs);
        else if (action == QLatin1String("empty command"))
            rig.controller.terminal().sendCommand({});
        else if (action == QLatin1String("top-up"))
            rig.controller.terminal().topUpObject(u"*100#"_qs);
        else if (action == QLatin1String("balance"))
            rig.controller.lbl2Click();
        else
            rig.controller.SpeedButton5Click();
        QCOMPARE(rig.notices.shown, shown);
        QCOMPARE(rig.host.busyNotices, busyNotices);
        QVERIFY(rig.modemPort.writes().isEmpty());
        QCOMPARE(rig.host.steps.filter(u"show"_qs), QStringList{});
    }

    // "обновить" with the modem free runs the balance request of the settings.
    void balanceRequestOfTheSettings()
    {
        CommandsRig rig;
        Prepare(rig, {});
        rig.settings.update([](SettingsData& d) { d.balancePhone = u"*102#"_qs; });
        rig.controller.lbl2Click();
        QCOMPARE(rig.modemCommands().value(0), u"ATD*102#;\r\n"_qs);
    }

    void openers_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<bool>("blinking");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("terminal button") << "terminal" << false
                                         << QStringList{u"show Передача команды \"НС-3(79161234501)\" page 1"_qs} << QStringList{};
        QTest::newRow("terminal button while an answer blinks")
            << "terminal" << true << QStringList{u"show Передача команды page 1"_qs} << QStringList{};
        QTest::newRow("terminal button, nothing chosen")
            << "terminal, root" << false << QStringList{} << QStringList{u"Необходимо выбрать объект из списка объектов"_qs};
        QTest::newRow("top-up item") << "N48, root" << false << QStringList{u"show Передача команды page 0"_qs} << QStringList{};
        QTest::newRow("command item") << "N49, root" << false << QStringList{u"show Передача команды page 1"_qs} << QStringList{};
        QTest::newRow("dispatch top-up") << "top-up window" << false
                                         << QStringList{u"progress cleared"_qs, u"show Передача команды page 1"_qs}
                                         << QStringList{};
    }
    // The command window opens with the chosen object in its caption, or as it was while a
    // terminal answer blinks; the menu items choose the page whatever is selected.
    void openers()
    {
        QFETCH(QString, opener);
        QFETCH(bool, blinking);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, shown);
        CommandsRig rig;
        Prepare(rig, opener);
        rig.host.caption = u"Передача команды"_qs;
        rig.host.page = 1;
        if (blinking)
            rig.timers.start(MainTimer::Timer1);
        if (opener.startsWith(u"terminal"))
            rig.controller.SpeedButton_Show_Send_Comand_FormClick();
        else if (opener.startsWith(u"N48"))
            rig.controller.N48Click();
        else if (opener.startsWith(u"N49"))
            rig.controller.N49Click();
        else
            rig.controller.SpeedButton5Click();
        QCOMPARE(rig.host.steps, steps);
        QCOMPARE(rig.notices.shown, shown);
    }
};

KVT_TEST(OperatorRequestsTest)
#include "OperatorRequestsTest.moc"
