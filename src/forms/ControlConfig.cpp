#include "forms/ControlConfig.h"

#include "common/IntegerText.h"
#include "common/TextPos.h"
#include "forms/ObjectForm.h"

#include <algorithm>

namespace kvt {
namespace {

// Real configurations hold a few dozen pairs; a damaged count like 2000000000 would otherwise
// exhaust memory with empty rows, so the rows stop at this many.
constexpr int kMaxConfigRows = 4096;

// The characters between the end of the first `open` tag and the first `close` tag; empty when
// that range is empty (also when a tag is missing: Pos gives 0).
QString Between(QStringView text, const QString& open, const QString& close)
{
    const int first = Pos(open, text) + int(open.size());
    const int last = Pos(close, text) - 1;
    return Copy(text, first, last - first + 1);
}

} // namespace

void ControlConfig::append(const QString& key, const QString& value)
{
    rows_.append(key + u'=' + value);
}

QString ControlConfig::value(QStringView key) const
{
    for (const QString& row : rows_) {
        const qsizetype equals = row.indexOf(u'=');
        const QStringView name = equals < 0 ? QStringView(row) : QStringView(row).left(equals);
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return equals < 0 ? QString() : row.mid(equals + 1);
    }
    return {};
}

void ParseConfigText(QStringView hint, ControlConfig& list, bool emptyCountAllowed)
{
    list.clear();
    const QString countText = Between(hint, QStringLiteral("crc"), QStringLiteral("endcrc"));
    if (countText.isEmpty() && emptyCountAllowed)
        return;
    const int count = std::min(StrToInt(countText), kMaxConfigRows);
    for (int i = 0; i < count; ++i) {
        const QString index = QString::number(i);
        const QString key = Between(hint, QLatin1String("name") + index, QLatin1String("endname") + index);
        const QString value = Between(hint, QLatin1String("value") + index, QLatin1String("endvalue") + index);
        list.append(key, value);
    }
}

QString MakeConfigText(const QList<QPair<QString, QString>>& pairs)
{
    QString text = QStringLiteral("crc%1endcrc").arg(pairs.size());
    for (int i = 0; i < pairs.size(); ++i) {
        const QString index = QString::number(i);
        text += QLatin1String("name") + index + pairs[i].first + QLatin1String("endname") + index
                + QLatin1String("value") + index + pairs[i].second + QLatin1String("endvalue") + index;
    }
    return text;
}

void ParseControlConfig(const FormControl& control, ControlConfig& config)
{
    ParseConfigText(control.hint(), config, false);
}

void ParseControlLookup(const FormControl& control, ControlConfig& lookup)
{
    ParseConfigText(control.hint(), lookup, true);
}

} // namespace kvt
