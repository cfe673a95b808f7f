// The chart windows as a user meets them: the display options dialog (lists by sensor mask,
// stored choices, clamps), the window layout, the cursor and its read-outs, zoom, undo,
// scrolling and the scale dialog.
#include "app/ini_file.h"
#include "data/standard_header.h"
#include "display/panel_display.h"
#include "display/panel_echelle.h"
#include "display/qt_chart.h"
#include "display/qt_chart_area.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

constexpr double Day0 = 45999; // 08/12/25 00:00
constexpr double Hour = 1.0 / 24;

// `count` hourly measures of probe type 3 from Day0; every calculated series s holds
// 10 * s + i at point i, apart from what the test changes.
std::shared_ptr<Measurement> measurement(int count = 10) {
    auto m = std::make_shared<Measurement>();
    m->header = example_header("24", count);
    m->header.setValue(57, "3");
    for (int i = 0; i < count; ++i)
        m->instants.push_back(Day0 + i * Hour);
    for (int s = 0; s < CalculatedSeriesCount; ++s)
        for (int i = 0; i < count; ++i)
            m->calculated[s].push_back(10.0 * (s + 1) + i);
    m->StartAll = m->StartSelection = m->instants.front();
    m->EndAll = m->EndSelection = m->instants.back();
    return m;
}

QStringList items(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

class Charts : public ::testing::Test {
protected:
    Charts() {
        write_bytes(dir / "Talvex2.ini",
                    "[SENSORS]\r\ntype0=0\r\ntype3=255\r\ntype4=4097\r\ntype5=1031\r\n");
        session.settings = load_app_settings(dir.path(), dir.path());
        session.working.directory = dir.path();
        area = std::make_unique<ChartArea>(session);
        dialog = std::make_unique<TForm_Display>(session, *area);
    }

    void useMeasurement(std::shared_ptr<Measurement> m) {
        session.display.StartSelection = m->StartSelection;
        session.display.EndSelection = m->EndSelection;
        session.current = std::move(m);
    }

    void writeDisplay(const std::string& lines) {
        write_bytes(dir / "Talvex2.ini", read_bytes(dir / "Talvex2.ini") + "[DISPLAY]\r\n" + lines);
    }

    // The area at the size where the scroll bar's top is at 519 pixels.
    void showArea() {
        area->show();
        area->resize(786, 519 + area->ScrollBar->sizeHint().height());
        QApplication::processEvents();
    }

    ScratchDir dir;
    Session session;
    std::unique_ptr<ChartArea> area;
    std::unique_ptr<TForm_Display> dialog;
};

} // namespace

TEST_F(Charts, ListsFollowTheProbeTypesSensorMask) {
    struct Case {
        const char* type;
        QStringList curves;
        QStringList controls;
    };
    const QStringList flags = {"Bat.", "Pompe", "Chauf.", "Alm1", "Alm2", "Cnx."};
    const Case cases[] = {
        {"0", {"<Aucune>"}, flags},
        {"4", {"<Aucune>", "Radon 1 (Cps/h)", "Radon 1 (Bq/m³)", "Radon 1 (Bq/l)"}, flags},
        {"5",
         {"<Aucune>", "Radon 1 (Cps/h)", "Radon 1 (Bq/m³)", "Radon 2 (Cps/h)", "Radon 2 (Bq/m³)",
          "Radon 3 (Cps/h)", "Radon 3 (Bq/m³)"},
         QStringList{"Chocs"} + flags},
        {"9", {"<Aucune>"}, flags}, // no key for the type: mask 0
    };
    for (const Case& c : cases) {
        auto m = measurement();
        m->header.setValue(57, c.type);
        useMeasurement(m);
        dialog->FormShow();
        for (const auto& pair : dialog->Courbe)
            for (const QComboBox* list : pair)
                EXPECT_EQ(items(list), c.curves) << "type " << c.type;
        for (const QComboBox* list : dialog->Courbe4)
            EXPECT_EQ(items(list), c.controls) << "type " << c.type;
    }
}

