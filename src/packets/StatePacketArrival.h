#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace kvt {

class EventSink;

// The windows that a new state packet closes first, in the order it closes them. Closing runs
// each window's close handling even when the window is not shown: the settings window saves the
// settings, the add/edit object window cancels a pending edit, the windows that pause link
// supervision clear the pause.
enum class ArrivalWindow { Options, AddNewObject, EventJournal, TopUp, Command };

// What the rest of the console does for a state packet that has arrived, one step each.
class StatePacketArrivalHost {
public:
    virtual ~StatePacketArrivalHost() = default;

    virtual void closeWindow(ArrivalWindow window) = 0;
    // First storage step: append the packet to the object's history and post it. `alsoCommit`
    // (when given) runs with the new packet code inside the same transaction as the append, so
    // that what it records is committed together with the packet or not at all. Returns the code.
    virtual qint64 storePacket(int objectCode, const QString& stamp, const QString& packet,
                               const std::function<void(qint64 packetCode)>& alsoCommit) = 0;
    // The object's node becomes the selected node of the object tree.
    virtual void selectObjectNode(int objectCode) = 0;
    virtual void playDataReceivedSound() = 0;
    // Icon 3 (new data) on the selected node and on the history root; the history repainted.
    virtual void showNewDataIcons() = 0;
    // SVYAZ, the link of last contact, in the object's sections of both channel files.
    virtual void writeLinkOfLastContact(int objectCode, const QString& link) = 0;
    // Second storage step: the object's latest state and its stamp, posted.
    virtual void storeLatestState(int objectCode, const QString& packet, const QString& stamp) = 0;
    // The history tree rebuilt for the selected object, its root showing icon 1, fully expanded.
    virtual void rebuildHistory(int objectCode) = 0;
    // ApplyStatePacket in full: decoding, archives, forwarding and alarms.
    virtual void applyStatePacket(const QString& packet, const QString& stamp, const QString& name,
                                  const QString& phone) = 0;
};

// A state packet from an object, and how its arrival differs between the links.
struct ArrivedStatePacket {
    int objectCode = 0;
    QString name;
    QString phone;
    QString stamp;
    QString packet;
    // The event title of the arrival.
    QString logTitle;
    // The link of last contact written at its place in the sequence (after the new-data icons);
    // none when the link writes it itself before.
    std::optional<QString> linkOfLastContact;
    // Committed together with the stored packet (see StatePacketArrivalHost::storePacket).
    std::function<void(qint64 packetCode)> alsoCommit;
};

// The arrival of a changed state packet, the same for the GSM, radio and RS-485 links: the open
// windows closed in order, the yellow line in the event log, the packet stored, its object
// selected, the data-received sound, the new-data icons, the link of last contact, the latest
// state stored, the history rebuilt and the packet applied in full.
class StatePacketArrival {
public:
    StatePacketArrival(StatePacketArrivalHost& host, EventSink& log) : host_(host), log_(log) {}

    // Returns the code under which the packet was stored.
    qint64 run(const ArrivedStatePacket& arrived);

private:
    StatePacketArrivalHost& host_;
    EventSink& log_;
};

} // namespace kvt
