#pragma once

namespace kvt::links {

// The two short-range links of the console: the radio modem on Port_ZigBee and the RS-485
// adapter on Port_RS485.
enum class LinkKind {
    Radio,
    Rs485,
};

// A state report of an object over either link is exactly this many bytes.
inline constexpr int kLinkReportSize = 140;

} // namespace kvt::links
