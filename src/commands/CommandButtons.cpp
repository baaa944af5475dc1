#include "commands/CommandButtons.h"

#include "commands/CommandErrors.h"
#include "commands/CommandHost.h"
#include "commands/GsmActionGate.h"
#include "commands/ObjectDataSms.h"
#include "commands/SettingsPayload.h"
#include "common/EventSink.h"
#include "common/OperatorNotices.h"
#include "forms/CurrentObject.h"
#include "forms/ObjectForm.h"
#include "links/LinkFrameText.h"
#include "links/LinkMailbox.h"
#include "serial/LinkIndicators.h"
#include "serial/SerialPort.h"
#include "settings/Settings.h"
#include "store/ChannelAddresses.h"
#include "store/Registry.h"

#include <QPointer>

namespace kvt::commands {

const QString CommandButtons::kRadioLink = QStringLiteral("ZigBee");
const QString CommandButtons::kRs485Link = QStringLiteral("RS485");

namespace {

const QString kLinkKey = QStringLiteral("SVYAZ");
const QString kErrorCountKey = QStringLiteral("ErrCnt");
// An error counter above this means no contact with the object over that link.
constexpr int kMostLinkErrors = 2;

const QString kChooseObject = QStringLiteral("Необходимо выбрать объект из списка.");
const QString kButtonNotConfigured = QStringLiteral("Кнопка не правильно настроена");
const QString kRadioPortClosed = QStringLiteral("Не возможно выполнить действие. Порт радиомодема закрыт.");
const QString kRadioModemSilent = QStringLiteral("Не возможно выполнить действие. Радиомодем не отвечает.");
const QString kNoRadioContact = QStringLiteral("Не возможно выполнить действие. С объектом нет связи по радиоканалу.");
const QString kRs485PortClosed = QStringLiteral("Не возможно выполнить действие. Порт адаптера RS485 закрыт.");
const QString kNoRs485Contact = QStringLiteral("Не возможно выполнить действие. С объектом нет связи по каналу RS485.");
const QString kConnectModem = QStringLiteral("Необходимо установить связь с модемом.");
const QString kSelectObjectAgain = QStringLiteral("Необходимо выделить объект изсписка объектов.");
const QString kGsmModemSilent = QStringLiteral(
    "Не возможно выполнить действие из-за отсутствия связи с GSM модемом. Попробуйте заново установить связь с "
    "модемом в настройках программы.");
const QString kConnectGsmModem = QStringLiteral("Необходимо установить связь с GSM модемом.");

const QString kRadioCommandTitle = QStringLiteral("Отправка команды по радиоканалу объекту ");
const QString kRs485CommandTitle = QStringLiteral("Отправка команды по каналу RS485 объекту ");
const QString kGsmCommandTitle = QStringLiteral("Отправка данных объекту");
const QString kRadioSettingsTitle = QStringLiteral("Передача данных по радиоканалу объекту");
const QString kRs485SettingsTitle = QStringLiteral("Передача данных по каналу RS485 объекту");
const QString kGsmSettingsTitle = QStringLiteral("Передача новых установок объекту");
const QString kConfigErrorTitle = QStringLiteral("Команда не отправлена из-за ошибки настройки");

const QString kRadioHighField = QStringLiteral("SH");
const QString kRadioLowField = QStringLiteral("SL");
const QString kRs485AddressField = QStringLiteral("Адрес в сети RS-485");

// A link address of the console as it goes into a settings frame: whole hexadecimal bytes.
QString CheckedAddress(const QString& field, const QString& text)
{
    if (!IsHexDigits(text))
        throw CommandConfigError::ofSettingsField(
            field, QStringLiteral("«%1» не является шестнадцатеричным числом").arg(text));
    if (text.size() % 2 != 0)
        throw CommandConfigError::ofSettingsField(field, QStringLiteral("нечётное число шестнадцатеричных цифр"));
    return text.toUpper();
}

// Enables the button again on every way out; the form may have been replaced meanwhile.
class DisabledWhileSending {
public:
    explicit DisabledWhileSending(FormControl& button) : button_(&button) { button.setEnabled(false); }
    ~DisabledWhileSending()
    {
        if (button_)
            button_->setEnabled(true);
    }
    DisabledWhileSending(const DisabledWhileSending&) = delete;
    DisabledWhileSending& operator=(const DisabledWhileSending&) = delete;

private:
    QPointer<FormControl> button_;
};

} // namespace

std::optional<CommandButtons::Target> CommandButtons::commonStart()
{
    c_.host.focusObjectTree();
    const std::optional<QString> name = c_.host.selectedObjectName();
    if (!name) {
        c_.notices.information(kChooseObject);
        return std::nullopt;
    }
    Target target;
    target.nodeText = *name;
    registry::ObjectTable& objects = c_.registry.objects();
    // An object that is not found (renamed meanwhile) has no link of last contact: the GSM path
    // refuses it where it looks the object up again.
    if (!objects.locateByName(*name))
        return target;
    target.code = objects.currentRow().Kod_O;
    target.phone = objects.currentRow().Phone_O;
    const QString section = QString::number(*target.code);
    const QString link = c_.channels.zigBee().readString(section, kLinkKey);
    target.radioErrors = c_.channels.zigBee().readInteger(section, kErrorCountKey, 0);
    target.rs485Errors = c_.channels.rs485().readInteger(section, kErrorCountKey, 0);
    target.link = link == kRadioLink ? Link::Radio : link == kRs485Link ? Link::Rs485 : Link::Gsm;
    return target;
}

bool CommandButtons::refuseRadio(const Target& target)
{
    if (!c_.radioPort.Connected())
        c_.notices.information(kRadioPortClosed);
    else if (c_.indicators.helpContext(LinkLamp::Radio) == LinkIndicators::kLinkDownMarker)
        c_.notices.information(kRadioModemSilent);
    else if (target.radioErrors > kMostLinkErrors)
        c_.notices.information(kNoRadioContact);
    else
        return false;
    return true;
}

bool CommandButtons::refuseRs485(const Target& target)
{
    if (!c_.rs485Port.Connected())
        c_.notices.information(kRs485PortClosed);
    else if (target.rs485Errors > kMostLinkErrors)
        c_.notices.information(kNoRs485Contact);
    else
        return false;
    return true;
}

void CommandButtons::Send_Pusk_ButtonClick(FormControl& sender)
{
    const std::optional<Target> target = commonStart();
    if (!target)
        return;
    switch (target->link) {
    case Link::Radio: sendRadioCommand(sender, *target); break;
    case Link::Rs485: sendRs485Command(sender, *target); break;
    case Link::Gsm: sendGsmCommand(sender, *target); break;
    }
}

void CommandButtons::SpeedButton3Click(FormControl& sender)
{
    const std::optional<Target> target = commonStart();
    if (!target)
        return;
    switch (target->link) {
    case Link::Radio: sendRadioSettings(sender, *target); break;
    case Link::Rs485: sendRs485Settings(sender, *target); break;
    case Link::Gsm: sendGsmSettings(sender, *target); break;
    }
}

void CommandButtons::sendRadioCommand(FormControl& sender, const Target& target)
{
    if (refuseRadio(target))
        return;
    configured(target, [&] {
        const QString data = ButtonData(sender, c_.current.controlConfig());
        if (data.isEmpty()) {
            c_.notices.notice(kButtonNotConfigured);
            return;
        }
        const QString frame = links::RadioCommandFrame(data);
        c_.log.LogEvent(kRadioCommandTitle, target.nodeText, EventColour::Green);
        c_.radio.setCommand(QString::number(*target.code), frame);
    });
}

void CommandButtons::sendRs485Command(FormControl& sender, const Target& target)
{
    if (refuseRs485(target))
        return;
    configured(target, [&] {
        const QString data = ButtonData(sender, c_.current.controlConfig());
        if (data.isEmpty()) {
            c_.notices.notice(kButtonNotConfigured);
            return;
        }
        c_.log.LogEvent(kRs485CommandTitle, target.nodeText, EventColour::Green);
        c_.rs485.setCommand(QString::number(*target.code), links::Rs485CommandFrame(data));
    });
}

void CommandButtons::sendGsmCommand(FormControl& sender, const Target& target)
{
    if (RefuseGsmAction(c_.gate, c_.host, c_.notices, {kModemSilentRefusal, kConnectModem}))
        return;
    c_.host.focusObjectTree();
    if (!target.code || !c_.registry.objects().locateByName(target.nodeText)) {
        c_.notices.information(kSelectObjectAgain);
        return;
    }
    const QString phone = c_.registry.objects().currentRow().Phone_O;
    const DisabledWhileSending disabled(sender);
    c_.log.LogEvent(kGsmCommandTitle, target.nodeText, EventColour::Green);
    QString data;
    if (!configured(target, [&] { data = ButtonData(sender, c_.current.controlConfig()); }))
        return;
    if (data.isEmpty()) {
        c_.notices.notice(kButtonNotConfigured);
        // The green line must not stay last: it would hold back every later modem action.
        c_.log.LogEvent(kConfigErrorTitle, target.nodeText + QStringLiteral(": ") + kButtonNotConfigured,
                        EventColour::Red);
        return;
    }
    SendObjectDataSms(c_.sms, c_.log, c_.sounds, target.nodeText, phone, data);
}

void CommandButtons::sendRadioSettings(FormControl& sender, const Target& target)
{
    if (refuseRadio(target))
        return;
    c_.log.LogEvent(kRadioSettingsTitle, target.nodeText, EventColour::Green);
    configured(target, [&] {
        const QString payload = BuildSettingsPayload(*c_.current.form(), c_.current.controlConfig());
        const QString data = ButtonData(sender, c_.current.controlConfig());
        const QString frame = links::RadioSettingsFrame(data, payload,
                                                        CheckedAddress(kRadioHighField, c_.settings->radioDH),
                                                        CheckedAddress(kRadioLowField, c_.settings->radioDL));
        c_.radio.setSettings(QString::number(*target.code), frame);
    });
}

void CommandButtons::sendRs485Settings(FormControl& sender, const Target& target)
{
    if (refuseRs485(target))
        return;
    c_.log.LogEvent(kRs485SettingsTitle, target.nodeText, EventColour::Green);
    configured(target, [&] {
        const QString payload = BuildSettingsPayload(*c_.current.form(), c_.current.controlConfig());
        const QString data = ButtonData(sender, c_.current.controlConfig());
        const QString frame =
            links::Rs485SettingsFrame(data, payload, CheckedAddress(kRs485AddressField, c_.settings->rs485Id));
        c_.rs485.setSettings(QString::number(*target.code), frame);
    });
}

void CommandButtons::sendGsmSettings(FormControl& sender, const Target& target)
{
    if (RefuseGsmAction(c_.gate, c_.host, c_.notices, {kGsmModemSilent, kConnectGsmModem}))
        return;
    if (!target.code) {
        c_.notices.information(kSelectObjectAgain);
        return;
    }
    const DisabledWhileSending disabled(sender);
    c_.log.LogEvent(kGsmSettingsTitle, target.nodeText, EventColour::Green);
    QString data;
    const bool made = configured(target, [&] {
        const QString payload = BuildSettingsPayload(*c_.current.form(), c_.current.controlConfig());
        data = ButtonData(sender, c_.current.controlConfig()) + payload;
    });
    if (made)
        SendObjectDataSms(c_.sms, c_.log, c_.sounds, target.nodeText, target.phone, data);
}

bool CommandButtons::configured(const Target& target, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const CommandConfigError& error) {
        c_.notices.notice(error.message() + QStringLiteral("\nКоманда не отправлена."));
        c_.log.LogEvent(kConfigErrorTitle, target.nodeText + QStringLiteral(": ") + error.message(), EventColour::Red);
        return false;
    }
}

} // namespace kvt::commands
