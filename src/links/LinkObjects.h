#pragma once

#include "links/LinkEventLog.h"

#include <QList>

namespace kvt::links {

// The registered objects as the links see them: their codes, whose sections of the channel
// files make the engines' peers, and their names for the log lines. Reading them never moves
// the objects table off the row it stands on.
class LinkObjects : public ObjectNames {
public:
    // Kod_O of every registered object.
    virtual QList<int> objectCodes() const = 0;
};

} // namespace kvt::links
