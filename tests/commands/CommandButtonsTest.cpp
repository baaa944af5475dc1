#include "CommandsRig.h"
#include "gsm/ModemInterface.h"
#include "gsm/PduConv.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;

namespace {

const QList<SettingControl> kTwoBoxes{{u"Box1"_qs, u"box"_qs, u"1"_qs, u"1"_qs, u"1"_qs, {}}, {u"Box2"_qs, u"box"_qs, u"2"_qs, u"2"_qs, u"1"_qs, {}}};
const QString kCtrlZ(modem::kCtrlZ);

void press(CommandsRig& rig, const QString& button)
{
    FormControl& sender = rig.control(button);
    if (button == QLatin1String("Settings"))
        rig.controller.SpeedButton3Click(sender);
    else
        rig.controller.Send_Pusk_ButtonClick(sender);
}

} // namespace

class CommandButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void framesInTheMailboxes_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("title");
        QTest::newRow("radio command") << "ZigBee" << "Command" << "030102" << "Отправка команды по радиоканалу объекту ";
        QTest::newRow("RS-485 command") << "RS485" << "Command" << "0102" << "Отправка команды по каналу RS485 объекту ";
        // 0A, then S = 0102, then SH and SL: 11 bytes after LL, plus one.
        QTest::newRow("radio settings") << "ZigBee" << "Settings" << "0C0A01020000000100000002"
                                        << "Передача данных по радиоканалу объекту";
        QTest::newRow("RS-485 settings") << "RS485" << "Settings" << "0A010205" << "Передача данных по каналу RS485 объекту";
    }
    // Over the radio and RS-485 links a button only leaves its frame, object and frame together,
    // in the link's mailbox, with a green line.
    void framesInTheMailboxes()
    {
        QFETCH(QString, link);
        QFETCH(QString, button);
        QFETCH(QString, frame);
        QFETCH(QString, title);
        CommandsRig rig;
        rig.linksReady();
        rig.settings.update([](SettingsData& d) {
            d.radioDH = u"00000001"_qs;
            d.radioDL = u"00000002"_qs;
            d.rs485Id = u"05"_qs;
        });
        rig.lastContact(link);
        rig.loadForm(CommandFormText(u"0102"_qs, u"0a"_qs, kTwoBoxes));
        press(rig, button);
        links::LinkMailbox& mailbox = link == QLatin1String("ZigBee") ? rig.radio : rig.rs485;
        const bool settings = button == QLatin1String("Settings");
        QCOMPARE(settings ? mailbox.SettingsFrame() : mailbox.CommandFrame(), frame);
        QCOMPARE(settings ? mailbox.SettingsObject() : mailbox.CommandObject(), u"7"_qs);
        QCOMPARE(rig.log.entries(), QStringList{title + u"|НС-3|32768"_qs});
        QVERIFY(rig.notices.shown.isEmpty());
        QVERIFY(rig.modemPort.writes().isEmpty());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("busyNotices");
        const QString radioClosed = u"Не возможно выполнить действие. Порт радиомодема закрыт."_qs;
        const QString rs485Closed = u"Не возможно выполнить действие. Порт адаптера RS485 закрыт."_qs;
        const QString modemSilent = u"Не возможно выполнить действие из-за отсутствия связи с модемом. Попробуйте "
                                    "заново установить связь с модемом в настройках программы."_qs;
        QTest::newRow("no object chosen") << "GSM" << "Command" << "no selection"
                                          << QStringList{u"Необходимо выбрать объект из списка."_qs} << 0;
        QTest::newRow("radio port closed, modem connected")
            << "ZigBee" << "Command" << "radio closed" << QStringList{radioClosed} << 0;
        QTest::newRow("radio port first of all") << "ZigBee" << "Settings" << "radio closed, lamp out, radio errors"
                                                 << QStringList{radioClosed} << 0;
        QTest::newRow("radio modem silent") << "ZigBee" << "Settings" << "lamp out, radio errors"
                                            << QStringList{u"Не возможно выполнить действие. Радиомодем не отвечает."_qs} << 0;
        QTest::newRow("no radio contact") << "ZigBee" << "Command" << "radio errors"
                                          << QStringList{u"Не возможно выполнить действие. С объектом нет связи по радиоканалу."_qs}
                                          << 0;
        QTest::newRow("RS-485 port first") << "RS485" << "Command" << "rs485 closed, rs485 errors"
                                           << QStringList{rs485Closed} << 0;
        QTest::newRow("no RS-485 contact, lamp ignored")
            << "RS485" << "Settings" << "lamp out, rs485 errors"
            << QStringList{u"Не возможно выполнить действие. С объектом нет связи по каналу RS485."_qs} << 0;
        QTest::newRow("GSM busy first") << "GSM" << "Command" << "pending, silent, modem closed" << QStringList{} << 1;
        QTest::newRow("GSM during a modem dialogue") << "GSM" << "Settings" << "dialogue" << QStringList{} << 1;
        QTest::newRow("GSM modem silent") << "GSM" << "Command" << "silent, modem closed" << QStringList{modemSilent} << 0;
        QTest::newRow("GSM modem silent, settings")
            << "GSM" << "Settings" << "silent"
            << QStringList{u"Не возможно выполнить действие из-за отсутствия связи с GSM модемом. Попробуйте заново "
                           "установить связь с модемом в настройках программы."_qs}
            << 0;
        QTest::newRow("GSM modem closed") << "GSM" << "Command" << "modem closed"
                                          << QStringList{u"Необходимо установить связь с модемом."_qs} << 0;
        QTest::newRow("GSM modem closed, settings") << "GSM" << "Settings" << "modem closed"
                                                    << QStringList{u"Необходимо установить связь с GSM модемом."_qs} << 0;
        QTest::newRow("object renamed meanwhile") << "GSM" << "Command" << "unknown object"
                                                  << QStringList{u"Необходимо выделить объект изсписка объектов."_qs} << 0;
    }
    // Each refusal in its order: the first that applies is shown, nothing is sent or logged.
    void refusals()
    {
        QFETCH(QString, link);
        QFETCH(QString, button);
        QFETCH(QString, setup);
        QFETCH(QStringList, shown);
        QFETCH(int, busyNotices);
        CommandsRig rig;
        rig.linksReady();
        rig.lastContact(link, setup.contains(u"radio errors") ? 3 : 2, setup.contains(u"rs485 errors") ? 3 : 2);
        rig.loadForm(CommandFormText(u"0102"_qs, u"0A"_qs, kTwoBoxes));
        if (setup.contains(u"no selection"))
            rig.host.selected.reset();
        if (setup.contains(u"unknown object"))
            rig.host.selected = u"Другой"_qs;
        if (setup.contains(u"radio closed"))
            rig.radioPort.Close();
        if (setup.contains(u"lamp out"))
            rig.indicators.setOn(LinkLamp::Radio, false);
        if (setup.contains(u"rs485 closed"))
            rig.rs485Port.Close();
        if (setup.contains(u"modem closed"))
            rig.modemPort.Close();
        if (setup.contains(u"silent"))
            rig.modem.silenceReported = true;
        if (setup.contains(u"pending"))
            rig.log.LogEvent(u"Опрос объекта"_qs, {}, EventColour::Green);
        const int lines = int(rig.log.lines.size());
        if (setup.contains(u"dialogue"))
            rig.exchange.dialogue(gsm::restart::kSenders, [&] { press(rig, button); });
        else
            press(rig, button);
        QCOMPARE(rig.notices.shown, shown);
        QCOMPARE(rig.host.busyNotices, busyNotices);
        QCOMPARE(rig.log.lines.size(), lines);
        QVERIFY(rig.radio.CommandFrame().isEmpty() && rig.radio.SettingsFrame().isEmpty());
        QVERIFY(rig.rs485.CommandFrame().isEmpty() && rig.rs485.SettingsFrame().isEmpty());
        QVERIFY(rig.modemPort.writes().isEmpty());
    }

    void gsmSendsADataSms_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QStringList>("log");
        const QString sent = u"Были отправлены по GSM каналу данные объекту|НС-3|65535"_qs;
        const QString failed = u"Не удалась попытка отправки данных объекту по GSM каналу|НС-3|255"_qs;
        QTest::newRow("command") << "Command" << true << "0102"
                                 << QStringList{u"Отправка данных объекту|НС-3|32768"_qs, sent};
        QTest::newRow("settings") << "Settings" << true << "0A0102"
                                  << QStringList{u"Передача новых установок объекту|НС-3|32768"_qs, sent};
        QTest::newRow("command never confirmed") << "Command" << false << "0102"
                                                 << QStringList{u"Отправка данных объекту|НС-3|32768"_qs, failed};
    }
    // Over GSM the button is disabled while its SMS is sent and enabled afterwards; the outcome
    // is logged, and the data-sent sound plays when the modem took the message.
    void gsmSendsADataSms()
    {
        QFETCH(QString, button);
        QFETCH(bool, accepted);
        QFETCH(QString, data);
        QFETCH(QStringList, log);
        CommandsRig rig;
        rig.linksReady();
        rig.lastContact(u"GSM"_qs);
        rig.loadForm(CommandFormText(u"0102"_qs, u"0A"_qs, kTwoBoxes));
        if (accepted)
            rig.modemPort.respond(kCtrlZ.toLatin1(), kSmsAccepted, 500);
        bool disabledMeanwhile = false;
        rig.clock.schedule(1000, [&] { disabledMeanwhile = !rig.control(button).isEnabled(); });
        press(rig, button);
        const QString pdu = EncodeDataSubmitPdu(data, CommandsRig::kPhone);
        QCOMPARE(rig.modemCommands().value(1), pdu + kCtrlZ);
        QCOMPARE(rig.log.entries(), log);
        QCOMPARE(rig.player.played, accepted ? QStringList{u"SendData"_qs} : QStringList{});
        QVERIFY(disabledMeanwhile);
        QVERIFY(rig.control(button).isEnabled());
    }

    void configurationErrorsSendNothing_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("sh");
        QTest::addColumn<QString>("named");
        QTest::newRow("radio settings, divisor 0") << "ZigBee" << "Settings" << "01" << "00000001" << "«Bad»";
        QTest::newRow("radio settings, SH not hex") << "ZigBee" << "Settings" << "01" << "0000000G" << "«SH»";
        QTest::newRow("radio command not hex") << "ZigBee" << "Command" << "0G" << "00000001" << "«Command»";
        QTest::newRow("RS-485 settings, divisor 0") << "RS485" << "Settings" << "01" << "00000001" << "«Bad»";
        QTest::newRow("GSM settings, divisor 0") << "GSM" << "Settings" << "01" << "00000001" << "«Bad»";
        QTest::newRow("GSM command not hex") << "GSM" << "Command" << "0G" << "00000001" << "«Command»";
        QTest::newRow("GSM command without data") << "GSM" << "Command" << "" << "00000001" << "Кнопка не правильно настроена";
    }
    // A configuration that cannot make a frame is named to the operator and logged in red, which
    // ends a pending action; the mailboxes keep the frames they held, nothing goes to the modem,
    // and the button is enabled.
    void configurationErrorsSendNothing()
    {
        QFETCH(QString, link);
        QFETCH(QString, button);
        QFETCH(QString, command);
        QFETCH(QString, sh);
        QFETCH(QString, named);
        CommandsRig rig;
        rig.linksReady();
        rig.settings.update([&](SettingsData& d) { d.radioDH = sh; });
        rig.lastContact(link);
        QList<SettingControl> controls = kTwoBoxes;
        if (sh == QLatin1String("00000001") && button == QLatin1String("Settings"))
            controls << SettingControl{u"Bad"_qs, u"box"_qs, u"5"_qs, u"3"_qs, u"1"_qs, u"0"_qs};
        rig.loadForm(CommandFormText(command, u"0A"_qs, controls));
        for (links::LinkMailbox* mailbox : {&rig.radio, &rig.rs485}) {
            mailbox->setCommand(u"3"_qs, u"AA"_qs);
            mailbox->setSettings(u"3"_qs, u"BB"_qs);
        }
        press(rig, button);
        QCOMPARE(rig.notices.shown.size(), 1);
        QVERIFY2(rig.notices.shown[0].contains(named), qPrintable(rig.notices.shown[0]));
        QCOMPARE(rig.log.lines.last().colour, EventColour::Red);
        QVERIFY(!rig.log.IsActionPending());
        for (links::LinkMailbox* mailbox : {&rig.radio, &rig.rs485}) {
            QCOMPARE(mailbox->CommandObject() + mailbox->CommandFrame(), u"3AA"_qs);
            QCOMPARE(mailbox->SettingsObject() + mailbox->SettingsFrame(), u"3BB"_qs);
        }
        QVERIFY(rig.modemPort.writes().isEmpty());
        QVERIFY(rig.control(button).isEnabled());
    }
};

KVT_TEST(CommandButtonsTest)
#include "CommandButtonsTest.moc"
