#pragma once

#include "trends/TrendObject.h"
#include "trends/TrendTask.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kvt {

class Clock;
class OperatorNotices;
class TrendChartView;

// The trend window of one object ("Тренды"): the values its form can show as numbers, a period,
// and the plot of the values chosen over that period of the object's stored history. The
// history is read on a thread of its own with the progress shown and a cancel button, so the
// window and the console stay responsive; the plotted values can be exported as CSV and the
// plot saved as PNG.
class TrendForm : public QWidget {
    Q_OBJECT
public:
    static const QString kCaption;

    // Asks where to save a file: the dialog's caption, a suggested path and a filter; an empty
    // answer cancels.
    using SaveFileChooser = std::function<QString(const QString& caption, const QString& suggested, const QString& filter)>;

    // The periods of the period box, in its order.
    static const QList<TrendRange::Span> kSpans;

    TrendForm(TrendObject object, TrendCatalog catalog, const Clock& clock, OperatorNotices& notices,
              QWidget* parent = nullptr);
    ~TrendForm() override;

    void setSaveFileChooser(SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }

    const TrendObject& object() const { return object_; }
    // The table of the plot shown; null before the first plot.
    const TrendTable* table() const { return table_.get(); }
    TrendChartView* chartView() const { return chart_; }
    bool isBuilding() const { return task_.isRunning(); }

    // What the buttons do.
    void build();
    void cancelBuild();
    void resetZoom();
    void exportCsv();
    void savePng();

signals:
    // The plot of a new table is drawn.
    void plotShown();

private:
    QWidget* buildControls();
    QWidget* buildStatusBar();
    void fillValues();
    TrendRange chosenRange() const;
    std::vector<int> chosenValues() const;
    void showTable(std::shared_ptr<const TrendTable> table);
    void showProgress(qint64 read, qint64 total);
    void showFailure(const QString& message);
    void updateButtons();
    QString suggestedPath(const QString& extension) const;

    TrendObject object_;
    TrendCatalog catalog_;
    const Clock& clock_;
    OperatorNotices& notices_;
    SaveFileChooser chooseFile_;
    TrendTask task_;
    std::shared_ptr<const TrendTable> table_;

    QListWidget* values_ = nullptr;
    QComboBox* span_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QPushButton* buildButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* csvButton_ = nullptr;
    QPushButton* pngButton_ = nullptr;
    TrendChartView* chart_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace kvt
