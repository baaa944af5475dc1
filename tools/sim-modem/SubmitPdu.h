#pragma once

#include <QString>

namespace kvt::sim {

// What the simulated network reads from a submitted PDU (service-centre address + SMS-SUBMIT).
struct SubmittedPdu {
    bool valid = false;
    QString destination;   // digits as written, filler dropped
    int tpduLength = 0;    // octets after the service-centre address
};

// Checks the hex text and walks it as far as the destination address (3GPP TS 23.040 §9.2.2.2);
// never reads past the text.
SubmittedPdu ReadSubmitPdu(const QString& pduHex);

} // namespace kvt::sim
