#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace kvt {
class AlertSounds;
class CurrentObject;
class EventSink;
class FormControl;
class LinkIndicators;
class OperatorNotices;
class SerialPort;
class Settings;
namespace gsm {
class SmsSender;
}
namespace links {
class LinkMailbox;
}
namespace registry {
class ChannelAddresses;
class Registry;
} // namespace registry
} // namespace kvt

namespace kvt::commands {

class CommandHost;
class GsmActionGate;

// What the command buttons work with.
struct CommandButtonsContext {
    CommandHost& host;
    OperatorNotices& notices;
    EventSink& log;
    const GsmActionGate& gate;
    registry::Registry& registry;
    // The link of last contact (SVYAZ) and the error counters (ErrCnt) of the objects.
    registry::ChannelAddresses& channels;
    const SerialPort& radioPort;  // Port_ZigBee
    const SerialPort& rs485Port;  // Port_RS485
    const LinkIndicators& indicators;
    links::LinkMailbox& radio;    // RadioLink
    links::LinkMailbox& rs485;    // Rs485Link
    // The console's own link addresses ("SH", "SL", "Адрес в сети RS-485").
    const Settings& settings;
    gsm::SmsSender& sms;
    AlertSounds& sounds;
    // The object form the buttons belong to, with the control configuration list.
    CurrentObject& current;
};

// The command buttons of object forms: a command button sends its own data, the settings button
// (help context 123) its data followed by the settings payload of the form. Both go over the
// link of the object's last contact: into the radio or RS-485 link mailbox, or as a data SMS.
// A button never leaves the console stuck: a button disabled for its SMS is enabled again on
// every way out, and a configuration that cannot make a frame is named to the operator, logged
// in red and sends nothing.
class CommandButtons {
public:
    explicit CommandButtons(CommandButtonsContext context) : c_(context) {}

    // Send_Pusk_ButtonClick: click of a command button.
    void Send_Pusk_ButtonClick(FormControl& sender);
    // SpeedButton3Click: click of the settings button.
    void SpeedButton3Click(FormControl& sender);

    // The values of SVYAZ that choose a link; anything else (none included) is GSM.
    static const QString kRadioLink;  // "ZigBee"
    static const QString kRs485Link;  // "RS485"

private:
    enum class Link { Radio, Rs485, Gsm };
    // The object chosen in the tree, as the common start of both buttons finds it.
    struct Target {
        QString nodeText;
        std::optional<int> code;  // Kod_O; none when no object has the node's name
        QString phone;
        Link link = Link::Gsm;
        int radioErrors = 0;
        int rs485Errors = 0;
    };

    std::optional<Target> commonStart();
    // The refusals of the radio and RS-485 links in their order; true when one was shown.
    bool refuseRadio(const Target& target);
    bool refuseRs485(const Target& target);

    void sendRadioCommand(FormControl& sender, const Target& target);
    void sendRs485Command(FormControl& sender, const Target& target);
    void sendGsmCommand(FormControl& sender, const Target& target);
    void sendRadioSettings(FormControl& sender, const Target& target);
    void sendRs485Settings(FormControl& sender, const Target& target);
    void sendGsmSettings(FormControl& sender, const Target& target);

    // Runs `step`; a configuration error is shown to the operator and logged in red (which ends
    // a pending action). True when the step ran through.
    bool configured(const Target& target, const std::function<void()>& step);

    CommandButtonsContext c_;
};

} // namespace kvt::commands
