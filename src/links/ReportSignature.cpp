#include "links/ReportSignature.h"

#include "common/Win1251.h"

namespace kvt::links {

namespace {

constexpr int kFirstValueFieldPosition = 7; // 1-based: the first six characters are never cut
constexpr int kReceiptStampLength = 15;

bool IsValueFieldLetter(QChar ch)
{
    static const QString letters = QStringLiteral("HIMPQTXY");
    return letters.contains(ch);
}

bool IsValueFieldCharacter(QChar ch)
{
    static const QString characters = QStringLiteral(" ,-.0123456789?");
    return characters.contains(ch);
}

bool IsTrailingJunk(QChar ch)
{
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\r') || ch == QLatin1Char('\n');
}

QByteArray BytesBefore(const QByteArray& report, char stop)
{
    const qsizetype at = report.indexOf(stop);
    return at < 0 ? QByteArray() : report.left(at);
}

} // namespace

QString ReportFirstLine(const QByteArray& report, LinkKind link)
{
    QByteArray line = BytesBefore(report, '\r');
    if (line.isEmpty() && link == LinkKind::Rs485)
        line = BytesBefore(report, '\n');
    return FromWin1251(line);
}

QString RemoveValueFields(QString line)
{
    qsizetype i = kFirstValueFieldPosition - 1;
    while (i < line.size()) {
        if (!IsValueFieldLetter(line[i])) {
            ++i;
            continue;
        }
        line.remove(i, 1);
        while (i < line.size() && IsValueFieldCharacter(line[i]))
            line.remove(i, 1);
    }
    return line;
}

std::optional<QString> StateSignature(const QByteArray& report, LinkKind link)
{
    QString line = ReportFirstLine(report, link);
    while (!line.isEmpty() && IsTrailingJunk(line.back()))
        line.chop(1);
    if (line.isEmpty())
        return std::nullopt;
    return RemoveValueFields(line);
}

QString ReceiptStamp(const QDateTime& now)
{
    const QString full = now.toString(QStringLiteral("dd.MM.yy")) + QStringLiteral("  ")
                         + now.toString(QStringLiteral("hh:mm:ss"));
    return full.left(kReceiptStampLength);
}

} // namespace kvt::links
