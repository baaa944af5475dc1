#include "serial/PortErrorReason.h"

#include <cerrno>
#include <cstring>

namespace kvt {

namespace {
QString RussianReason(int code)
{
    switch (code) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return QStringLiteral("устройство не найдено");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав доступа к порту");
    case EBUSY:
        return QStringLiteral("порт занят другой программой");
    case EINVAL:
        return QStringLiteral("недопустимая скорость или параметр линии");
    case ENOTTY:
        return QStringLiteral("устройство не является последовательным портом");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода, устройство отключено");
    case EBADF:
        return QStringLiteral("порт закрыт");
    default:
        return QStringLiteral("системная ошибка");
    }
}
} // namespace

QString PortErrorReason(int systemCode)
{
    return QStringLiteral("%1 (%2, код %3)")
        .arg(RussianReason(systemCode), QString::fromLocal8Bit(std::strerror(systemCode)))
        .arg(systemCode);
}

} // namespace kvt
