#include "trends/ui/TrendChartView.h"

#include "trends/TrendTable.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QGraphicsItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace kvt {

namespace {

// Colours of the values in turn; red is kept for the alarm marks.
const QColor kValueColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
                                QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0x17, 0xbe, 0xcf),
                                QColor(0xbc, 0xbd, 0x22), QColor(0x7f, 0x7f, 0x7f)};
const QColor kAlarmColour(0xd6, 0x27, 0x28);
constexpr int kAlarmLineAlpha = 45;
constexpr double kLineWidth = 1.5;
constexpr double kMarkerSize = 4;
constexpr double kAlarmMarkSize = 9;
constexpr int kTimeTicks = 7;
constexpr int kValueTicks = 6;
// A table of one moment, or of one value, still gets an axis this wide.
constexpr qint64 kLoneMomentHalfSpanMs = 30 * 60 * 1000;
constexpr double kLoneValueHalfSpan = 1;
constexpr double kValueMargin = 0.05;
// The time axis names days while its ticks are a day or more apart, else minutes, and
// seconds while they are less than a minute apart.
const QString kDaysFormat = QStringLiteral("dd.MM.yy");
const QString kMinutesFormat = QStringLiteral("dd.MM.yy hh:mm");
const QString kSecondsFormat = QStringLiteral("hh:mm:ss");
constexpr qint64 kDayMs = 24LL * 60 * 60 * 1000;
constexpr qint64 kMinuteMs = 60LL * 1000;

QString TimeFormatFor(qint64 shownMs)
{
    const qint64 tickMs = shownMs / (kTimeTicks - 1);
    return tickMs >= kDayMs ? kDaysFormat : tickMs >= kMinuteMs ? kMinutesFormat : kSecondsFormat;
}
const QString kAlarmLegend = QStringLiteral("Аварийный пакет");

// The round step (1, 2 or 5 times a power of ten) nearest above `least`.
double RoundStep(double least)
{
    if (!(least > 0) || !std::isfinite(least))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= least)
            return factor * power;
    }
    return 10 * power;
}

QDateTimeAxis* TimeAxis(QChart* chart)
{
    const QList<QAbstractAxis*> axes = chart->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QDateTimeAxis*>(axes.first());
}

} // namespace

// The alarm packets of the table as marks on the time axis: a triangle on the axis and a faint
// line across the plot. Marks that fall on the same pixel are drawn once, so two hundred
// thousand alarms cost no more than the plot's width.
class AlarmMarks : public QGraphicsItem {
public:
    explicit AlarmMarks(QChart* chart) : QGraphicsItem(chart), chart_(chart) { setZValue(chart->zValue() + 10); }

    void setTimes(std::vector<qint64> times)
    {
        times_ = std::move(times);
        changed();
    }
    int count() const { return int(times_.size()); }
    void changed()
    {
        prepareGeometryChange();
        update();
    }

    // The pixel columns of the marks in the range shown.
    std::vector<int> columns() const
    {
        std::vector<int> xs;
        const QDateTimeAxis* axis = TimeAxis(chart_);
        const QRectF area = chart_->plotArea();
        if (!axis || area.width() <= 0)
            return xs;
        const qint64 from = axis->min().toMSecsSinceEpoch();
        const qint64 to = axis->max().toMSecsSinceEpoch();
        if (to <= from)
            return xs;
        const auto first = std::lower_bound(times_.begin(), times_.end(), from);
        const auto last = std::upper_bound(times_.begin(), times_.end(), to);
        for (auto t = first; t != last; ++t) {
            const int x = int(std::lround(area.left() + double(*t - from) / double(to - from) * area.width()));
            if (xs.empty() || xs.back() != x)
                xs.push_back(x);
        }
        return xs;
    }

    QRectF boundingRect() const override
    {
        return chart_->plotArea().adjusted(-kAlarmMarkSize, -1, kAlarmMarkSize, 1);
    }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        const QRectF area = chart_->plotArea();
        QColor faint = kAlarmColour;
        faint.setAlpha(kAlarmLineAlpha);
        painter->setRenderHint(QPainter::Antialiasing);
        for (const int x : columns()) {
            painter->setPen(QPen(faint, 1));
            painter->drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            const QPointF tip(x, area.bottom() - kAlarmMarkSize);
            const QPointF triangle[] = {tip, QPointF(x - kAlarmMarkSize / 2, area.bottom()),
                                        QPointF(x + kAlarmMarkSize / 2, area.bottom())};
            painter->setPen(Qt::NoPen);
            painter->setBrush(kAlarmColour);
            painter->drawPolygon(triangle, 3);
        }
    }

private:
    QChart* chart_;
    std::vector<qint64> times_; // ascending
};

