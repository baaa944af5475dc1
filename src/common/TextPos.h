#pragma once

#include <QString>
#include <QStringView>

// Text helpers that count character positions from 1, as the console's rules are written.
// They never fail and never touch memory outside the text.
namespace kvt {

// Position of the first occurrence of `needle` in `text`, 0 when absent (or `needle` is empty).
int Pos(QStringView needle, QStringView text);

// Up to `count` characters of `text` starting at `index`. An index below 1 counts as 1; a copy
// that runs past the end is shorter; an index past the end or a count below 1 gives "".
QString Copy(QStringView text, int index, int count);

// Removes up to `count` characters starting at `index`; nothing when the index is outside
// 1..length or the count is below 1.
void Delete(QString& text, int index, int count);

// Inserts `source` before position `index`: below 1 counts as 1, past the end appends.
void Insert(QStringView source, QString& text, int index);

} // namespace kvt
