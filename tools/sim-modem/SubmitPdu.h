#pragma once

#include <QString>

namespace kvt::sim {

// What the simulated network reads from a submitted PDU (service-centre address + SMS-SUBMIT).
struct SubmittedPdu {
    bool valid = false;
    QString destination;   // digits as written, filler dropped
    int tpduLength = 0;    // octets after the service-centre address
    // The user data when the message is 8-bit data (hex, as many octets as TP-UDL says), for a
    // message whose data coding is 8-bit and whose user data the text holds whole.
    bool eightBit = false;
    QString userData;
};

// Checks the hex text and walks it as far as the destination address (3GPP TS 23.040 §9.2.2.2),
// and on to the user data of an 8-bit message; never reads past the text.
SubmittedPdu ReadSubmitPdu(const QString& pduHex);

} // namespace kvt::sim
