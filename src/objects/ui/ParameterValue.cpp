#include "objects/ui/ParameterValue.h"

#include <algorithm>
#include <cstdlib>

namespace kvt {

SplitParameter SplitParameterValue(int value, int signValue, ParameterRange range)
{
    SplitParameter parts;
    parts.major = std::clamp(std::abs(value / kMinutesPerUnit), 0, range.majorMax);
    parts.minor = std::clamp(std::abs(value % kMinutesPerUnit), 0, kMinorMax);
    parts.negative = signValue < 0;
    return parts;
}

QString CombineParameterText(const SplitParameter& parts)
{
    return QString(parts.negative ? u'-' : u'+') + QString::number(kMinutesPerUnit * parts.major + parts.minor);
}

} // namespace kvt
