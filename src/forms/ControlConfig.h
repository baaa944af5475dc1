#pragma once

#include <QString>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

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

    // Each row as "name=value".
    QStringList rows() const;
    int count() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }

    // The value of the first row whose name (the text before the row's first "=") equals the
    // key ignoring letter case; the empty text when there is none.
    QString value(QStringView key) const;

private:
    // A row kept split at its first "=", so that a lookup compares names only.
    struct Row {
        QString name;
        QString value;
    };
    std::vector<Row> rows_;
};

// Fills the list from a configuration text. Every tag is found at its first occurrence in the
// whole text. A count text that is not an integer throws ConversionError; with
// `emptyCountAllowed` an empty count text leaves the list empty instead.
void ParseConfigText(QStringView hint, ControlConfig& list, bool emptyCountAllowed);

// A configuration text parsed once, answering both parses of it as often as they are asked:
// the rows, or the conversion failure of its count.
class ParsedConfigText {
public:
    explicit ParsedConfigText(QStringView hint);

    // The control configuration; throws ConversionError when the count is not an integer (a
    // missing "crc"/"endcrc" pair included).
    const ControlConfig& config() const;
    // The lookup list: the same, except that an empty count gives an empty list.
    const ControlConfig& lookup() const;

private:
    ControlConfig rows_;
    bool countEmpty_ = false;
    std::optional<QString> countFailure_;  // the message of the count's conversion failure
};

// The configuration text of these name/value pairs as the object-form editor writes it: the
// count, then each pair's tags in ascending order.
QString MakeConfigText(const QList<QPair<QString, QString>>& pairs);

// Clears `config` and fills it from the control's Hint; throws ConversionError when the count is
// not an integer (a missing "crc"/"endcrc" pair included).
void ParseControlConfig(const FormControl& control, ControlConfig& config);

// The same into the lookup list, except that an empty count leaves the list empty.
void ParseControlLookup(const FormControl& control, ControlConfig& lookup);

} // namespace kvt
