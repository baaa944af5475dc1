#pragma once

#include <QString>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QStringView>

// The control configuration carried in a control's Hint: a count and that many name/value pairs
// marked by tags ("crc" N "endcrc", "name0" key "endname0", "value0" value "endvalue0", ...).
namespace kvt {

class FormControl;

// An ordered list of "name=value" rows, duplicates kept, as the main window's hidden lists
// ValueListEditor1 (the control configuration) and ValueListEditor2 (the lookup list) hold them.
class ControlConfig {
public:
    void clear() { rows_.clear(); }
    void append(const QString& key, const QString& value);

    const QStringList& rows() const { return rows_; }
    int count() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.isEmpty(); }

    // The value of the first row whose name (the text before the row's first "=") equals the
    // key ignoring letter case; the empty text when there is none.
    QString value(QStringView key) const;

private:
    QStringList rows_;
};

// Fills the list from a configuration text. Every tag is found at its first occurrence in the
// whole text. A count text that is not an integer throws ConversionError; with
// `emptyCountAllowed` an empty count text leaves the list empty instead.
void ParseConfigText(QStringView hint, ControlConfig& list, bool emptyCountAllowed);

// The configuration text of these name/value pairs as the object-form editor writes it: the
// count, then each pair's tags in ascending order.
QString MakeConfigText(const QList<QPair<QString, QString>>& pairs);

// Clears `config` and fills it from the control's Hint; throws ConversionError when the count is
// not an integer (a missing "crc"/"endcrc" pair included).
void ParseControlConfig(const FormControl& control, ControlConfig& config);

// The same into the lookup list, except that an empty count leaves the list empty.
void ParseControlLookup(const FormControl& control, ControlConfig& lookup);

} // namespace kvt