TEST_F(Charts, StoredChoicesAreShownAndAPositionBeyondTheListSelectsNone) {
    auto m = measurement();
    m->header.setValue(57, "4");
    useMeasurement(m);
    writeDisplay("window2=1\r\ncourbe f1c1=7\r\ncourbe f1c2=3\r\ncourbe f4c2=5\r\n"
                 "color f2c1=65280\r\nlissage f3c2=4\r\ncumul=2\r\ncontroles=0\r\n");
    dialog->FormShow();
    EXPECT_EQ(dialog->Courbe[0][0]->currentText(), QStringLiteral("<Aucune>"));
    EXPECT_EQ(dialog->Courbe[0][1]->currentText(), QStringLiteral("Radon 1 (Bq/l)"));
    EXPECT_EQ(dialog->Courbe4[1]->currentText(), QStringLiteral("Cnx."));
    EXPECT_TRUE(dialog->CheckBoxWindow[1]->isChecked());
    EXPECT_FALSE(dialog->CheckBoxWindow[0]->isChecked());
    EXPECT_FALSE(dialog->CheckBoxWindow[3]->isChecked());
    EXPECT_TRUE(dialog->PanelWindow[1]->isEnabled());
    EXPECT_FALSE(dialog->PanelWindow[0]->isEnabled());
    EXPECT_EQ(dialog->swatchColour(1, 0), QColor(0, 255, 0));
    EXPECT_EQ(dialog->swatchColour(0, 0), QColor(255, 0, 0));  // default curve 1
    EXPECT_EQ(dialog->swatchColour(0, 1), QColor(0, 0, 255));  // default curve 2
    EXPECT_EQ(dialog->Lissage[2][1]->text(), QStringLiteral("4"));
    EXPECT_EQ(dialog->ValeurCumul->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog->StartDateAll->text(), QStringLiteral("08/12/25"));
    EXPECT_EQ(dialog->EndDateSelection->text(), QStringLiteral("08/12/25"));
}

TEST_F(Charts, OkStoresTheChoicesThatTheNextShowingReads) {
    useMeasurement(measurement());
    dialog->FormShow();
    dialog->CheckBoxWindow[2]->setChecked(true);
    dialog->Courbe[2][0]->setCurrentIndex(7); // "Température (°C)"
    dialog->Lissage[2][0]->setText(QStringLiteral("3"));
    dialog->setSwatchColour(2, 0, QColor(0x12, 0x34, 0x56));
    dialog->Courbe4[0]->setCurrentIndex(2);
    dialog->ValeurCumul->setText(QStringLiteral("2"));
    ASSERT_TRUE(dialog->ButtonOKClick());

    const IniFile ini(dir / "Talvex2.ini");
    EXPECT_TRUE(ini.readBool("DISPLAY", "window3", false));
    EXPECT_EQ(ini.readInteger("DISPLAY", "courbe f3c1", -1), 7);
    EXPECT_EQ(ini.readString("DISPLAY", "lissage f3c1", ""), "3");
    EXPECT_EQ(ini.readInteger("DISPLAY", "color f3c1", -1), 0x563412);
    EXPECT_EQ(ini.readInteger("DISPLAY", "courbe f4c1", -1), 2);
    EXPECT_EQ(ini.readString("DISPLAY", "cumul", ""), "2");
    EXPECT_TRUE(ini.readBool("DISPLAY", "controles", false));

    dialog->Courbe[2][0]->setCurrentIndex(0);
    dialog->CheckBoxWindow[2]->setChecked(false);
    dialog->FormShow();
    EXPECT_EQ(dialog->Courbe[2][0]->currentIndex(), 7);
    EXPECT_TRUE(dialog->CheckBoxWindow[2]->isChecked());
    EXPECT_EQ(dialog->swatchColour(2, 0), QColor(0x12, 0x34, 0x56));
}

