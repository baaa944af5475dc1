#include "settings/SubscriberRules.h"

namespace kvt {

namespace {
const QString kCountryDigit = QStringLiteral("7");
}

SubscriberEntry CheckNewSubscriber(const QStringList& list, const QString& number)
{
    if (list.contains(number))
        return SubscriberEntry::Duplicate;
    if (number.startsWith(kCountryDigit) && number.size() == kSubscriberNumberLength)
        return SubscriberEntry::Add;
    if (number == kCountryDigit)
        return SubscriberEntry::Ignore;
    return SubscriberEntry::BadFormat;
}

} // namespace kvt
