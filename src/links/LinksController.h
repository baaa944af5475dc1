#pragma once

#include "common/LinkStopHandshake.h"
#include "links/LinkEventLog.h"
#include "links/LinkEvents.h"
#include "links/LinkHandlers.h"
#include "links/LinkMailbox.h"
#include "links/LinkReportStep.h"
#include "links/LinkSupervision.h"
#include "links/QueryTimerDemand.h"
#include "links/RadioLinkEngine.h"
#include "links/Rs485LinkEngine.h"
#include "links/ShortRangeLinkWork.h"
#include "settings/LinkPortConnector.h"

#include <functional>
#include <memory>

namespace kvt {

class Clock;
class EventSink;
class IniFile;
class LinkConnections;
class LinkIndicators;
class MainTimers;
class OperatorNotices;
class SerialPort;
class Settings;
class StatePacketArrivalHost;
class SupervisionPause;
namespace links {
class LinkObjects;
}
namespace registry {
class ChannelAddresses;
class Registry;
} // namespace registry

// What the radio and RS-485 links' work reaches of the console, handed in once at start-up.
struct LinksContext {
    SerialPort& radioPort; // Port_ZigBee
    SerialPort& rs485Port; // Port_RS485
    Clock& clock;
    MainTimers& timers;
    EventSink& log;
    LinkIndicators& indicators; // the radio and RS-485 lamps
    SupervisionPause& supervisionPause;
    // The store and channel files supervision walks.
    registry::Registry& registry;
    registry::ChannelAddresses& addresses;
    OperatorNotices& notices;
    // The links' settings (port, speed, DTR, RTS) and which links are connected.
    const Settings& settings;
    LinkConnections& connections;
    // ZigBee.ini and RS485.ini (the same files the registry keeps the addresses in).
    IniFile& zigBee;
    IniFile& rs485;
    // The registered objects, their codes and names.
    links::LinkObjects& objects;
    // The objects table as supervision reads it.
    links::SupervisedRecords& records;
    // The modem keep-alive cycle counts the GSM modem as lost.
    std::function<bool()> modemLost;
};

// The radio and RS-485 links as the main window meets them: their link mailboxes (RadioLink,
// Rs485Link) and engines, connected and disconnected from the settings window; the radio and
// RS-485 steps of the QueryTimer tick; link supervision on Timer2; and the stop handshakes when
// the console closes. The command buttons of object forms fill the mailboxes.
//
// What an engine tells the console (ErrCnt, its lamp, frame outcomes) is applied on the main
// thread, one writer per channel file. The engines get the objects of their link when the link
// is connected and whenever objects are added, edited or removed (objectsChanged).
class LinksController final : public LinkHandlers, public LinkStopHandshake {
public:
    explicit LinksController(LinksContext context);
    ~LinksController() override;

    // Once the main window exists: link supervision walks its object tree from then on (while
    // the add/edit object window is not on screen)...
    void attachTrees(links::SupervisedTree& tree, std::function<bool()> addObjectWindowShowing);
    // ... and the report steps find objects and show reports there; a changed state arrives
    // through `arrival` (windows, store, trees, sound, decoding).
    void attachReportSteps(links::ReportStepHost& reports, StatePacketArrivalHost& arrival);

    // What the " Подключить" and "Отключить" buttons of the settings window's radio and RS-485
    // tabs run.
    LinkConnector& radioConnector() { return radioConnector_; }
    LinkConnector& rs485Connector() { return rs485Connector_; }

    links::LinkMailbox& RadioLink() { return radioLink_; }
    links::LinkMailbox& Rs485Link() { return rs485Link_; }

    // Objects were added, edited or removed: the engines get the objects of their link anew.
    void objectsChanged();

    // The receive dispatcher's first two steps on every QueryTimer tick: a waiting radio report,
    // then a waiting RS-485 report. rs485Step() returns false when the tick must end there.
    void radioStep();
    bool rs485Step();

    void Timer2Timer() override;

    void stopRadioExchange() override;
    void stopRs485Exchange() override;

private:
    void handOverRadioPeers();
    void handOverRs485Peers();
    void engineFailed(Link link, links::ShortRangeLinkWork& work);

    LinksContext context_;
    links::LinkMailbox radioLink_;
    links::LinkMailbox rs485Link_;
    links::LinkEventLog radioEvents_;
    links::LinkEventLog rs485Events_;
    links::LinkEventQueue radioQueue_;
    links::LinkEventQueue rs485Queue_;
    links::RadioLinkEngine radioEngine_;
    links::Rs485LinkEngine rs485Engine_;
    links::ShortRangeLinkWork radioWork_;
    links::ShortRangeLinkWork rs485Work_;
    LinkPortConnector radioConnector_;
    LinkPortConnector rs485Connector_;
    links::QueryTimerDemand queryTimerDemand_;
    std::unique_ptr<links::LinkReportStep> radioStep_;
    std::unique_ptr<links::LinkReportStep> rs485Step_;
    std::unique_ptr<links::LinkSupervision> supervision_;
};

} // namespace kvt
