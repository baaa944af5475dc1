#include "app/DemoConsole.h"
#include "forms/CurrentObject.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"
#include "objects/ui/RegistryTrees.h"
#include "support/SimModemProcess.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace kvt;
using namespace kvt::test;
using namespace kvt::test::demo;

namespace {


// The simulators of the three links and the console on a demo instance connected to all of them.
struct ConnectedDemo {
    SimModemProcess modem;
    SimulatorProcess radio{QStringLiteral("kvt-sim-radio"), {QStringLiteral("--object"), kRadioAddress}};
    SimulatorProcess rs485{QStringLiteral("kvt-sim-rs485"), {QStringLiteral("--slave"), QString::number(kRs485Slave)}};
    DemoInstance demo;
    std::unique_ptr<InProcessConsole> console;

    QString failure() const
    {
        for (const SimulatorProcess* sim : {static_cast<const SimulatorProcess*>(&modem), &radio, &rs485})
            if (!sim->started())
                return sim->failure();
        return demo.made() ? QString() : demo.failure();
    }
    void start()
    {
        demo.connectModemTo(modem.devicePath());
        for (const auto& [section, device] : {std::pair{QStringLiteral("Radio_Svyaz"), radio.devicePath()},
                                              std::pair{QStringLiteral("RS485_Svyaz"), rs485.devicePath()}}) {
            demo.setKey(section, QStringLiteral("Port"), device);
            demo.setKey(section, QStringLiteral("AutoStart"), QStringLiteral("1"));
        }
        // The console's own radio address, which a settings frame carries.
        demo.setKey(QStringLiteral("Radio_Svyaz"), QStringLiteral("DH"), QStringLiteral("0013A200"));
        demo.setKey(QStringLiteral("Radio_Svyaz"), QStringLiteral("DL"), QStringLiteral("40000001"));
        console = std::make_unique<InProcessConsole>(demo.home());
    }
    ConsoleCore& core() { return console->core(); }
    GeneralForm& window() { return console->window(); }

    // The modem set up and no action pending (the last line logged is not green).
    bool modemIdle()
    {
        return modem.transcript().contains(QStringLiteral("-> AT+CNMI=1,1,0,0"))
               && core().log.statusLine().colour() != EventColour::Green && !core().modem.dialogue.isRunning();
    }
    // Selects the object's node, which shows its form.
    bool select(const QString& name)
    {
        registry::ObjectTreeModel& model = window().trees().objectModel();
        for (int row = 0; row < model.childCount(); ++row) {
            if (model.child(row).text == name) {
                window().trees().selectObjectNode(model.childIndex(row));
                return core().currentObject.form() != nullptr;
            }
        }
        return false;
    }
    int code(const QString& name) const
    {
        return console->query(QStringLiteral("SELECT Kod_O FROM Object_ND WHERE Name_O = '%1'").arg(name)).value(0).toInt();
    }
    // The object was last heard over `link` (SVYAZ of ZigBee.ini).
    void lastContact(const QString& name, const QString& link)
    {
        core().addresses.zigBee().writeString(QString::number(code(name)), QStringLiteral("SVYAZ"), link);
    }
    void click(const QString& button)
    {
        ObjectForm* form = core().currentObject.form();
        core().currentObject.wiring()->click(*form->control(button));
    }
};

} // namespace

