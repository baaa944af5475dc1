#include "commands/TerminalRequests.h"

#include "commands/CommandHost.h"
#include "commands/GsmActionGate.h"
#include "commands/ObjectDataSms.h"
#include "common/EventSink.h"
#include "common/Hex.h"
#include "common/OperatorNotices.h"
#include "gsm/ModemInterface.h"
#include "store/Registry.h"

#include <optional>

namespace kvt::commands {

namespace {

// "TERMINAL:" and CR, the mark of terminal requests and answers.
const QString kTerminalMarker = QStringLiteral("5445524D494E414C3A0D");
const QString kCrLfHex = QStringLiteral("0D0A");

const QString kConnectModem = QStringLiteral("Установите связь с модемом.");
const QString kBadCommand = QStringLiteral("Неверная команда.");
const QString kChooseObjectAgain = QStringLiteral("Необходимо заново выбрать объект.");

} // namespace

const QString TerminalRequests::kTopUpTitle = QStringLiteral("Пополнение баланса GSM модема объекта");
const QString TerminalRequests::kCommandTitle = QStringLiteral("Передача команды объекту ");

QString TerminalRequests::TerminalRequestData(const QString& command)
{
    return kTerminalMarker + BytesToHex(command) + kCrLfHex;
}

void TerminalRequests::topUpObject(const QString& cardString)
{
    send(modem::kDialPrefix + cardString + modem::kDialSuffix, kTopUpTitle);
}

void TerminalRequests::sendCommand(const QString& command)
{
    send(command, kCommandTitle);
}

void TerminalRequests::send(const QString& command, const QString& title)
{
    if (RefuseGsmAction(c_.gate, c_.host, c_.notices, {kModemSilentRefusal, kConnectModem, true}))
        return;
    if (command.isEmpty()) {
        c_.notices.notice(kBadCommand);
        return;
    }
    const std::optional<QString> name = c_.host.selectedObjectName();
    registry::ObjectTable& objects = c_.registry.objects();
    if (!name || !objects.locateByName(*name)) {
        c_.notices.notice(kChooseObjectAgain);
        return;
    }
    const QString phone = objects.currentRow().Phone_O;
    c_.log.LogEvent(title, *name, EventColour::Green);
    SendObjectDataSms(c_.sms, c_.log, c_.sounds, *name, phone, TerminalRequestData(command));
}

} // namespace kvt::commands
