#pragma once

#include "common/MainTimers.h"
#include "packets/ReadingFormat.h"
#include "packets/StateSummaries.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace kvt {

class CurrentObject;
class FormControl;
class LinkCheckPeriodSink;
class ObjectForm;

// Draws state packets onto the current object form: every lamp, text panel, status panel, data
// field, value text and setting box placed directly on the form reads its configuration, takes
// its bytes or bits from the packet and shows them, while the call collects the summaries and
// the alarm flag.
class StatePacketDecoder {
public:
    // The blink timer Timer_mig of `timers` is stopped at the start of every call and started
    // at its end when a lamp of the form carries the blink marker.
    explicit StatePacketDecoder(MainTimers& timers, QChar decimalPoint = SystemDecimalPoint());

    // Decodes `packet` (hex text, ending at its first NUL) onto `form` (none: nothing to draw).
    // Display only when `full` is false. A full call returns what the archive, forwarding and
    // alarm steps need; a display-only call returns nothing. A configuration or packet text that
    // is not the number it must be throws ConversionError and ends the call: the controls
    // handled before keep what they show and nothing is returned.
    // A full call stores the object's link-check period in `linkCheckPeriod` at the setting box
    // marked 321 (the receive paths give the object's row); without a sink (tools that have no
    // store) the period is only reported in the summaries. Display-only calls never store it.
    std::optional<StatePacketResult> ApplyStatePacket(ObjectForm* form, QStringView packet, bool full,
                                                      const QString& stamp, const QString& objectName,
                                                      const QString& phone, LinkCheckPeriodSink* linkCheckPeriod);

    // Draws a stored packet on the form of the current object, display only.
    void showStoredPacket(const CurrentObject& current, QStringView packet);

    // What the last call collected, also after a failure.
    const StateSummaries& summaries() const { return summaries_; }
    // The decoded controls the last call finished, in visiting order.
    const std::vector<FormControl*>& handledControls() const { return handled_; }

private:
    MainTimers& timers_;
    QChar decimalPoint_;
    StateSummaries summaries_;
    std::vector<FormControl*> handled_;
};

// True for the controls a packet is decoded onto: lamps, text and status panels, value texts,
// setting boxes, and data fields marked for hex or character display.
bool IsDecodedControl(const FormControl& control);

} // namespace kvt
