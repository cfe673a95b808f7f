// One chart of the chart windows, on QCustomPlot: a curve chart (windows 1 to 3: curve 1 on
// the left axis, curve 2 on the right axis, a date-time bottom axis) or a status strip
// (window 4: one stair area from 0 to 1, no axes). Every chart keeps the same left and
// right margins, so that one x pixel is the same instant in all of them; the cursor is a
// line on its own layer, redrawn without redrawing the curves.
#pragma once

#include "display/curve_processing.h"

#include "display/qt_qcustomplot.h"

namespace talvex {

class Chart : public QCustomPlot {
    Q_OBJECT
public:
    enum Kind { CurveChart, StripChart };
    // Width of the plotting rectangle's left and right margins (axis labels and titles).
    static constexpr int SideMargin = 74;

    Chart(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    // Curve 0 (left axis) and curve 1 (right axis); a strip has curve 0 only.
    QCPGraph* curve(int index) const { return curves_[index]; }
    // The hidden series the volumetric activity highlights its period with.
    QCPGraph* highlight() const { return highlight_; }
    QCPAxis* valueAxis(int index) const { return index == 0 ? yAxis : yAxis2; }

    // Replaces a curve's points (sorted by instant) and its colour.
    void setCurve(int index, const Curve& points, const QColor& colour);
    void clearCurves();
    // Small 2 x 2 marks on every point of a curve (on by default).
    void setPointMarks(int index, bool on) { marks_[index] = on; }

    void setTimeRange(double begin, double end);
    QCPRange timeRange() const { return xAxis->range(); }
    // Fits the value axes that the user has not scaled to their curve's points.
    void rescaleValueAxes();
    // A value axis scaled by the user keeps its bounds through curve builds.
    void setValueAxisManual(QCPAxis* axis, bool manual);

    QRect plotRect() const;
    double instantAt(int x) const { return xAxis->pixelToCoord(x); }

    // The cursor: x of the drawn line, -1 when there is none.
    int cursorX() const { return cursorX_; }
    void drawCursor(int x);
    void eraseCursor();

Q_SIGNALS:
    // A rectangle dragged from left to right over [from, to] (instants).
    void zoomRequested(double from, double to);
    // A rectangle dragged from right to left.
    void undoZoomRequested();
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void rectangleDone(const QRect& rect, QMouseEvent* event);

    Kind kind_;
    QCPGraph* curves_[2] = {nullptr, nullptr};
    QCPGraph* highlight_ = nullptr;
    QCPLayer* cursorLayer_ = nullptr;
    QCPItemStraightLine* cursorLine_ = nullptr;
    int cursorX_ = -1;
    int pressX_ = 0;
    bool manual_[2] = {false, false};
    bool marks_[2] = {false, false};
};

} // namespace talvex
