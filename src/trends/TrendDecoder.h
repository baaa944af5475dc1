#pragma once

#include "packets/ApplyStatePacket.h"
#include "trends/DetachedFormTimers.h"
#include "trends/TrendControls.h"

#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kvt {

// What one stored packet gives a trend.
struct TrendReading {
    // The packet raises an alarm in full processing (its record would go to the alarm book).
    bool alarm = false;
    // What each chosen control shows after the packet is drawn; nothing where the packet does
    // not carry it (its bytes lie beyond the packet, or the decoding stopped before the control).
    std::vector<std::optional<QString>> texts;
};

// An object's form loaded as a model of its own, never the form on screen, with a decoder of
// its own: it draws stored packets one after another exactly as the console draws a packet
// whose history entry is selected. It is made and used in one thread.
//
// Alarms are evaluated by full processing on this form: the decoder computes the alarm flag
// and the summaries and returns them; it writes no book, sends nothing and changes no record,
// since those closing steps belong to the arrival of a new packet, which calls them with what
// the decoder returned. A trend reads the flag and drops the rest.
class TrendDecoder {
public:
    // Takes a form freshly read from its file.
    explicit TrendDecoder(std::unique_ptr<ObjectForm> form);
    // Reads the form file; throws IoError or FormatError.
    static std::unique_ptr<TrendDecoder> FromFile(const QString& path);

    // The controls that can show a number, in visiting order.
    const std::vector<TrendControl>& candidates() const { return candidates_; }

    // Draws `packet` and reads the candidates at `chosen` (indexes into candidates()).
    TrendReading read(QStringView packet, const std::vector<int>& chosen);

private:
    std::unique_ptr<ObjectForm> form_;
    DetachedFormTimers timers_;
    StatePacketDecoder decoder_;
    std::vector<TrendControl> candidates_;
    std::vector<FormControl*> controls_; // of each candidate
    // The bytes a setting box reads, for each candidate that is one: a box whose bytes lie
    // beyond the packet shows 0, which a trend takes for no value.
    std::vector<std::optional<std::pair<int, int>>> settingRuns_;
};

} // namespace kvt