TEST_F(Charts, OkDecidesTheShownWindowsAndTheInterval) {
    useMeasurement(measurement());
    dialog->FormShow();
    for (QCheckBox* box : dialog->CheckBoxWindow)
        box->setChecked(true);
    dialog->Courbe[0][1]->setCurrentIndex(2); // window 1: curve 2 only
    // window 2: both "<Aucune>", hidden although ticked
    dialog->Courbe[2][0]->setCurrentIndex(1);
    dialog->ButtonDisplaySelection->setChecked(true);
    dialog->StartDateSelection->setText(QStringLiteral("08/12/25"));
    dialog->EndDateSelection->setText(QStringLiteral("09/12/25"));
    ASSERT_TRUE(dialog->ButtonOKClick());
    EXPECT_EQ(session.display.WindowShown, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(session.display.DisplayFrom, Day0);
    EXPECT_EQ(session.display.DisplayTo, Day0 + 2);
    EXPECT_EQ(session.display.EndSelection, Day0 + 1);
    EXPECT_FALSE(area->window(1)->isHidden());
    EXPECT_TRUE(area->window(2)->isHidden());
    EXPECT_EQ(area->graphe(1)->toolTip(), QStringLiteral("Numéro de sonde : ") +
                                              QString::fromStdString(session.current->header.value(1)));
}

TEST_F(Charts, AnInvalidSelectionDateKeepsTheDialogAndTheSettings) {
    useMeasurement(measurement());
    dialog->show();
    dialog->StartDateSelection->setText(QStringLiteral("31/02/25"));
    dialog->CheckBoxWindow[0]->setChecked(true);
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    EXPECT_FALSE(dialog->ButtonOKClick());
    EXPECT_TRUE(seen->text.contains(QStringLiteral("31/02/25")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(IniFile(dir / "Talvex2.ini").hasKey("DISPLAY", "window1"));
    dialog->close();
}

TEST_F(Charts, CumulAndSmoothingAreClampedAndWrittenBack) {
    useMeasurement(measurement(10));
    writeDisplay("window1=1\r\ncourbe f1c1=1\r\nlissage f1c1=12\r\ncumul=8\r\n");
    dialog->FormShow();
    ASSERT_TRUE(dialog->ButtonOKClick());
    EXPECT_EQ(dialog->ValeurCumul->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog->Lissage[0][0]->text(), QStringLiteral("9"));
    EXPECT_EQ(area->displayed().curves[0][0].size(), 2u);
    // The settings keep what the user typed.
    EXPECT_EQ(IniFile(dir / "Talvex2.ini").readString("DISPLAY", "cumul", ""), "8");
}

TEST_F(Charts, WindowsShareTheHeightAboveTheScrollBar) {
    struct Case {
        std::array<bool, 4> shown;
        std::array<int, 3> tops;
        int height;
    };
    const Case cases[] = {
        {{true, false, true, false}, {0, -1, 259}, 259},
        {{true, true, true, true}, {0, 157, 312}, 156},
    };
    showArea();
    ASSERT_EQ(area->ScrollBar->y(), 519);
    for (const Case& c : cases) {
        session.display.WindowShown = c.shown;
        area->Display_Windows();
        for (int w = 0; w < 3; ++w) {
            ASSERT_EQ(area->window(w + 1)->isHidden(), c.tops[w] < 0) << w;
            if (c.tops[w] >= 0) {
                EXPECT_EQ(area->window(w + 1)->y(), c.tops[w]) << w;
                EXPECT_EQ(area->window(w + 1)->height(), c.height) << w;
                EXPECT_EQ(area->window(w + 1)->width(), 786);
            }
        }
        EXPECT_EQ(area->window(4)->isHidden(), !c.shown[3]);
        EXPECT_EQ(area->window(4)->geometry().bottom() + 1, 519);
    }
    session.display.WindowShown = {false, false, false, true};
    area->Display_Windows();
    EXPECT_TRUE(area->AbscisseEdit->isHidden());
}

namespace {

// Windows 1 and 3 shown: window 1 radon 1 Bq/m3 and temperature, window 3 radon 2 counts;
// window 2 (radon 1 counts) closed.
class Cursor : public Charts {
protected:
    Cursor() {
        auto m = measurement(10);
        m->calculated[Calc_Series_Radon1Bq] = {1, 2, 3, 4, 122.5, 123.5, 7, 8, 9, 10};
        m->calculated[Calc_Series_Temperature][4] = 21.3749;
        useMeasurement(m);
        session.display.WindowShown = {true, false, true, true};
        session.display.DisplayFrom = Day0;
        session.display.DisplayTo = Day0 + 1;
        DisplayRequest r;
        r.shown = session.display.WindowShown;
        r.curves[0] = {CurveChoice{"Radon 1 (Bq/m³)", 0}, CurveChoice{"Température (°C)", 0}};
        r.curves[1][0] = {"Radon 1 (Cps/h)", 0};
        r.curves[2][0] = {"Radon 2 (Cps/h)", 0};
        r.controls = {"Pompe", "Cnx."};
        r.gsmFilter = false;
        r.interval = {Day0, Day0 + 1};
        area->setLegend(1, 0, "Radon 1 (Bq/m³)", true, Qt::red);
        area->setLegend(1, 1, QString::fromUtf8("Température (°C)"), true, Qt::blue);
        area->setLegend(2, 0, "Radon 1 (Cps/h)", true, Qt::red);
        area->setLegend(3, 0, "Radon 2 (Cps/h)", true, Qt::red);
        area->setLegend(3, 1, "<Aucune>", false, Qt::blue);
        showArea();
        area->Display_Windows();
        area->showCurves(Display_Charts(*session.current, session.MeasureNames, r),
                         {{{Qt::red, Qt::blue}, {Qt::red, Qt::blue}, {Qt::red, Qt::blue}}});
        for (int g = 1; g <= 5; ++g)
            area->graphe(g)->replot();
    }

    QPoint at(Chart* chart, double instant) {
        // The pixel at or just before the instant, as the mouse reaches it.
        return {static_cast<int>(std::floor(chart->xAxis->coordToPixel(instant))),
                chart->plotRect().center().y()};
    }
    QString value(int window, int curve) { return area->valueField(window, curve)->text(); }
};

} // namespace

TEST_F(Cursor, MovingOverOneChartDrawsTheCursorInEveryShownChart) {
    Chart* over = area->graphe(3);
    const QPoint p = at(over, Day0 + 5 * Hour);
    area->GrapheMouseMove(over, p);
    for (int g : {1, 3, 4, 5})
        EXPECT_EQ(area->graphe(g)->cursorX(), p.x()) << "Graphe" << g;
    EXPECT_EQ(area->graphe(2)->cursorX(), -1);
    // Exactly on point 5: the values of point 4.
    EXPECT_EQ(area->AbscisseEdit->text(), QStringLiteral("08/12/25 04:00"));
    EXPECT_EQ(value(1, 0), QStringLiteral("122")); // 122.5, half to even
    EXPECT_EQ(value(1, 1), QStringLiteral("21.37"));
    EXPECT_EQ(value(3, 0), QStringLiteral("34")); // radon 2 counts (series 3): 30 + 4
    EXPECT_EQ(value(3, 1), QString());             // legend hidden: nothing shown

    area->GrapheMouseMove(over, at(over, Day0 + 6 * Hour));
    EXPECT_EQ(value(1, 0), QStringLiteral("124")); // 123.5
    area->GrapheMouseMove(over, at(over, Day0 - 1));  // outside the plot: nothing changes
    EXPECT_EQ(value(1, 0), QStringLiteral("124"));
}

TEST_F(Cursor, MouseButtonSuspendsTheCursorAndDeleteCursorsRemovesThem) {
    Chart* over = area->graphe(1);
    area->GrapheMouseMove(over, at(over, Day0 + 2 * Hour));
    area->GrapheMouseDown();
    for (int g = 1; g <= 5; ++g)
        EXPECT_EQ(area->graphe(g)->cursorX(), -1);
    area->GrapheMouseMove(over, at(over, Day0 + 3 * Hour));
    EXPECT_EQ(area->graphe(1)->cursorX(), -1);
    EXPECT_EQ(area->AbscisseEdit->text(), QStringLiteral("08/12/25 02:00"));
    area->GrapheMouseUp();
    area->GrapheMouseMove(over, at(over, Day0 + 3 * Hour));
    EXPECT_NE(area->graphe(1)->cursorX(), -1);
    area->Delete_Cursors();
    EXPECT_EQ(area->graphe(1)->cursorX(), -1);
}

TEST_F(Cursor, ZoomClipsAlignsAllChartsAndEnablesTheScrollBar) {
    EXPECT_FALSE(area->ScrollBar->isEnabled());
    area->GrapheZoom(Day0 - 1, Day0 + 3 * Hour);
    EXPECT_TRUE(area->ScrollBar->isEnabled());
    EXPECT_EQ(area->ScrollBar->value(), 0);
    for (int g : {1, 3, 4, 5}) {
        EXPECT_DOUBLE_EQ(area->graphe(g)->timeRange().lower, Day0) << g;
        EXPECT_DOUBLE_EQ(area->graphe(g)->timeRange().upper, Day0 + 3 * Hour) << g;
    }
    area->ScrollBar->setValue(5000);
    for (int g = 1; g <= 5; ++g) {
        EXPECT_NEAR(area->graphe(g)->timeRange().lower, Day0 + 6 * Hour, 1e-9) << g;
        EXPECT_NEAR(area->graphe(g)->timeRange().upper, Day0 + 9 * Hour, 1e-9) << g;
    }
    area->GrapheUndoZoom();
    EXPECT_FALSE(area->ScrollBar->isEnabled());
    for (int g : {1, 3, 4, 5}) {
        EXPECT_DOUBLE_EQ(area->graphe(g)->timeRange().lower, Day0) << g;
        EXPECT_DOUBLE_EQ(area->graphe(g)->timeRange().upper, Day0 + 9 * Hour) << g;
    }
}

TEST_F(Cursor, ZoomRectangleDirectionChoosesZoomOrUndo) {
    Chart* chart = area->graphe(1);
    int zooms = 0, undos = 0;
    QObject::connect(chart, &Chart::zoomRequested, [&](double, double) { ++zooms; });
    QObject::connect(chart, &Chart::undoZoomRequested, [&] { ++undos; });
    const QRect r = chart->plotRect();
    auto drag = [&](int from, int to) {
        const int y = r.center().y();
        QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(from, y));
        QTest::mouseMove(chart, QPoint((from + to) / 2, y + 10));
        QTest::mouseMove(chart, QPoint(to, y + 20));
        QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(to, y + 20));
    };
    drag(r.left() + 10, r.left() + 100);
    EXPECT_EQ(zooms, 1);
    EXPECT_TRUE(area->ScrollBar->isEnabled());
    drag(r.left() + 100, r.left() + 10);
    EXPECT_EQ(undos, 1);
    EXPECT_FALSE(area->ScrollBar->isEnabled());
}

namespace {
// Answers the scale dialog with the two texts when it shows.
void answerScale(const QString& minimum, const QString& maximum) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=]() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* scale = qobject_cast<TForm_Echelle*>(w); scale && scale->isVisible()) {
                (scale->showsDates() ? scale->MinEditDate : scale->MinEditReal)->setText(minimum);
                (scale->showsDates() ? scale->MaxEditDate : scale->MaxEditReal)->setText(maximum);
                scale->accept();
                return;
            }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}
} // namespace

