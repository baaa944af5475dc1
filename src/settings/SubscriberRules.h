#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// What becomes of a number the operator enters for the alarm subscriber list.
enum class SubscriberEntry {
    Add,       // eleven characters beginning with "7": appended to the list
    Duplicate, // already in the list: "Номер уже существует в списке"
    BadFormat, // anything else, an empty answer included: "Недопустимый формат номера"
    Ignore,    // "7" alone: dropped without a word
};

inline constexpr int kSubscriberNumberLength = 11;

SubscriberEntry CheckNewSubscriber(const QStringList& list, const QString& number);

} // namespace kvt
