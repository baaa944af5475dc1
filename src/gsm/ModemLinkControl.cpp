#include "gsm/ModemLinkControl.h"

#include "common/Errors.h"
#include "common/OperatorNotices.h"

namespace kvt {

const QString ModemLinkControl::kNoPortText = QStringLiteral("Не выбран COM порт GSM модема.");

ModemLinkControl::ModemLinkControl(ModemConnection& connection, SerialPort& port, OperatorNotices& notices,
                                   SetConnected setConnected)
    : connection_(connection), port_(port), notices_(notices), setConnected_(std::move(setConnected))
{
}

QString ModemLinkControl::FailureText(const PortError& error)
{
    return QStringLiteral("Не удалось установить связь с GSM модемом.\n") + error.message();
}

bool ModemLinkControl::connectLink(const QString& port, const QString& baudRate, bool dtr, bool rts)
{
    if (port.trimmed().isEmpty()) {
        notices_.notice(kNoPortText);
        return false;
    }
    // A speed that is not a number is refused by the port like any rate it cannot set.
    const PortSettings settings{port.trimmed(), baudRate.trimmed().toInt(), dtr, rts};
    try {
        connection_.Connect(settings, [this] { setConnected_(true); });
        return true;
    } catch (const PortError& error) {
        // The port may have opened and failed in the PDU mode switch (a device that vanished):
        // leave nothing half connected.
        port_.Close();
        setConnected_(false);
        notices_.notice(FailureText(error));
        return false;
    }
}

void ModemLinkControl::disconnectLink()
{
    connection_.Disconnect([this] { setConnected_(false); });
}

} // namespace kvt
