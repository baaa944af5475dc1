#pragma once

#include <QString>

namespace kvt {

// Why a serial port operation failed, as the operator reads it: a Russian explanation of the
// common system errors, then the system's own text and the code, e.g.
// "устройство не найдено (No such file or directory, код 2)". Every port builds the message of
// its PortError with it, so the notices of all links read alike.
QString PortErrorReason(int systemCode);

} // namespace kvt
