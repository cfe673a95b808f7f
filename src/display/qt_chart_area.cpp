#include "display/qt_chart_area.h"

#include "app/qt_messages.h"
#include "display/chart_text.h"
#include "display/panel_echelle.h"
#include "display/qt_chart.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace talvex {

namespace {

constexpr int StripHeight = 14;
constexpr int Window4TitleHeight = 22;
constexpr int FirstStrip = 3; // charts_[3], charts_[4] are Graphe4 and Graphe5

QString name(const char* prefix, int number) {
    return QString::fromLatin1(prefix) + QString::number(number);
}

QString curveName(const char* prefix, int window, int curve) {
    return QStringLiteral("%1F%2C%3").arg(QString::fromLatin1(prefix)).arg(window).arg(curve + 1);
}

QToolButton* closeButton(QWidget* parent, int number) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name("CloseWindow", number));
    button->setIcon(parent->style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    button->setAutoRaise(true);
    button->setFixedSize(18, 18);
    return button;
}

QWidget* titleBar(QWidget* parent, const QString& objectName, int height) {
    auto* bar = new QWidget(parent);
    bar->setObjectName(objectName);
    bar->setFixedHeight(height);
    bar->setAutoFillBackground(true);
    QPalette p = bar->palette();
    p.setColor(QPalette::Window, QColor(0xE4, 0xE4, 0xE4));
    bar->setPalette(p);
    return bar;
}

} // namespace

ChartArea::ChartArea(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("ChartArea"));
    setMinimumSize(400, 300);
    for (int w = 1; w <= 3; ++w)
        windows_[w - 1] = makeCurveWindow(w);
    windows_[3] = makeStripWindow();

    ScrollBar = new QScrollBar(Qt::Horizontal, this);
    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->setRange(0, ScrollBarMax);
    ScrollBar->setPageStep(200);
    ScrollBar->setSingleStep(5);
    ScrollBar->setEnabled(false);
    connect(ScrollBar, &QScrollBar::valueChanged, this, &ChartArea::ScrollBarChange);

    echelle_ = new TForm_Echelle(this);

    for (Chart* chart : charts_) {
        connect(chart, &QCustomPlot::mouseMove, this,
                [this, chart](QMouseEvent* event) { GrapheMouseMove(chart, event->pos()); });
        connect(chart, &QCustomPlot::mousePress, this, [this](QMouseEvent*) { GrapheMouseDown(); });
        connect(chart, &QCustomPlot::mouseRelease, this, [this](QMouseEvent*) { GrapheMouseUp(); });
        connect(chart, &Chart::zoomRequested, this, &ChartArea::GrapheZoom);
        connect(chart, &Chart::undoZoomRequested, this, &ChartArea::GrapheUndoZoom);
        if (chart->kind() == Chart::CurveChart) {
            connect(chart, &QCustomPlot::axisClick, this,
                    [this, chart](QCPAxis* axis, QCPAxis::SelectablePart, QMouseEvent*) {
                        GrapheClickAxis(chart, axis);
                    });
            connect(chart, &Chart::resized, this, &ChartArea::Delete_Cursors);
        }
    }
    for (QWidget* w : windows_)
        w->hide();
    AbscisseEdit->hide();
    retranslate();
}

QWidget* ChartArea::makeCurveWindow(int number) {
    auto* window = new QFrame(this);
    window->setObjectName(name("Window", number));
    auto* column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    QWidget* bar = titleBar(window, name("Title", number), TitleHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 2, 2);
    row->setSpacing(4);
    for (int c = 0; c < CurvesPerWindow; ++c) {
        auto* legend = new QWidget(bar);
        legend->setObjectName(curveName("legende", number, c));
        auto* l = new QHBoxLayout(legend);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(4);
        auto* square = new QLabel(legend);
        square->setObjectName(curveName("color", number, c));
        square->setFixedSize(12, 12);
        square->setAutoFillBackground(true);
        auto* label = new QLabel(legend);
        label->setObjectName(curveName("Mesure", number, c));
        auto* value = new QLineEdit(legend);
        value->setObjectName(curveName("Valeur", number, c));
        value->setReadOnly(true);
        value->setFixedWidth(78);
        value->setFocusPolicy(Qt::NoFocus);
        l->addWidget(square);
        l->addWidget(label);
        l->addWidget(value);
        legends_[number - 1][c] = legend;
        colourSquares_[number - 1][c] = square;
        labels_[number - 1][c] = label;
        values_[number - 1][c] = value;
        legend->hide();
        if (c == 0) {
            row->addWidget(legend);
            row->addStretch(1);
            if (number == 1) {
                AbscisseEdit = new QLineEdit(bar);
                AbscisseEdit->setObjectName(QStringLiteral("AbscisseEdit"));
                AbscisseEdit->setReadOnly(true);
                AbscisseEdit->setFocusPolicy(Qt::NoFocus);
                AbscisseEdit->setFixedWidth(110);
                AbscisseEdit->setAlignment(Qt::AlignCenter);
                row->addWidget(AbscisseEdit);
                row->addStretch(1);
            }
        } else {
            row->addWidget(legend);
        }
    }
    QToolButton* close = closeButton(bar, number);
    closeButtons_[number - 1] = close;
    row->addWidget(close);
    connect(close, &QToolButton::clicked, this, [this, number] { CloseWindowClick(number); });

    auto* chart = new Chart(Chart::CurveChart, window);
    chart->setObjectName(name("Graphe", number));
    if (number == 1)
        chart->setPointMarks(0, false);
    charts_[number - 1] = chart;
    column->addWidget(bar);
    column->addWidget(chart, 1);
    return window;
}