TEST_F(Cursor, ValueAxisScaleChangesOnlyTheClickedAxisAndRefusesMinimumAboveMaximum) {
    Chart* chart = area->graphe(1);
    const QCPRange left = chart->yAxis->range();
    const QCPRange right = chart->yAxis2->range();

    answerScale(QStringLiteral("10"), QStringLiteral("5"));
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    area->GrapheClickAxis(chart, chart->yAxis2);
    EXPECT_EQ(seen->text, QStringLiteral("La valeur minimum est supérieure à la valeur maximum..."));
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_EQ(chart->yAxis2->range(), right);

    answerScale(QStringLiteral("0"), QStringLiteral("100"));
    area->GrapheClickAxis(chart, chart->yAxis2);
    EXPECT_EQ(chart->yAxis2->range(), QCPRange(0, 100));
    EXPECT_EQ(chart->yAxis->range(), left);

    // A curve build resets the time axes only.
    area->GrapheZoom(Day0 + Hour, Day0 + 2 * Hour);
    area->showCurves(area->displayed(), {{{Qt::red, Qt::blue}, {Qt::red, Qt::blue}, {Qt::red, Qt::blue}}});
    EXPECT_EQ(chart->yAxis2->range(), QCPRange(0, 100));
    EXPECT_DOUBLE_EQ(chart->timeRange().lower, Day0);
}

