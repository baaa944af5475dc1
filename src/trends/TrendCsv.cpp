#include "trends/TrendCsv.h"

#include "common/AtomicFile.h"
#include "common/Win1251.h"
#include "trends/TrendTable.h"

#include <QStringList>

namespace kvt {

namespace {

const QString kSeparator = QStringLiteral(";");
const QString kLineEnd = QStringLiteral("\r\n");
const QChar kQuote = QLatin1Char('"');

QString Field(const QString& text)
{
    if (!text.contains(kSeparator) && !text.contains(kQuote) && !text.contains(QLatin1Char('\r'))
        && !text.contains(QLatin1Char('\n')))
        return text;
    return kQuote + QString(text).replace(kQuote, QStringLiteral("\"\"")) + kQuote;
}

} // namespace

QString TrendCsvText(const TrendTable& table)
{
    QStringList head{Field(kTrendTimeColumn)};
    for (const TrendControl& column : table.columns)
        head << Field(column.title);
    QString text = head.join(kSeparator) + kLineEnd;
    for (const TrendRow& row : table.rows) {
        QStringList line{row.at.toString(Qt::ISODate)};
        for (const std::optional<TrendValue>& value : row.values)
            line << (value ? Field(value->text) : QString());
        text += line.join(kSeparator) + kLineEnd;
    }
    return text;
}

void WriteTrendCsv(const QString& path, const TrendTable& table)
{
    AtomicFileWriter().save(path, ToWin1251(TrendCsvText(table)));
}

} // namespace kvt