QWidget* ChartArea::makeStripWindow() {
    auto* window = new QFrame(this);
    window->setObjectName(QStringLiteral("Window4"));
    window->setFixedHeight(Window4Height);
    auto* column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 1);
    column->setSpacing(0);
    QWidget* bar = titleBar(window, QStringLiteral("Title4"), Window4TitleHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 2, 2);
    row->addStretch(1);
    closeButtons_[3] = closeButton(bar, 4);
    row->addWidget(closeButtons_[3]);
    connect(closeButtons_[3], &QToolButton::clicked, this, [this] { CloseWindowClick(4); });
    column->addWidget(bar);
    for (int s = 0; s < StripCount; ++s) {
        auto* chart = new Chart(Chart::StripChart, window);
        chart->setObjectName(name("Graphe", 4 + s));
        chart->setFixedHeight(StripHeight);
        // The strip's title sits in the chart's left margin, so that the strips keep the
        // same time scale as the charts above.
        auto* title = new QLabel(chart);
        title->setObjectName(name("Titre_Graphe", 4 + s));
        title->setGeometry(2, 0, Chart::SideMargin - 4, StripHeight);
        QFont f = title->font();
        f.setPointSizeF(std::max(6.5, f.pointSizeF() - 1.5));
        title->setFont(f);
        stripTitles_[s] = title;
        charts_[FirstStrip + s] = chart;
        column->addWidget(chart);
    }
    return window;
}

void ChartArea::retranslate() {
    for (QToolButton* b : closeButtons_)
        b->setToolTip(tr("Fermer"));
    for (QLabel* title : stripTitles_)
        if (title->text().isEmpty())
            title->setText(tr("Chocs"));
}

void ChartArea::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ChartArea::placeBottomWidgets() {
    const int barHeight = ScrollBar->sizeHint().height();
    ScrollBar->setGeometry(0, height() - barHeight, width(), barHeight);
    windows_[3]->setGeometry(0, ScrollBar->y() - Window4Height, width(), Window4Height);
}

void ChartArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBottomWidgets();
    if (windowsActive_)
        Display_Windows();
}

void ChartArea::Display_Windows() {
    placeBottomWidgets();
    windowsActive_ = true;
    const auto& shown = session_.display.WindowShown;
    const ChartAreaLayout layout =
        layout_chart_windows(shown, ScrollBar->y(), Window4Height, width());
    for (int w = 0; w < CurveWindowCount; ++w) {
        const WindowPlacement& p = layout.windows[w];
        if (p.visible)
            windows_[w]->setGeometry(0, p.top, layout.width, std::max(p.height, 0));
        windows_[w]->setVisible(p.visible);
    }
    windows_[3]->setVisible(layout.window4);
    AbscisseEdit->setVisible(layout.readoutShown);
    AbscisseEdit->setEnabled(layout.readoutShown);
    Q_EMIT readoutShownChanged(layout.readoutShown);
    update();
}

void ChartArea::hideWindows() {
    Delete_Cursors();
    cursorDrawingAllowed_ = true;
    windowsActive_ = false;
    for (QWidget* w : windows_)
        w->hide();
    AbscisseEdit->hide();
    AbscisseEdit->clear();
    for (int w = 0; w < CurveWindowCount; ++w) {
        for (int c = 0; c < CurvesPerWindow; ++c) {
            values_[w][c]->clear();
            labels_[w][c]->clear();
            legends_[w][c]->hide();
            charts_[w]->setValueAxisManual(charts_[w]->valueAxis(c), false);
        }
    }
    for (QLabel* title : stripTitles_)
        title->setText(tr("Chocs"));
    for (Chart* chart : charts_) {
        chart->setToolTip(QString());
        chart->clearCurves();
    }
    curves_ = DisplayCurves{};
    haveData_ = false;
    first_ = last_ = width_ = 0;
    {
        const QSignalBlocker block(ScrollBar);
        ScrollBar->setValue(0);
    }
    ScrollBar->setEnabled(false);
}