TEST_F(Cursor, TimeAxisScaleAppliesToEveryShownChartWithinTheData) {
    Chart* chart = area->graphe(3);
    answerScale(QStringLiteral("07/12/25 10:00"), QStringLiteral("08/12/25 05:30"));
    area->GrapheClickAxis(chart, chart->xAxis);
    for (int g : {1, 3, 4, 5}) {
        EXPECT_DOUBLE_EQ(area->graphe(g)->timeRange().lower, Day0) << g;
        EXPECT_NEAR(area->graphe(g)->timeRange().upper, Day0 + 5.5 * Hour, 1e-9) << g;
    }
    EXPECT_FALSE(area->ScrollBar->isEnabled());

    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    answerScale(QStringLiteral("32/12/25 10:00"), QStringLiteral("08/12/25 05:30"));
    area->GrapheClickAxis(chart, chart->xAxis);
    EXPECT_TRUE(seen->text.contains(QStringLiteral("32/12/25 10:00")));
}

TEST_F(Cursor, ClosingAWindowHidesItAndLaysTheOthersOut) {
    area->CloseWindowClick(1);
    EXPECT_FALSE(session.display.WindowShown[0]);
    EXPECT_TRUE(area->window(1)->isHidden());
    EXPECT_EQ(area->window(3)->y(), 0);
    EXPECT_EQ(area->window(3)->height(), 519 - ChartArea::Window4Height);
    area->CloseWindowClick(3);
    EXPECT_TRUE(area->AbscisseEdit->isHidden());
}

