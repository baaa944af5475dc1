#include "store/ObjectRecord.h"

#include "common/Errors.h"

namespace kvt::registry {

void CheckFieldLength(const QString& field, const QString& value, int maxLength)
{
    if (value.size() > maxLength)
        throw StoreError(QStringLiteral("Поле %1 длиннее %2 символов: %3").arg(field).arg(maxLength).arg(value));
}

void CheckObjectRecord(const ObjectRecord& r)
{
    CheckFieldLength(kNameO, r.Name_O, kNameLength);
    CheckFieldLength(kPhoneO, r.Phone_O, kPhoneLength);
    CheckFieldLength(kTimeRing, r.Time_Ring, kTimeRingLength);
    CheckFieldLength(kDateSms, r.Date_SMS, kDateSmsLength);
    CheckFieldLength(kAdresO, r.Adres_O, kAdresLength);
    CheckFieldLength(kProvercaS, r.Proverca_S, kProvercaLength);
}

} // namespace kvt::registry
