#pragma once

#include "links/LinkKind.h"

#include <QString>

namespace kvt::links {

// The link keys of an object's section in ZigBee.ini and RS485.ini besides its address and
// ErrCnt: the link of last contact (the same value in both files) and the state signature of
// the link's last report.
inline const QString kLinkOfLastContactKey = QStringLiteral("SVYAZ");
inline const QString kStateKey = QStringLiteral("STATE");

// The values of SVYAZ; anything else (also none) is a GSM object.
inline const QString kRadioContact = QStringLiteral("ZigBee");
inline const QString kRs485Contact = QStringLiteral("RS485");

inline const QString& ContactOf(LinkKind link)
{
    return link == LinkKind::Radio ? kRadioContact : kRs485Contact;
}

} // namespace kvt::links
