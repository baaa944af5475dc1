#include "forms/ControlConfig.h"

#include "common/Errors.h"
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

QString CountText(QStringView hint)
{
    return Between(hint, QStringLiteral("crc"), QStringLiteral("endcrc"));
}

// Appends the pairs 0 .. count-1 (none for a count below 1).
void AppendPairs(QStringView hint, int count, ControlConfig& list)
{
    count = std::min(count, kMaxConfigRows);
    for (int i = 0; i < count; ++i) {
        const QString index = QString::number(i);
        const QString key = Between(hint, QLatin1String("name") + index, QLatin1String("endname") + index);
        const QString value = Between(hint, QLatin1String("value") + index, QLatin1String("endvalue") + index);
        list.append(key, value);
    }
}

} // namespace

void ControlConfig::append(const QString& key, const QString& value)
{
    // A key holding "=" ends its row's name there; the rest belongs to the value.
    const qsizetype equals = key.indexOf(u'=');
    if (equals < 0)
        rows_.push_back({key, value});
    else
        rows_.push_back({key.left(equals), key.mid(equals + 1) + u'=' + value});
}

QStringList ControlConfig::rows() const
{
    QStringList rows;
    rows.reserve(qsizetype(rows_.size()));
    for (const Row& row : rows_)
        rows.append(row.name + u'=' + row.value);
    return rows;
}

QString ControlConfig::value(QStringView key) const
{
    for (const Row& row : rows_) {
        // Names of other lengths never match; an exact match needs no case folding.
        if (row.name.size() != key.size())
            continue;
        if (QStringView(row.name) == key || QStringView(row.name).compare(key, Qt::CaseInsensitive) == 0)
            return row.value;
    }
    return {};
}

void ParseConfigText(QStringView hint, ControlConfig& list, bool emptyCountAllowed)
{
    list.clear();
    const QString countText = CountText(hint);
    if (countText.isEmpty() && emptyCountAllowed)
        return;
    AppendPairs(hint, StrToInt(countText), list);
}

ParsedConfigText::ParsedConfigText(QStringView hint)
{
    const QString countText = CountText(hint);
    countEmpty_ = countText.isEmpty();
    try {
        AppendPairs(hint, StrToInt(countText), rows_);
    } catch (const ConversionError& failure) {
        countFailure_ = failure.message();
    }
}

const ControlConfig& ParsedConfigText::config() const
{
    if (countFailure_)
        throw ConversionError(*countFailure_);
    return rows_;
}

const ControlConfig& ParsedConfigText::lookup() const
{
    static const ControlConfig kEmpty;
    if (countEmpty_)
        return kEmpty;
    return config();
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
    config.clear();
    config = control.parsedHint().config();
}

void ParseControlLookup(const FormControl& control, ControlConfig& lookup)
{
    lookup.clear();
    lookup = control.parsedHint().lookup();
}

} // namespace kvt
