#pragma once

#include <QChartView>
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QTimer>

#include <vector>

class QLineSeries;

namespace kvt {

struct TrendTable;
class AlarmMarks;

// The plot of a trend table: one line per value against the receipt time, broken where a
// packet does not carry the value, alarm packets marked on the time axis, a legend below.
// The mouse wheel zooms the time around the pointer, a dragged rectangle zooms into it, a
// right click zooms back out; resetZoom() shows the whole table.
//
// A value's line is drawn for the stretch shown at the width of the plot: while its packets
// lie at least kMarkerSpacing pixels apart each one is drawn with a point; closer, each pixel
// column gets the lowest and the highest value of its packets (the line's outline stays
// exact) and gaps narrower than a pixel column are not seen. Zooming in brings the points
// back. So two hundred thousand packets draw as fast as two thousand.
class TrendChartView : public QChartView {
    Q_OBJECT
public:
    explicit TrendChartView(QWidget* parent = nullptr);
    ~TrendChartView() override;

    // Replaces the plot by the table's.
    void showTable(const TrendTable& table);
    void resetZoom();

    // The stretch of time shown now.
    QDateTime shownFrom() const;
    QDateTime shownTo() const;
    // Alarm packets marked, and how many marks the time axis shows at its present scale (marks
    // closer than a pixel are drawn once).
    int alarmCount() const;
    int alarmMarksDrawn() const;
    // The pieces a value's line is drawn in now, and whether they show their points.
    int linePieces(int value) const;
    bool pointsShown(int value) const;

    static constexpr double kWheelZoomFactor = 1.25;
    static constexpr double kMarkerSpacing = 5;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    // One value: its points in time order and where its runs (the stretches without a gap)
    // start, and the series its line is drawn in now.
    struct ValueLine {
        QString title;
        QColor colour;
        std::vector<QPointF> points;
        std::vector<std::size_t> runStarts;
        QList<QLineSeries*> pieces;
        int piecesUsed = 0;
        bool dense = false;
    };

    void showHome();
    void scheduleRedraw();
    void redrawLines();
    QLineSeries* piece(ValueLine& line, int index);

    AlarmMarks* alarmMarks_ = nullptr;
    std::vector<ValueLine> lines_;
    QTimer redraw_;
    QDateTime homeFrom_;
    QDateTime homeTo_;
    double homeLow_ = 0;
    double homeHigh_ = 0;
};

} // namespace kvt
