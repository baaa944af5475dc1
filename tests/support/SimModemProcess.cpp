#include "support/SimModemProcess.h"

namespace kvt::test {

QStringList SimModemProcess::FastTimings()
{
    return {QStringLiteral("--dial-ms"), QStringLiteral("100"), QStringLiteral("--alert-ms"), QStringLiteral("300"),
            QStringLiteral("--ring-interval-ms"), QStringLiteral("300"), QStringLiteral("--submit-delay-ms"),
            QStringLiteral("100"), QStringLiteral("--ussd-delay-ms"), QStringLiteral("100"),
            QStringLiteral("--answer-sms-delay-ms"), QStringLiteral("100")};
}

} // namespace kvt::test
