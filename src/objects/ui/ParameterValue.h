#pragma once

#include <QString>

namespace kvt {

// A setting that the operator edits as a time in hours and minutes or as a coordinate in
// degrees and minutes of arc: a signed number of minutes, V = sign x (60 x major + minor).
struct SplitParameter {
    int major = 0;       // hours or degrees, clamped to the field's range
    int minor = 0;       // minutes, clamped to 0..59
    bool negative = false;
};

struct ParameterRange {
    int majorMax;        // 23 hours or 180 degrees
};

inline constexpr ParameterRange kTimeRange{23};
inline constexpr ParameterRange kCoordinateRange{180};
inline constexpr int kMinutesPerUnit = 60;
inline constexpr int kMinorMax = 59;

// Splits V for the editor: |V div 60| and |V mod 60| (division truncating toward zero), each
// clamped to its field; the sign is taken from `signValue` (the box's value).
SplitParameter SplitParameterValue(int value, int signValue, ParameterRange range);

// The text the editor writes back: "-" or "+" followed by 60 x major + minor.
QString CombineParameterText(const SplitParameter& parts);

} // namespace kvt