void ChartArea::CloseWindowClick(int window) {
    Delete_Cursors();
    session_.display.WindowShown[window - 1] = false;
    Display_Windows();
}

void ChartArea::setLegend(int window, int curve, const QString& label, bool visible,
                          const QColor& colour) {
    labels_[window - 1][curve]->setText(label);
    legends_[window - 1][curve]->setVisible(visible);
    QLabel* square = colourSquares_[window - 1][curve];
    QPalette p = square->palette();
    p.setColor(QPalette::Window, colour);
    square->setPalette(p);
    Chart* chart = charts_[window - 1];
    chart->valueAxis(curve)->setLabel(visible ? label : QString());
}

void ChartArea::setStripTitle(int strip, const QString& title) {
    stripTitles_[strip]->setText(title);
}

void ChartArea::setChartHint(int chart, const QString& hint) { charts_[chart - 1]->setToolTip(hint); }

void ChartArea::showCurves(
    DisplayCurves curves,
    const std::array<std::array<QColor, CurvesPerWindow>, CurveWindowCount>& colours) {
    Delete_Cursors();
    curves_ = std::move(curves);
    first_ = curves_.first;
    last_ = curves_.last;
    width_ = last_ - first_;

    double begin = std::numeric_limits<double>::infinity();
    double end = -begin;
    auto extend = [&](const Curve& c) {
        if (c.size() == 0)
            return;
        begin = std::min(begin, c.x.front());
        end = std::max(end, c.x.back());
    };
    for (int w = 0; w < CurveWindowCount; ++w) {
        for (int c = 0; c < CurvesPerWindow; ++c) {
            charts_[w]->setCurve(c, curves_.curves[w][c], colours[w][c]);
            extend(curves_.curves[w][c]);
        }
    }
    for (int s = 0; s < StripCount; ++s) {
        charts_[FirstStrip + s]->setCurve(0, curves_.strips[s], QColor(255, 0, 0));
        extend(curves_.strips[s]);
    }
    haveData_ = begin < end;
    if (!haveData_ && begin == end) {
        // A single point: a range of one period around it.
        haveData_ = true;
        begin -= 1.0 / 24;
        end += 1.0 / 24;
    }
    autoBegin_ = begin;
    autoEnd_ = end;
    for (Chart* chart : charts_)
        chart->rescaleValueAxes();
    applyAutomaticTimeRange(false);
    replotCharts();
}

bool ChartArea::chartShown(int index) const {
    return index < FirstStrip ? !windows_[index]->isHidden() : !windows_[3]->isHidden();
}

void ChartArea::applyTimeView(double begin, double end, bool visibleOnly) {
    for (int i = 0; i < 5; ++i)
        if (!visibleOnly || chartShown(i))
            charts_[i]->setTimeRange(begin, end);
}

void ChartArea::applyAutomaticTimeRange(bool visibleOnly) {
    if (haveData_)
        applyTimeView(autoBegin_, autoEnd_, visibleOnly);
}

void ChartArea::replotCharts() {
    for (int i = 0; i < 5; ++i)
        if (chartShown(i))
            charts_[i]->replot(QCustomPlot::rpQueuedReplot);
        else
            charts_[i]->replot(QCustomPlot::rpQueuedRefresh);
}

void ChartArea::Delete_Cursors() {
    for (Chart* chart : charts_)
        chart->eraseCursor();
}

TimeBounds ChartArea::timeBounds() const {
    TimeBounds b{first_, last_, first_, last_};
    if (session_.current) {
        b.startAll = session_.current->StartAll;
        b.endAll = session_.current->EndAll;
    }
    return b;
}

void ChartArea::GrapheMouseMove(Chart* chart, const QPoint& position) {
    if (!chart->plotRect().contains(position))
        return;
    // Delete_Cursors and redraw: a shown chart's line simply moves to the new x.
    for (int i = 0; i < 5; ++i) {
        if (cursorDrawingAllowed_ && chartShown(i))
            charts_[i]->drawCursor(position.x());
        else
            charts_[i]->eraseCursor();
    }

    const int index = static_cast<int>(std::find(charts_.begin(), charts_.end(), chart) - charts_.begin());
    const Curve* reference = nullptr;
    if (index < FirstStrip) {
        const auto& pair = curves_.curves[index];
        reference = pair[0].size() > 0 ? &pair[0] : &pair[1];
    } else {
        reference = &curves_.strips[index - FirstStrip];
    }
    const double t = chart->instantAt(position.x());
    const auto i = cursor_index(reference->x, t);
    if (!i)
        return;
    const double instant = reference->x[*i];
    AbscisseEdit->setText(QString::fromStdString(format_chart_instant(instant)));
    for (int w = 0; w < CurveWindowCount; ++w)
        for (int c = 0; c < CurvesPerWindow; ++c)
            Affiche_valeur(w, c, instant);
}

