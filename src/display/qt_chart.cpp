#include "display/qt_chart.h"

#include "display/chart_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace talvex {

namespace {

constexpr double Minute = 1.0 / 1440.0;

// Time axis labels "dd/MM/yy hh:mm" on instants (days), at least five minutes apart, on
// round minutes, hours or days.
class InstantTicker : public QCPAxisTicker {
protected:
    double getTickStep(const QCPRange& range) override {
        static const double steps[] = {
            5 * Minute, 10 * Minute, 15 * Minute, 30 * Minute, 60 * Minute, 120 * Minute,
            180 * Minute, 360 * Minute, 720 * Minute, 1, 2, 7, 14, 28, 56, 91, 182, 364};
        const double wanted = range.size() / std::max(1, tickCount());
        for (double step : steps)
            if (step >= wanted)
                return step;
        return std::ceil(wanted / 364) * 364;
    }
    int getSubTickCount(double) override { return 0; }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        return QString::fromStdString(format_chart_instant(tick));
    }
};

// Value labels "####0.###".
class ValueTicker : public QCPAxisTicker {
protected:
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        return QString::fromStdString(format_axis_value(tick));
    }
};

QVector<QCPGraphData> graph_data(const Curve& points) {
    QVector<QCPGraphData> data(static_cast<qsizetype>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
        data[static_cast<qsizetype>(i)] = QCPGraphData(points.x[i], points.y[i]);
    return data;
}

// A stair keeps each value until the next point: only the points where the value changes,
// and the last one, draw anything. A status flag changes seldom, and the filled area of a
// stair with every measure as a corner is slow to paint.
QVector<QCPGraphData> stair_corners(const Curve& points) {
    QVector<QCPGraphData> data;
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i)
        if (i == 0 || i + 1 == n || points.y[i] != points.y[i - 1])
            data.append(QCPGraphData(points.x[i], points.y[i]));
    return data;
}

// A status strip: the area under the stair is filled pixel column by pixel column, each
// column up to the highest step drawn in it. A polygon fill of a stair with thousands of
// corners costs tens of milliseconds at each replot; this costs one pass over the corners.
class StairGraph : public QCPGraph {
public:
    using QCPGraph::QCPGraph;

protected:
    void drawFill(QCPPainter* painter, QVector<QPointF>* lines) const override {
        if (painter->brush().style() == Qt::NoBrush || lines->size() < 2)
            return;
        const QRect area = keyAxis()->axisRect()->rect();
        const int left = area.left();
        const int width = area.width();
        if (width <= 0)
            return;
        const double base = std::clamp(valueAxis()->coordToPixel(0), double(area.top()),
                                       double(area.bottom() + 1));
        std::vector<double> top(static_cast<size_t>(width), base);
        for (qsizetype i = 1; i < lines->size(); ++i) {
            const QPointF& p = (*lines)[i - 1];
            const QPointF& q = (*lines)[i];
            if (p.y() != q.y() || std::isnan(p.y()) || std::isnan(p.x()) || std::isnan(q.x()))
                continue;
            const double x1 = std::min(p.x(), q.x()) - left;
            const double x2 = std::max(p.x(), q.x()) - left;
            if (x2 < 0 || x1 >= width)
                continue;
            const int first = std::clamp(static_cast<int>(std::floor(x1)), 0, width - 1);
            const int last = std::clamp(static_cast<int>(std::ceil(x2)) - 1, first, width - 1);
            const double y = std::max(p.y(), double(area.top()));
            for (int c = first; c <= last; ++c)
                top[static_cast<size_t>(c)] = std::min(top[static_cast<size_t>(c)], y);
        }
        for (int c = 0; c < width;) {
            const double y = top[static_cast<size_t>(c)];
            int end = c + 1;
            while (end < width && top[static_cast<size_t>(end)] == y)
                ++end;
            if (y < base)
                painter->fillRect(QRectF(left + c, y, end - c, base - y), painter->brush());
            c = end;
        }
    }
};

// A 2 x 2 mark in the curve's colour. Drawn as a pixmap: a zoomed curve of a long
// measurement shows thousands of marks, and a pixmap copy is much cheaper than a square
// outlined and filled with the painter.
QPixmap pointMark(const QColor& colour) {
    QPixmap mark(2, 2);
    mark.fill(colour);
    return mark;
}

} // namespace

