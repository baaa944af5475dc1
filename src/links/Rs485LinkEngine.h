#pragma once

#include "links/LinkEngine.h"
#include "links/LinkPeers.h"

#include <QList>

namespace kvt::links {

class ModbusRtuMaster;

// The times the RS-485 engine keeps; tests shorten them.
struct Rs485Timings {
    int responseTimeoutMs = 500; // a slave that has not answered by then has timed out
    int roundPeriodMs = 5000;    // a round over all objects starts at most this often
    int stepMs = 10;             // the engine's sleep between rounds
};

// The RS-485 link engine on Port_RS485: the Modbus RTU master of the objects' controllers
// (register map in Rs485Registers.h). It writes the pending command and settings frames before
// anything else and reads the report of every object once per round. ComLed2 lights after a
// round in which at least one object answered (or when there is no object to ask) and goes out
// after a round without any answer. A stop is answered between two requests, so within one
// response time-out.
class Rs485LinkEngine final : public LinkEngine {
public:
    Rs485LinkEngine(SerialPort& port, LinkMailbox& mailbox, LinkEventQueue& events, Clock& clock,
                    Rs485Timings timings = {});
    ~Rs485LinkEngine() override;

    // Any thread: the RS-485 objects; taken over before the next round.
    void setPeers(QList<Rs485Peer> peers) { peers_.put(std::move(peers)); }

private:
    struct Slave {
        int object = 0;
        int address = 0;
    };

    void run() override;
    void takeOverPeers(const QList<Rs485Peer>& peers);
    void sendPendingFrame(ModbusRtuMaster& master);
    // False when a stop was asked for in the middle of the round.
    bool runRound(ModbusRtuMaster& master);
    bool waitForRoom(ModbusRtuMaster& master);
    const Slave* slaveForObject(int object) const;

    Rs485Timings timings_;
    Handoff<QList<Rs485Peer>> peers_;
    QList<Slave> slaves_; // engine thread only
};

} // namespace kvt::links
