#include "trends/TrendDecoder.h"

#include "common/Errors.h"
#include "common/IntegerText.h"
#include "forms/ControlConfig.h"
#include "packets/ConfigKeys.h"
#include "packets/StatePacket.h"

#include <algorithm>

namespace kvt {

namespace {
// The first byte and the count a setting box reads; nothing when its configuration does not
// give them (the decoder then fails on the box).
std::optional<std::pair<int, int>> SettingRun(const FormControl& box)
{
    ControlConfig config;
    int first = 0;
    int count = 0;
    try {
        ParseControlConfig(box, config);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
    if (!TryStrToInt(config.value(keys::kReceiveFromByte), first) || !TryStrToInt(config.value(keys::kByteCount), count))
        return std::nullopt;
    return std::pair{first, count};
}
} // namespace

TrendDecoder::TrendDecoder(std::unique_ptr<ObjectForm> form)
    : form_(std::move(form)), decoder_(timers_), candidates_(TrendCandidates(*form_))
{
    for (const TrendControl& candidate : candidates_) {
        FormControl* control = form_->controls().at(candidate.number - 1);
        controls_.push_back(control);
        settingRuns_.push_back(candidate.kind == ControlKind::SettingBox ? SettingRun(*control) : std::nullopt);
    }
}

std::unique_ptr<TrendDecoder> TrendDecoder::FromFile(const QString& path)
{
    return std::make_unique<TrendDecoder>(ObjectForm::FromFile(path));
}

TrendReading TrendDecoder::read(QStringView packet, const std::vector<int>& chosen)
{
    // A control that a packet leaves as it was (a setting box whose bytes are no hex digits)
    // would still show the previous packet's value: cleared first, it reads as no value.
    for (const int index : chosen) {
        FormControl& control = *controls_.at(index);
        if (candidates_[index].readout == TrendReadout::Caption)
            control.setCaption(QString());
        else
            control.setText(QString());
    }
    TrendReading reading;
    try {
        const auto result = decoder_.ApplyStatePacket(form_.get(), packet, true, QString(), QString(), QString(), nullptr);
        reading.alarm = result && result->summaries.alarm();
    } catch (const KvtError&) {
        // The decoding stopped at a control: nothing of the packet is processed further and no
        // alarm is recorded; the controls handled before it show their values.
    }
    const std::vector<FormControl*>& handled = decoder_.handledControls();
    const StatePacket bytes(packet);
    reading.texts.reserve(chosen.size());
    for (const int index : chosen) {
        const FormControl* control = controls_.at(index);
        const QString text = ShownTrendText(*control, candidates_[index].readout);
        const bool wasDrawn = std::find(handled.begin(), handled.end(), control) != handled.end();
        const auto& run = settingRuns_[index];
        const bool carried = !run || bytes.run(run->first, run->second).complete;
        reading.texts.push_back(wasDrawn && carried && !text.isEmpty() ? std::optional<QString>(text) : std::nullopt);
    }
    return reading;
}

} // namespace kvt
