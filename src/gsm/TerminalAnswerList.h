#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace kvt::gsm {

// The answers of object modems to terminal commands (Term_list of the command window), one line
// each, oldest first. The receive dispatcher adds them; the command window shows the model.
class TerminalAnswerList final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void append(const QString& line);
    const QStringList& lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // "Очистить терминал" removes every line.
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    QStringList lines_;
};

} // namespace kvt::gsm
