#pragma once

#include "common/EventColour.h"
#include "journals/LogFile.h"

#include <QAbstractTableModel>

namespace kvt {

// One row of the event journal: the date column and the message column of a log line.
struct JournalRow {
    QString date;
    QString message;
};

// Splits a log line at its first " - ": the date is everything up to and including the space
// that opens " - ", without the colour prefix (spaces at positions 1 to 3); the message is
// everything after " - ". A line without " - " has an empty date and a message from its third
// character on.
JournalRow SplitJournalLine(const QString& line);

// The colour category of a row, as the HTML export names it: 1 red, 2 green, 3 yellow, 4 white.
int ColourCategory(EventColour colour);

// The lines of the log file the event journal shows, one row per line, each painted in the
// colour of its own line. Rows are split only when asked for, so a 100,000-line archive loads
// at the speed of reading the file.
class JournalListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DateColumn = 0, MessageColumn = 1, ColumnCount = 2 };
    // The colour category of the row (int), for the export.
    static constexpr int ColourCategoryRole = Qt::UserRole + 1;

    static const QString kDateCaption;     // "Дата"
    static const QString kMessageCaption;  // "Сообщение"

    using QAbstractTableModel::QAbstractTableModel;

    void setLines(LogLines lines);
    const LogLines& lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    LogLines lines_;
};

} // namespace kvt
