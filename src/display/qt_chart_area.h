// The main window's chart area: chart windows 1 to 3 (a title bar with the two legends and
// a close button, then a chart), window 4 with the two status strips, and the scroll bar.
// It lays the windows out, and gives the charts their mouse behaviour: the cursor across
// every shown chart with the read-outs, zoom and undo on all charts at once, scrolling, and
// the scale dialog from an axis click.
#pragma once

#include "app/session.h"
#include "display/display_curves.h"
#include "display/zoom_scroll.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QScrollBar;
class QToolButton;
class QCPAxis;

namespace talvex {

class Chart;
class TForm_Echelle;

class ChartArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int TitleHeight = 26;
    static constexpr int Window4Height = 51;

    ChartArea(Session& session, QWidget* parent = nullptr);

    // Shows, hides and places the four windows from the session's WindowShown flags.
    void Display_Windows();
    // Returns the area to its start-up state (a closed measurement or a language switch):
    // the four windows and the instant read-out hidden, no cursor, no zoom, the scroll bar
    // disabled, the read-outs and legends cleared, the texts in the language in force. The
    // WindowShown flags are kept; the display options' OK shows the windows again.
    void hideWindows();
    // Removes the cursor of every chart.
    void Delete_Cursors();

    // The legend of a curve of window 1..3 (curve 0 or 1): label, visibility and colour.
    void setLegend(int window, int curve, const QString& label, bool visible, const QColor& colour);
    void setStripTitle(int strip, const QString& title);
    // The hint of the charts: the probe number.
    void setChartHint(int chart, const QString& hint);

    // Draws the curves of a build in the given colours; the time axes return to the whole
    // range of the data, value axes scaled by the user keep their bounds.
    void showCurves(DisplayCurves curves,
                    const std::array<std::array<QColor, CurvesPerWindow>, CurveWindowCount>& colours);

    // Graphe1..Graphe5 (1-based, as the windows name them).
    Chart* graphe(int number) const { return charts_[number - 1]; }
    QWidget* window(int number) const { return windows_[number - 1]; }
    QLineEdit* valueField(int window, int curve) const { return values_[window - 1][curve]; }
    QLineEdit* AbscisseEdit = nullptr;
    QScrollBar* ScrollBar = nullptr;
    TForm_Echelle* echelle() const { return echelle_; }
    // The curves on display (those of the last build).
    const DisplayCurves& displayed() const { return curves_; }

    // The chart interaction, public so that tests drive it as the mouse does.
    void GrapheMouseMove(Chart* chart, const QPoint& position);
    void GrapheMouseDown();
    void GrapheMouseUp();
    void GrapheZoom(double from, double to);
    void GrapheUndoZoom();
    void GrapheClickAxis(Chart* chart, QCPAxis* axis);
    void ScrollBarChange(int position);
    void CloseWindowClick(int window);

Q_SIGNALS:
    // The instant read-out (and so the print command) exists with a window 1 to 3 shown.
    void readoutShownChanged(bool shown);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeCurveWindow(int number);
    QWidget* makeStripWindow();
    void placeBottomWidgets();
    void Affiche_valeur(int window, int curve, double instant);
    bool chartShown(int index) const;
    void applyTimeView(double begin, double end, bool visibleOnly);
    void applyAutomaticTimeRange(bool visibleOnly);
    void replotCharts();
    void retranslate();
    TimeBounds timeBounds() const;

    Session& session_;
    std::array<Chart*, 5> charts_{};
    std::array<QWidget*, 4> windows_{};
    std::array<std::array<QWidget*, CurvesPerWindow>, CurveWindowCount> legends_{};
    std::array<std::array<QLabel*, CurvesPerWindow>, CurveWindowCount> colourSquares_{};
    std::array<std::array<QLabel*, CurvesPerWindow>, CurveWindowCount> labels_{};
    std::array<std::array<QLineEdit*, CurvesPerWindow>, CurveWindowCount> values_{};
    std::array<QToolButton*, 4> closeButtons_{};
    std::array<QLabel*, StripCount> stripTitles_{};
    TForm_Echelle* echelle_ = nullptr;

    DisplayCurves curves_;
    double first_ = 0, last_ = 0, width_ = 0; // F, L and W of the zoom and the scroll bar
    bool haveData_ = false;
    double autoBegin_ = 0, autoEnd_ = 0;
    bool cursorDrawingAllowed_ = true;
    bool windowsActive_ = false;
    bool scrolling_ = false;
};

} // namespace talvex
