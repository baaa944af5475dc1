#include "packets/StatePacketArrival.h"

#include "common/EventSink.h"

namespace kvt {

namespace {
constexpr ArrivalWindow kClosingOrder[] = {ArrivalWindow::Options, ArrivalWindow::AddNewObject,
                                           ArrivalWindow::EventJournal, ArrivalWindow::TopUp,
                                           ArrivalWindow::Command};
} // namespace

qint64 StatePacketArrival::run(const ArrivedStatePacket& arrived)
{
    for (ArrivalWindow window : kClosingOrder)
        host_.closeWindow(window);
    log_.LogEvent(arrived.logTitle, arrived.name, EventColour::Yellow);
    const qint64 code = host_.storePacket(arrived.objectCode, arrived.stamp, arrived.packet, arrived.alsoCommit);
    host_.selectObjectNode(arrived.objectCode);
    host_.playDataReceivedSound();
    host_.showNewDataIcons();
    if (arrived.linkOfLastContact)
        host_.writeLinkOfLastContact(arrived.objectCode, *arrived.linkOfLastContact);
    host_.storeLatestState(arrived.objectCode, arrived.packet, arrived.stamp);
    host_.rebuildHistory(arrived.objectCode);
    host_.applyStatePacket(arrived.packet, arrived.stamp, arrived.name, arrived.phone);
    return code;
}

} // namespace kvt