TEST_F(Cursor, APressOnAnAxisOpensTheScaleDialogAndAPressInThePlotStartsTheRectangle) {
    Chart* chart = area->graphe(1);
    const QRect r = chart->plotRect();
    struct Case {
        QPoint press;
        QCPAxis* axis;
    };
    const Case cases[] = {
        {QPoint(r.right() + 3, r.center().y()), chart->yAxis2},
        {QPoint(r.left() - 3, r.center().y()), chart->yAxis},
    };
    for (const Case& c : cases) {
        const QCPRange other = (c.axis == chart->yAxis ? chart->yAxis2 : chart->yAxis)->range();
        answerScale(QStringLiteral("-5"), QStringLiteral("50"));
        QTest::mouseClick(chart, Qt::LeftButton, {}, c.press);
        EXPECT_EQ(c.axis->range(), QCPRange(-5, 50));
        EXPECT_EQ((c.axis == chart->yAxis ? chart->yAxis2 : chart->yAxis)->range(), other);
    }
    // A click on the time axis offers dates; answered, every shown chart follows.
    answerScale(QStringLiteral("08/12/25 01:00"), QStringLiteral("08/12/25 03:00"));
    QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(r.center().x(), r.bottom() + 3));
    EXPECT_DOUBLE_EQ(area->graphe(3)->timeRange().lower, Day0 + Hour);
    EXPECT_NEAR(area->graphe(4)->timeRange().upper, Day0 + 3 * Hour, 1e-9);
}