// The operator's commands in the console against the simulators of its three links, in real
// time: what the simulators receive when the buttons of the demo forms are pressed, the balance
// of the console's modem, and a terminal command to an object's modem with its answer.
class CommandsEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void formButtonsSendOverTheLinkOfLastContact()
    {
        ConnectedDemo d;
        QVERIFY2(d.failure().isEmpty(), qPrintable(d.failure()));
        d.start();
        QTRY_VERIFY_WITH_TIMEOUT(d.core().indicators.isOn(LinkLamp::Radio), kLinkMs);
        QTRY_VERIFY_WITH_TIMEOUT(d.core().indicators.isOn(LinkLamp::Rs485), kLinkMs);
        QTRY_VERIFY_WITH_TIMEOUT(d.modemIdle(), kLinkMs);

        const struct {
            QString object;
            QString link; // SVYAZ
            QString button;
            QString settingBox; // set by the operator before the press, on the settings page
            int setting;
            SimulatorProcess* sim;
            QString seen; // the simulator's event line
        } presses[] = {
            // Radio: LL (the bytes after it, plus one) and the data; for settings the level set
            // point 150, the identifier "KNS05" as characters, then SH and SL.
            {kRadioObject, QStringLiteral("ZigBee"), QStringLiteral("ButtonPumpStart"), {}, 0, &d.radio,
             QStringLiteral("COMMAND %1 030501 ").arg(kRadioAddress)},
            {kRadioObject, QStringLiteral("ZigBee"), QStringLiteral("ButtonWrite"), QStringLiteral("SpinSetLevel"), 150,
             &d.radio, QStringLiteral("SETTINGS %1 1053964B4E5330350013A20040000001 ").arg(kRadioAddress)},
            // RS-485: the data; for settings the supply set point 65, the identifier "ЦТП02" in
            // the console's code page and the console's address on the bus.
            {kRs485Object, QStringLiteral("RS485"), QStringLiteral("ButtonHeatingOff"), {}, 0, &d.rs485,
             QStringLiteral("COMMAND %1 0600 ").arg(kRs485Slave)},
            {kRs485Object, QStringLiteral("RS485"), QStringLiteral("ButtonWrite"), QStringLiteral("SpinSetSupply"), 65,
             &d.rs485, QStringLiteral("SETTINGS %1 5341D6D2CF303200 ").arg(kRs485Slave)},
            // GSM: a data SMS to the object's phone.
            {kPumpingStation, QStringLiteral("GSM"), QStringLiteral("ButtonStart"), {}, 0, &d.modem,
             QStringLiteral("DATA %1 5031").arg(kPumpingStationPhone)},
        };
        for (const auto& press : presses) {
            // The frame before has been delivered: its green line is no longer the last one.
            QTRY_VERIFY_WITH_TIMEOUT(d.modemIdle(), kLinkMs);
            QVERIFY2(d.select(press.object), qPrintable(press.object));
            d.lastContact(press.object, press.link);
            d.core().currentObject.showPage(press.settingBox.isEmpty() ? 0 : 1);
            if (!press.settingBox.isEmpty())
                d.core().currentObject.form()->control(press.settingBox)->setValue(press.setting);
            const QString kind = press.seen.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ');
            const int before = press.sim->linesStartingWith(kind).size();
            d.click(press.button);
            const QString line = press.sim->waitForNthLine(kind, before, kLinkMs);
            QVERIFY2(line.startsWith(press.seen) || line == press.seen.trimmed(),
                     qPrintable(press.button + QStringLiteral(": ") + line));
            QVERIFY2(d.console->notices().shown.isEmpty(), qPrintable(d.console->notices().shown.join(u'\n')));
        }
        // The SMS was handed to the modem: logged in yellow, with the data-sent sound.
        QTRY_VERIFY_WITH_TIMEOUT(d.demo.reportLog().contains(
                                     QStringLiteral("Были отправлены по GSM каналу данные объекту ") + kPumpingStation),
                                 kLinkMs);
        QCOMPARE(d.console->player().played.count(QStringLiteral("SendData")), 1);
    }

    void balanceCheckShowsTheNetworksAnswer()
    {
        ConnectedDemo d;
        QVERIFY2(d.failure().isEmpty(), qPrintable(d.failure()));
        d.start();
        QTRY_VERIFY_WITH_TIMEOUT(d.modemIdle(), kLinkMs);
        auto* balance = d.window().findChild<QLabel*>(QStringLiteral("Label24"));
        QCOMPARE(balance->text(), QStringLiteral("?"));

        QTest::mouseClick(d.window().findChild<QLabel*>(QStringLiteral("lbl2")), Qt::LeftButton);
        // The simulator's answer "Баланс 150.25 р." after the mask "Баланс", answer length 14.
        QCOMPARE(balance->text(), QStringLiteral(" 150.25 р."));
        QCOMPARE(balance->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(d.modem.transcript().contains(QStringLiteral("-> ATD#100#;")));
        QTRY_VERIFY_WITH_TIMEOUT(d.modem.transcript().contains(QStringLiteral("-> AT+CKPD=E")), kLinkMs);
        QVERIFY(d.demo.reportLog().contains(QStringLiteral("Баланс ДП успешно проверен  -  150.25 р.")));
        for (MainTimer timer : {MainTimer::ATTimer, MainTimer::Timer2, MainTimer::QueryTimer})
            QVERIFY(d.core().timers.isActive(timer));
    }

    void terminalAnswerIsListedAndAnnouncedUntilTheWindowIsShown()
    {
        ConnectedDemo d;
        QVERIFY2(d.failure().isEmpty(), qPrintable(d.failure()));
        d.start();
        QTRY_VERIFY_WITH_TIMEOUT(d.modemIdle(), kLinkMs);
        QVERIFY(d.modem.control(QStringLiteral("terminal-answer %1 +CSQ: 21,0").arg(kPumpingStationPhone)).startsWith("OK"));
        QVERIFY(d.select(kPumpingStation));

        // The operator types the command on the command page and sends it, then closes the window.
        SendComandForm& terminal = d.console->commandWindow();
        terminal.setPage(commands::CommandWindow::kCommandPage);
        terminal.show();
        QVERIFY(d.core().supervisionPause.isSet());
        terminal.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("AT+CSQ"));
        terminal.findChild<QAbstractButton*>(QStringLiteral("SpeedButton1"))->click();
        terminal.close();
        QVERIFY(!d.core().supervisionPause.isSet());
        QVERIFY(d.modem.waitForLine(QStringLiteral("DATA %1 5445524D494E414C3A0D41542B4353510D0A").arg(kPumpingStationPhone))
                    .size());
        QVERIFY(!d.modem.waitForLine(QStringLiteral("TERMINAL %1 AT+CSQ").arg(kPumpingStationPhone)).isEmpty());

        // The answer comes back by SMS: listed in the terminal, the terminal button blinks.
        auto* termList = terminal.findChild<QPlainTextEdit*>(QStringLiteral("Term_list"));
        QTRY_VERIFY_WITH_TIMEOUT(termList->toPlainText().contains(QStringLiteral("+CSQ: 21,0")), kLinkMs);
        QVERIFY(d.core().timers.isActive(MainTimer::Timer1));
        auto* button = d.window().findChild<QAbstractButton*>(QStringLiteral("SpeedButton_Show_Send_Comand_Form"));
        QTRY_COMPARE_WITH_TIMEOUT(button->palette().color(QPalette::ButtonText), QColor(Qt::red), kLinkMs);
        QTRY_COMPARE_WITH_TIMEOUT(button->palette().color(QPalette::ButtonText), QColor(Qt::black), kLinkMs);
        QVERIFY(d.core().timers.isActive(MainTimer::Timer1));

        // Once the window is on screen the blinking ends, black.
        terminal.show();
        QTRY_VERIFY_WITH_TIMEOUT(!d.core().timers.isActive(MainTimer::Timer1), kLinkMs);
        QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(Qt::black));
        terminal.close();
    }
};

KVT_TEST(CommandsEndToEndTest)
#include "CommandsEndToEndTest.moc"