Chart::Chart(Kind kind, QWidget* parent) : QCustomPlot(parent), kind_(kind) {
    setNotAntialiasedElements(QCP::aeAll);
    setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
    setBackground(Qt::white);
    setFocusPolicy(Qt::NoFocus);

    QFont small = font();
    small.setPointSizeF(std::max(6.5, small.pointSizeF() - 1.5));

    xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new InstantTicker));
    xAxis->setTickLabelRotation(-90);
    xAxis->setTickLabelFont(small);
    xAxis->grid()->setVisible(false);
    xAxis->setSubTicks(false);
    for (QCPAxis* axis : {yAxis, yAxis2}) {
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new ValueTicker));
        axis->setTickLabelFont(small);
        axis->setLabelFont(small);
        axis->grid()->setVisible(axis == yAxis);
    }
    yAxis->setLabelColor(Qt::red);
    yAxis2->setLabelColor(QColor(0, 128, 0));
    yAxis2->setVisible(true);

    curves_[0] = kind == StripChart ? new StairGraph(xAxis, yAxis) : addGraph(xAxis, yAxis);
    if (kind == CurveChart) {
        curves_[1] = addGraph(xAxis, yAxis2);
        highlight_ = addGraph(xAxis, yAxis);
        highlight_->setVisible(false);
        marks_[0] = marks_[1] = true;
        axisRect()->setAutoMargins(QCP::msBottom);
        axisRect()->setMargins(QMargins(SideMargin, 6, SideMargin, 0));
        setSelectionRectMode(QCP::srmCustom);
        connect(selectionRect(), &QCPSelectionRect::accepted, this, &Chart::rectangleDone);
        connect(this, &QCustomPlot::mousePress, this,
                [this](QMouseEvent* event) { pressX_ = event->pos().x(); });
    } else {
        // A strip: the flag as a red stair area, its time axis following the charts above.
        curves_[0]->setLineStyle(QCPGraph::lsStepLeft);
        curves_[0]->setBrush(QBrush(Qt::red));
        axisRect()->setAutoMargins(QCP::msNone);
        axisRect()->setMargins(QMargins(SideMargin, 1, SideMargin, 1));
        for (QCPAxis* axis : axisRect()->axes()) {
            axis->setTicks(false);
            axis->setTickLabels(false);
            axis->grid()->setVisible(false);
            axis->setBasePen(QPen(Qt::gray));
        }
        xAxis2->setVisible(true);
        yAxis->setRange(0, 1.05);
        setMinimumHeight(1);
    }

    addLayer(QStringLiteral("cursors"), layer(QStringLiteral("overlay")), limAbove);
    cursorLayer_ = layer(QStringLiteral("cursors"));
    cursorLayer_->setMode(QCPLayer::lmBuffered);
    cursorLine_ = new QCPItemStraightLine(this);
    cursorLine_->setLayer(cursorLayer_);
    cursorLine_->setPen(QPen(Qt::black, 1));
    cursorLine_->point1->setType(QCPItemPosition::ptAbsolute);
    cursorLine_->point2->setType(QCPItemPosition::ptAbsolute);
    cursorLine_->setSelectable(false);
    cursorLine_->setVisible(false);
}

void Chart::setCurve(int index, const Curve& points, const QColor& colour) {
    QCPGraph* graph = curves_[index];
    graph->data()->set(kind_ == StripChart ? stair_corners(points) : graph_data(points), true);
    QPen pen(colour);
    graph->setPen(pen);
    if (kind_ == StripChart)
        graph->setBrush(QBrush(colour));
    else if (marks_[index])
        graph->setScatterStyle(QCPScatterStyle(pointMark(colour)));
}

void Chart::clearCurves() {
    for (QCPGraph* graph : curves_)
        if (graph)
            graph->data()->clear();
}

void Chart::setTimeRange(double begin, double end) {
    // Lower the minimum first so that the new maximum is never below it.
    xAxis->setRangeLower(std::min(begin, xAxis->range().lower));
    xAxis->setRangeUpper(end);
    xAxis->setRangeLower(begin);
    xAxis2->setRange(xAxis->range());
}

void Chart::rescaleValueAxes() {
    if (kind_ == StripChart)
        return;
    for (int i = 0; i < 2; ++i) {
        if (manual_[i] || curves_[i]->data()->isEmpty())
            continue;
        bool found = false;
        const QCPRange range = curves_[i]->data()->valueRange(found);
        if (!found)
            continue;
        if (range.size() > 0) {
            valueAxis(i)->setRange(range);
        } else {
            // A flat curve: centre it in a range of one unit.
            valueAxis(i)->setRange(range.lower - 0.5, range.upper + 0.5);
        }
    }
}

void Chart::setValueAxisManual(QCPAxis* axis, bool manual) {
    manual_[axis == yAxis2 ? 1 : 0] = manual;
}

QRect Chart::plotRect() const { return axisRect()->rect(); }

void Chart::drawCursor(int x) {
    if (x == cursorX_)
        return;
    const QRect r = plotRect();
    cursorLine_->point1->setCoords(x, r.top());
    cursorLine_->point2->setCoords(x, r.bottom());
    cursorLine_->setVisible(true);
    cursorX_ = x;
    cursorLayer_->replot();
}

void Chart::eraseCursor() {
    if (cursorX_ < 0)
        return;
    cursorLine_->setVisible(false);
    cursorX_ = -1;
    cursorLayer_->replot();
}

void Chart::resizeEvent(QResizeEvent* event) {
    QCustomPlot::resizeEvent(event);
    Q_EMIT resized();
}

void Chart::mousePressEvent(QMouseEvent* event) {
    // The zoom rectangle starts inside the plotting rectangle only: QCustomPlot reports no
    // axis click while a rectangle mode is on, and a press on an axis opens the scale dialog.
    if (kind_ == CurveChart)
        setSelectionRectMode(plotRect().contains(event->pos()) ? QCP::srmCustom : QCP::srmNone);
    QCustomPlot::mousePressEvent(event);
}

void Chart::rectangleDone(const QRect& rect, QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (event->pos().x() < pressX_) {
        Q_EMIT undoZoomRequested();
        return;
    }
    const QRect r = rect.normalized();
    if (r.width() < 1)
        return;
    Q_EMIT zoomRequested(instantAt(r.left()), instantAt(r.right()));
}

} // namespace talvex