void ChartArea::Affiche_valeur(int window, int curve, double instant) {
    if (windows_[window]->isHidden() || legends_[window][curve]->isHidden())
        return;
    // Each curve reads its own point at the reference point's instant: curves of the same
    // build share their instants, and a strip (never averaged) or a curve averaged from a
    // filtered series then still reads the instant shown in the read-out.
    const Curve& points = curves_.curves[window][curve];
    const auto k = point_at_or_before(points.x, instant);
    QLineEdit* field = values_[window][curve];
    if (!k) {
        field->clear();
        return;
    }
    const bool radon = is_radon_label(labels_[window][curve]->text().toStdString());
    field->setText(QString::fromStdString(format_readout(points.y[*k], radon)));
}

void ChartArea::GrapheMouseDown() {
    Delete_Cursors();
    cursorDrawingAllowed_ = false;
}

void ChartArea::GrapheMouseUp() { cursorDrawingAllowed_ = true; }

void ChartArea::GrapheZoom(double from, double to) {
    Delete_Cursors();
    const auto zoom = zoom_view(from, to, timeBounds());
    if (!zoom)
        return;
    width_ = zoom->view.width();
    ScrollBar->setEnabled(true);
    {
        const QSignalBlocker block(ScrollBar);
        ScrollBar->setValue(zoom->scrollPosition);
    }
    applyTimeView(zoom->view.begin, zoom->view.end, true);
    replotCharts();
}

void ChartArea::GrapheUndoZoom() {
    Delete_Cursors();
    width_ = last_ - first_;
    ScrollBar->setEnabled(false);
    applyAutomaticTimeRange(true);
    replotCharts();
}

void ChartArea::ScrollBarChange(int position) {
    Delete_Cursors();
    const TimeView view = scroll_view(timeBounds(), width_, position);
    applyTimeView(view.begin, view.end, false);
    replotCharts();
}

void ChartArea::GrapheClickAxis(Chart* chart, QCPAxis* axis) {
    Delete_Cursors();
    const bool timeAxis = axis == chart->xAxis;
    const QCPRange range = axis->range();
    if (timeAxis) {
        echelle_->presetDates(QString::fromStdString(format_chart_instant(range.lower)),
                              QString::fromStdString(format_chart_instant(range.upper)));
    } else {
        echelle_->presetNumbers(QString::fromStdString(format_fixed(range.lower, 10, 2)),
                                QString::fromStdString(format_fixed(range.upper, 10, 2)));
    }
    const bool accepted = echelle_->exec() == QDialog::Accepted;
    cursorDrawingAllowed_ = true;
    if (!accepted)
        return;

    const QString minimumText = echelle_->minimumText();
    const QString maximumText = echelle_->maximumText();
    const QString refused = tr("La valeur minimum est supérieure à la valeur maximum...");
    if (timeAxis) {
        const auto minimum = parse_date_time_field(minimumText.toStdString());
        const auto maximum = parse_date_time_field(maximumText.toStdString());
        for (const auto& [value, text] : {std::pair{minimum, minimumText}, {maximum, maximumText}}) {
            if (!value) {
                showError(this, tr("'%1' n'est pas une date et heure correcte").arg(text));
                return;
            }
        }
        const TimeBounds bounds = timeBounds();
        const double b = std::max(*minimum, bounds.startAll);
        const double e = std::min(*maximum, bounds.endAll);
        if (!QCPRange::validRange(b, e) || !(b < e)) {
            showError(this, refused);
            return;
        }
        applyTimeView(b, e, true);
    } else {
        const auto minimum = parse_real(minimumText.toStdString());
        const auto maximum = parse_real(maximumText.toStdString());
        for (const auto& [value, text] : {std::pair{minimum, minimumText}, {maximum, maximumText}}) {
            if (!value) {
                showError(this,
                          tr("'%1' n'est pas une valeur en virgule flottante correcte").arg(text));
                return;
            }
        }
        if (*minimum >= *maximum || !QCPRange::validRange(*minimum, *maximum)) {
            showError(this, refused);
            return;
        }
        chart->setValueAxisManual(axis, true);
        axis->setRange(*minimum, *maximum);
    }
    replotCharts();
}

} // namespace talvex