TEST_F(Cursor, HidingTheWindowsReturnsTheAreaToItsStartState) {
    // What a closed measurement and a language switch do: the shown flags stay for the
    // next layout, everything else is as at start-up.
    Chart* over = area->graphe(1);
    area->GrapheZoom(Day0 + Hour, Day0 + 3 * Hour);
    area->GrapheMouseMove(over, at(over, Day0 + 2 * Hour));
    ASSERT_FALSE(area->AbscisseEdit->text().isEmpty());
    area->setStripTitle(0, QStringLiteral("Pompe"));

    area->hideWindows();
    for (int w = 1; w <= 4; ++w)
        EXPECT_TRUE(area->window(w)->isHidden()) << w;
    for (int g = 1; g <= 5; ++g)
        EXPECT_EQ(area->graphe(g)->cursorX(), -1) << g;
    EXPECT_TRUE(area->AbscisseEdit->isHidden());
    EXPECT_TRUE(area->AbscisseEdit->text().isEmpty());
    EXPECT_TRUE(area->valueField(1, 0)->text().isEmpty());
    EXPECT_FALSE(area->ScrollBar->isEnabled());
    EXPECT_EQ(area->ScrollBar->value(), 0);
    EXPECT_EQ(area->findChild<QLabel*>(QStringLiteral("Titre_Graphe4"))->text(), QStringLiteral("Chocs"));
    EXPECT_EQ(session.display.WindowShown, (std::array<bool, 4>{true, false, true, true}));

    // A mouse move over a hidden, emptied chart reads nothing and draws nothing.
    area->GrapheMouseMove(over, over->plotRect().center());
    EXPECT_TRUE(area->AbscisseEdit->text().isEmpty());
    EXPECT_EQ(over->cursorX(), -1);
}

TEST(StatusStrip, FillsTheStairUpToEachFlagAndLeavesTheRestWhite) {
    // Flag 1 for the first two hours of four, then 0, then 1 in the last hour.
    Chart strip(Chart::StripChart);
    strip.resize(2 * Chart::SideMargin + 400, 14);
    Curve flag;
    flag.x = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    flag.y = {1, 1, 1, 1, 0, 0, 0, 1, 1};
    strip.setCurve(0, flag, QColor(255, 0, 0));
    strip.setTimeRange(0, 8);
    strip.replot();
    const QImage image = strip.toPixmap().toImage();
    const QRect plot = strip.plotRect();
    const int y = plot.center().y();
    auto colourAt = [&](double instant) {
        return QColor(image.pixel(static_cast<int>(strip.xAxis->coordToPixel(instant)), y));
    };
    for (double t : {0.2, 1.5, 3.5, 7.5})
        EXPECT_EQ(colourAt(t), QColor(255, 0, 0)) << t;
    for (double t : {4.2, 5.5, 6.8})
        EXPECT_EQ(colourAt(t), QColor(Qt::white)) << t;
}

namespace {
// Answers the next colour dialog: picks `colour` and accepts, or cancels when invalid.
void answerColourDialog(const QColor& colour) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=]() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QColorDialog*>(w); dialog && dialog->isVisible()) {
                if (colour.isValid()) {
                    dialog->setCurrentColor(colour);
                    dialog->accept();
                } else {
                    dialog->reject();
                }
                return;
            }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}
} // namespace

TEST_F(Charts, ASwatchClickRecoloursItOnlyWhenTheColourDialogIsAccepted) {
    useMeasurement(measurement());
    dialog->FormShow();
    dialog->CheckBoxWindow[1]->setChecked(true);
    answerColourDialog(QColor(0x20, 0x80, 0x40));
    dialog->Color[1][1]->click();
    EXPECT_EQ(dialog->swatchColour(1, 1), QColor(0x20, 0x80, 0x40));
    answerColourDialog(QColor());
    dialog->Color[1][1]->click();
    EXPECT_EQ(dialog->swatchColour(1, 1), QColor(0x20, 0x80, 0x40));
    ASSERT_TRUE(dialog->ButtonOKClick());
    EXPECT_EQ(IniFile(dir / "Talvex2.ini").readInteger("DISPLAY", "color f2c2", -1), 0x408020);
}
