#include "app/CommandLineObject.h"

namespace kvt {

bool IsObjectFormArgument(const QString& argument)
{
    return argument.contains(QLatin1String(".kof")) || argument.contains(QLatin1String(".KOF"));
}

QString FileNamePart(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

registry::ObjectRecord CommandLineObjectRecord(const QString& argument, registry::ObjectCode code)
{
    registry::ObjectRecord record;
    record.Kod_O = code;
    record.Adres_O = argument;
    record.Name_O = FileNamePart(argument);
    record.Phone_O = kCommandLinePhone;
    record.Time_Ring = kNoTimeStamp;
    record.Date_SMS = kNoTimeStamp;
    record.Proverca_S = QStringLiteral("0");
    return record;
}

} // namespace kvt
