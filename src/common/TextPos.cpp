#include "common/TextPos.h"

#include <algorithm>

namespace kvt {

int Pos(QStringView needle, QStringView text)
{
    if (needle.isEmpty())
        return 0;
    return int(text.indexOf(needle)) + 1;
}

QString Copy(QStringView text, int index, int count)
{
    const qsizetype length = text.size();
    const qsizetype start = std::max(index, 1);
    if (count < 1 || start > length)
        return {};
    const qsizetype last = std::min<qsizetype>(length, start + count - 1);
    return text.mid(start - 1, last - start + 1).toString();
}

void Delete(QString& text, int index, int count)
{
    if (index < 1 || index > text.size() || count < 1)
        return;
    text.remove(index - 1, std::min<qsizetype>(count, text.size() - index + 1));
}

void Insert(QStringView source, QString& text, int index)
{
    const qsizetype at = std::clamp<qsizetype>(index, 1, text.size() + 1) - 1;
    text.insert(at, source);
}

} // namespace kvt