TrendChartView::TrendChartView(QWidget* parent) : QChartView(new QChart, parent)
{
    setObjectName(QStringLiteral("TrendChart"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    chart()->setAnimationOptions(QChart::NoAnimation);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    alarmMarks_ = new AlarmMarks(chart());
    // Zooming changes both axes and resizing the plot area follows: the lines are drawn again
    // once, after all of it.
    redraw_.setSingleShot(true);
    redraw_.setInterval(0);
    connect(&redraw_, &QTimer::timeout, this, &TrendChartView::redrawLines);
    connect(chart(), &QChart::plotAreaChanged, this, &TrendChartView::scheduleRedraw);
}

TrendChartView::~TrendChartView() = default;

void TrendChartView::showTable(const TrendTable& table)
{
    QChart* chart = this->chart();
    chart->zoomReset();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    lines_.clear();

    auto* time = new QDateTimeAxis;
    time->setTickCount(kTimeTicks);
    auto* values = new QValueAxis;
    values->setTickType(QValueAxis::TicksDynamic);
    values->setTickAnchor(0);
    values->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    connect(time, &QDateTimeAxis::rangeChanged, this, &TrendChartView::scheduleRedraw);

    double low = INFINITY;
    double high = -INFINITY;
    lines_.resize(table.columns.size());
    for (std::size_t column = 0; column < table.columns.size(); ++column) {
        ValueLine& line = lines_[column];
        line.title = table.columns[column].title;
        line.colour = kValueColours[column % std::size(kValueColours)];
        bool afterGap = true;
        for (const TrendRow& row : table.rows) {
            const std::optional<TrendValue>& value = row.values[column];
            if (!value) {
                afterGap = true;
                continue;
            }
            if (afterGap)
                line.runStarts.push_back(line.points.size());
            afterGap = false;
            line.points.emplace_back(double(row.at.toMSecsSinceEpoch()), value->number);
            low = std::min(low, value->number);
            high = std::max(high, value->number);
        }
        piece(line, 0); // the value's legend entry, also without points
    }

    std::vector<qint64> alarms;
    for (const TrendRow& row : table.rows) {
        if (row.alarm)
            alarms.push_back(row.at.toMSecsSinceEpoch());
    }
    if (!alarms.empty()) {
        auto* key = new QScatterSeries;
        key->setName(kAlarmLegend);
        key->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
        key->setColor(kAlarmColour);
        key->setBorderColor(kAlarmColour);
        key->setMarkerSize(kAlarmMarkSize);
        chart->addSeries(key);
        key->attachAxis(time);
        key->attachAxis(values);
    }
    alarmMarks_->setTimes(std::move(alarms));

    if (table.rows.empty()) {
        homeFrom_ = QDateTime::currentDateTime().addMSecs(-kLoneMomentHalfSpanMs);
        homeTo_ = homeFrom_.addMSecs(2 * kLoneMomentHalfSpanMs);
    } else {
        homeFrom_ = table.rows.front().at;
        homeTo_ = table.rows.back().at;
        if (homeFrom_ == homeTo_) {
            homeFrom_ = homeFrom_.addMSecs(-kLoneMomentHalfSpanMs);
            homeTo_ = homeTo_.addMSecs(kLoneMomentHalfSpanMs);
        }
    }
    if (!std::isfinite(low)) {
        low = 0;
        high = 1;
    } else if (low == high) {
        low -= kLoneValueHalfSpan;
        high += kLoneValueHalfSpan;
    } else {
        const double margin = (high - low) * kValueMargin;
        low -= margin;
        high += margin;
    }
    homeLow_ = low;
    homeHigh_ = high;
    showHome();
    redrawLines();
}

QLineSeries* TrendChartView::piece(ValueLine& line, int index)
{
    while (line.pieces.size() <= index) {
        auto* series = new QLineSeries;
        series->setName(line.title);
        series->setPen(QPen(line.colour, kLineWidth));
        series->setMarkerSize(kMarkerSize);
        chart()->addSeries(series);
        for (QAbstractAxis* axis : chart()->axes())
            series->attachAxis(axis);
        // One legend entry per value: the later pieces of its line stay out of the legend.
        if (!line.pieces.isEmpty())
            chart()->legend()->markers(series).first()->setVisible(false);
        line.pieces.append(series);
    }
    return line.pieces[index];
}

void TrendChartView::scheduleRedraw()
{
    alarmMarks_->changed();
    redraw_.start();
}

void TrendChartView::redrawLines()
{
    QDateTimeAxis* time = TimeAxis(chart());
    const QList<QAbstractAxis*> vertical = chart()->axes(Qt::Vertical);
    const QRectF area = chart()->plotArea();
    if (!time || vertical.isEmpty() || area.width() <= 0)
        return;
    auto* values = static_cast<QValueAxis*>(vertical.first());
    const QDateTime shownFrom = time->min();
    const QDateTime shownTo = time->max();
    const double from = double(shownFrom.toMSecsSinceEpoch());
    const double to = double(shownTo.toMSecsSinceEpoch());
    time->setFormat(TimeFormatFor(shownFrom.msecsTo(shownTo)));
    // A rectangle zoomed into gives the value axis any bounds: its ticks stay on round numbers.
    values->setTickInterval(RoundStep((values->max() - values->min()) / kValueTicks));
    const double shownLow = values->min();
    const double shownHigh = values->max();
    const double width = area.width();
    const auto columnOf = [&](double x) { return int(std::floor((x - from) / std::max(to - from, 1.0) * width)); };

    bool added = false;
    for (ValueLine& line : lines_) {
        const auto byX = [](const QPointF& p, double x) { return p.x() < x; };
        // One point on each side of the stretch shown carries the line to its edges.
        std::size_t first = std::lower_bound(line.points.begin(), line.points.end(), from, byX) - line.points.begin();
        std::size_t last = std::lower_bound(line.points.begin(), line.points.end(), std::nextafter(to, INFINITY), byX)
                           - line.points.begin();
        first = first > 0 ? first - 1 : first;
        last = std::min(last + 1, line.points.size());
        line.dense = double(last - first) > width / kMarkerSpacing;

        QList<QList<QPointF>> pieces;
        auto nextRun = std::upper_bound(line.runStarts.begin(), line.runStarts.end(), first);
        int lastColumn = 0;
        // The lowest and the highest point of the pixel column being gathered, in time order.
        std::optional<QPointF> lowest;
        std::optional<QPointF> highest;
        int gathered = std::numeric_limits<int>::min();
        const auto flush = [&] {
            if (!lowest)
                return;
            const bool lowFirst = lowest->x() <= highest->x();
            pieces.back().append(lowFirst ? *lowest : *highest);
            if (*lowest != *highest)
                pieces.back().append(lowFirst ? *highest : *lowest);
            lowest.reset();
            highest.reset();
        };
        for (std::size_t i = first; i < last; ++i) {
            const QPointF& point = line.points[i];
            const bool runStarts = nextRun != line.runStarts.end() && *nextRun == i;
            if (runStarts)
                ++nextRun;
            const int column = columnOf(point.x());
            // A gap breaks the line where it can be seen: always while every point is drawn,
            // else when it leaves at least one pixel column empty.
            if (i == first || (runStarts && (!line.dense || column - lastColumn > 1))) {
                flush();
                pieces.append(QList<QPointF>());
            }
            lastColumn = column;
            if (!line.dense) {
                pieces.back().append(point);
                continue;
            }
            if (column != gathered) {
                flush();
                gathered = column;
            }
            if (!lowest || point.y() < lowest->y())
                lowest = point;
            if (!highest || point.y() > highest->y())
                highest = point;
        }
        flush();

        const int piecesBefore = int(line.pieces.size());
        for (int k = 0; k < std::max<int>(int(pieces.size()), line.piecesUsed); ++k) {
            QLineSeries* series = piece(line, k);
            series->setPointsVisible(!line.dense);
            series->replace(k < pieces.size() ? pieces[k] : QList<QPointF>());
        }
        line.piecesUsed = int(pieces.size());
        added = added || line.pieces.size() != piecesBefore;
    }
    // A series joining the chart may widen its axes to its points: the stretch shown stays
    // (drawing once more at the same stretch adds no series).
    if (added) {
        time->setRange(shownFrom, shownTo);
        values->setRange(shownLow, shownHigh);
    }
}

void TrendChartView::showHome()
{
    QDateTimeAxis* time = TimeAxis(chart());
    const QList<QAbstractAxis*> vertical = chart()->axes(Qt::Vertical);
    if (!time || vertical.isEmpty())
        return;
    time->setRange(homeFrom_, homeTo_);
    auto* values = static_cast<QValueAxis*>(vertical.first());
    values->setRange(homeLow_, homeHigh_);
    scheduleRedraw();
}

void TrendChartView::resetZoom()
{
    chart()->zoomReset();
    showHome();
}

QDateTime TrendChartView::shownFrom() const
{
    const QDateTimeAxis* time = TimeAxis(chart());
    return time ? time->min() : QDateTime();
}

QDateTime TrendChartView::shownTo() const
{
    const QDateTimeAxis* time = TimeAxis(chart());
    return time ? time->max() : QDateTime();
}

int TrendChartView::alarmCount() const
{
    return alarmMarks_->count();
}

int TrendChartView::alarmMarksDrawn() const
{
    return int(alarmMarks_->columns().size());
}

int TrendChartView::linePieces(int value) const
{
    return lines_.at(value).piecesUsed;
}

bool TrendChartView::pointsShown(int value) const
{
    return !lines_.at(value).dense;
}

void TrendChartView::wheelEvent(QWheelEvent* event)
{
    const QRectF area = chart()->plotArea();
    const double steps = event->angleDelta().y() / double(QWheelEvent::DefaultDeltasPerStep);
    if (steps == 0 || area.width() <= 0) {
        event->ignore();
        return;
    }
    // The time under the pointer stays where it is; only the time axis is zoomed.
    const double factor = std::pow(kWheelZoomFactor, steps);
    const double x = std::clamp(chart()->mapFromScene(mapToScene(event->position().toPoint())).x(), area.left(),
                                area.right());
    const double width = area.width() / factor;
    const double left = x - (x - area.left()) / factor;
    chart()->zoomIn(QRectF(left, area.top(), width, area.height()));
    event->accept();
}

} // namespace kvt
