#pragma once

#include <QStringView>

// The keys of control configurations (the rows parsed from a control's Hint) and the titles
// that select a special decoding.
namespace kvt::keys {

inline constexpr QStringView kByteNumber = u"Номер байта";
inline constexpr QStringView kBitNumber = u"Номер бита";
inline constexpr QStringView kOnValue = u"Значение включенного";
inline constexpr QStringView kOffValue = u"Значение выключенного";
inline constexpr QStringView kAlarmValue = u"Аварийное значение";
inline constexpr QStringView kTitle = u"Заголовок для журнала";
inline constexpr QStringView kFromByte = u"С какого байта";
inline constexpr QStringView kReceiveFromByte = u"С какого байта принимать";
inline constexpr QStringView kByteCount = u"Количество байт";
inline constexpr QStringView kMinimum = u"Минимальное значение";
inline constexpr QStringView kMaximum = u"Максимальное значение";
inline constexpr QStringView kMultiple = u"Передавать кратно";
inline constexpr QStringView kSendByte = u"Каким байтом отправлять";
inline constexpr QStringView kSentData = u"Посылаемые данные";

} // namespace kvt::keys

namespace kvt::titles {

inline constexpr QStringView kGateLamp = u"ГК";
inline constexpr QStringView kSystemState = u"Общее состояние системы";
inline constexpr QStringView kWaterFlow = u"Текущий расход воды";
inline constexpr QStringView kActiveEnergy = u"Расход эл. энергии (A)";
inline constexpr QStringView kReactiveEnergy = u"Расход эл. энергии (R)";
inline constexpr QStringView kSignedMarker = u"(Signed)";

} // namespace kvt::titles
