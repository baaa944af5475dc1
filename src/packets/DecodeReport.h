#pragma once

#include <QString>

#include <optional>

namespace kvt {

class StatePacketDecoder;

// The outcome of one decoding as one JSON object, keys in a fixed order:
// {"controls": [...], "alarm", "state_summary", "alarm_summary", "settings_summary",
//  "forward_summary", "forward_alarms", "gk", "link_check", "error"}.
// `controls` lists the controls the call handled, in visiting order, each with what it shows:
// led {on, blink}, text_panel {caption}, status_panel {caption, color}, data_field {text},
// value_text {caption}, setting_box {value, text}; colours are decimal colour values.
QString DecodeReportJson(const StatePacketDecoder& decoder, const std::optional<QString>& error);

} // namespace kvt
