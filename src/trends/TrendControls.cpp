#include "trends/TrendControls.h"

#include "common/Errors.h"
#include "forms/ControlConfig.h"
#include "packets/ApplyStatePacket.h"
#include "packets/ConfigKeys.h"

namespace kvt {

namespace {

// Titles are short strings, as the decoder reads them.
constexpr int kMaxTitleLength = 255;

QString ConfiguredTitle(const FormControl& control)
{
    ControlConfig config;
    try {
        ParseControlConfig(control, config);
    } catch (const ConversionError&) {
        return {}; // the decoder fails on this control as well; it still gets a title
    }
    return config.value(keys::kTitle).left(kMaxTitleLength);
}

QString TitleOf(const FormControl& control)
{
    for (const QString& title : {ConfiguredTitle(control), control.caption(), control.text()}) {
        if (!title.trimmed().isEmpty())
            return title.trimmed();
    }
    return control.name();
}

bool IsTrendKind(const FormControl& control)
{
    switch (control.kind()) {
    case ControlKind::ValueText:
    case ControlKind::SettingBox:
    case ControlKind::StatusPanel:
    case ControlKind::TextPanel:
        return true;
    case ControlKind::DataField:
        return control.helpContext() == kCharFieldMarker;
    default:
        return false;
    }
}

} // namespace

std::vector<TrendControl> TrendCandidates(const ObjectForm& form)
{
    std::vector<TrendControl> candidates;
    int number = 0;
    for (const FormControl* control : form.controls()) {
        ++number;
        if (!IsDecodedControl(*control) || !IsTrendKind(*control))
            continue;
        const ControlKind kind = control->kind();
        TrendControl candidate;
        candidate.number = number;
        candidate.name = control->name();
        candidate.title = TitleOf(*control);
        candidate.kind = kind;
        candidate.readout = kind == ControlKind::SettingBox || kind == ControlKind::DataField ? TrendReadout::Text
                                                                                               : TrendReadout::Caption;
        candidate.alwaysNumeric = kind == ControlKind::ValueText || kind == ControlKind::SettingBox;
        candidates.push_back(candidate);
    }
    return candidates;
}

QString ShownTrendText(const FormControl& control, TrendReadout readout)
{
    return readout == TrendReadout::Caption ? control.caption() : control.text();
}

} // namespace kvt
