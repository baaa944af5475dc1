#include "packets/ApplyStatePacket.h"

#include "forms/CurrentObject.h"
#include "forms/ObjectForm.h"
#include "packets/DecodeContext.h"
#include "packets/StatePacket.h"

#include <algorithm>

namespace kvt {

namespace {

// A control is made visible while it is handled and gets its previous visibility back
// afterwards, also when its handling fails.
class ShownWhileHandled {
public:
    explicit ShownWhileHandled(FormControl& control) : control_(control), wasVisible_(control.isVisible())
    {
        control_.setVisible(true);
    }
    ~ShownWhileHandled() { control_.setVisible(wasVisible_); }
    ShownWhileHandled(const ShownWhileHandled&) = delete;
    ShownWhileHandled& operator=(const ShownWhileHandled&) = delete;

private:
    FormControl& control_;
    bool wasVisible_;
};

// The blink timer runs after a call while any lamp of the form carries the blink marker: lamps
// this packet marked, and lamps it did not reach, which keep the marker of an earlier packet.
// Also after a failed call, whose unhandled lamps keep their markers too.
class BlinkTimerAfterDecoding {
public:
    BlinkTimerAfterDecoding(const ObjectForm* form, MainTimers& timers) : form_(form), timers_(timers) {}
    ~BlinkTimerAfterDecoding()
    {
        if (!form_)
            return;
        const auto& controls = form_->controls();
        if (std::any_of(controls.begin(), controls.end(), [](const FormControl* c) { return IsBlinkingLamp(*c); }))
            timers_.start(MainTimer::Timer_mig);
    }
    BlinkTimerAfterDecoding(const BlinkTimerAfterDecoding&) = delete;
    BlinkTimerAfterDecoding& operator=(const BlinkTimerAfterDecoding&) = delete;

private:
    const ObjectForm* form_;
    MainTimers& timers_;
};

void Decode(FormControl& control, DecodeContext& context)
{
    switch (control.kind()) {
    case ControlKind::Led: DecodeLed(control, context); break;
    case ControlKind::TextPanel: DecodeTextPanel(control, context); break;
    case ControlKind::StatusPanel: DecodeStatusPanel(control, context); break;
    case ControlKind::DataField: DecodeDataField(control, context); break;
    case ControlKind::ValueText: DecodeValueText(control, context); break;
    case ControlKind::SettingBox: DecodeSettingBox(control, context); break;
    default: break;
    }
}

} // namespace

bool IsDecodedControl(const FormControl& control)
{
    switch (control.kind()) {
    case ControlKind::Led:
    case ControlKind::TextPanel:
    case ControlKind::StatusPanel:
    case ControlKind::ValueText:
    case ControlKind::SettingBox:
        return true;
    case ControlKind::DataField:
        return control.helpContext() == kHexFieldMarker || control.helpContext() == kCharFieldMarker;
    default:
        return false;
    }
}

StatePacketDecoder::StatePacketDecoder(MainTimers& timers, QChar decimalPoint)
    : timers_(timers), decimalPoint_(decimalPoint)
{
}

std::optional<StatePacketResult> StatePacketDecoder::ApplyStatePacket(ObjectForm* form, QStringView packet, bool full,
                                                                      const QString& stamp,
                                                                      const QString& objectName, const QString& phone,
                                                                      LinkCheckPeriodSink* linkCheckPeriod)
{
    timers_.stop(MainTimer::Timer_mig);
    const BlinkTimerAfterDecoding blinkTimer(form, timers_);
    summaries_ = StateSummaries();
    handled_.clear();

    StatePacket copy(packet);
    copy.convertDecimalFields();
    DecodeContext context(copy, full, summaries_, decimalPoint_, full ? linkCheckPeriod : nullptr);
    if (form) {
        for (FormControl* control : form->controls()) {
            if (!IsDecodedControl(*control))
                continue;
            {
                ShownWhileHandled shown(*control);
                Decode(*control, context);
            }
            handled_.push_back(control);
        }
    }
    if (!full)
        return std::nullopt;
    return StatePacketResult{summaries_, stamp, objectName, phone};
}

void StatePacketDecoder::showStoredPacket(const CurrentObject& current, QStringView packet)
{
    ApplyStatePacket(current.form(), packet, false, QString(), QString(), QString(), nullptr);
}

} // namespace kvt
