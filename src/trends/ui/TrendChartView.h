#pragma once

#include <QChartView>
#include <QDateTime>

#include <vector>

namespace kvt {

struct TrendTable;
class AlarmMarks;

// The plot of a trend table: one line per value against the receipt time, a point on every
// packet that shows the value and a break where a packet does not, alarm packets marked on the
// time axis, a legend below. The mouse wheel zooms the time around the pointer, a dragged
// rectangle zooms into it, a right click zooms back out; resetZoom() shows the whole table.
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

    // One wheel step zooms by this factor.
    static constexpr double kWheelZoomFactor = 1.25;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void showHome();

    AlarmMarks* alarmMarks_ = nullptr;
    QDateTime homeFrom_;
    QDateTime homeTo_;
    double homeLow_ = 0;
    double homeHigh_ = 0;
};

} // namespace kvt
