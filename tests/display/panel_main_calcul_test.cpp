// Opening a file or loading a probe reading leaves a measurement with its calculated series;
// a calculation failure leaves the previous measurement on display.
#include "app/panel_main.h"
#include "data/panel_popup.h"
#include "display/panel_display.h"
#include "display/qt_chart_area.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

class MainWindowCalcul : public ::testing::Test {
protected:
    MainWindowCalcul() {
        write_bytes(dir / "Talvex2.ini", "[SENSORS]\r\ntype3=1\r\ntype8=un\r\n");
        session.settings = load_app_settings(dir.path(), dir.path());
        session.working.directory = dir.path();
        window = std::make_unique<TForm_Main>(session);
    }

    fs::path writeFile(const std::string& name, const std::string& probeType,
                       const std::string& radonCoefficient = "1.5") {
        const fs::path file = dir / name;
        write_bytes(file, sample_header_text({{45, "2"}, {57, probeType}, {2, radonCoefficient}}) +
                              crlf_lines({"MESURES", "1 5/3/19 14:0 100 200 150 300 100 11 12 1 64 ",
                                          "2 5/3/19 15:0 101 201 151 301 10 14 15 0 0 "}));
        return file;
    }
    static QString text(const fs::path& f) { return QString::fromStdString(f.string()); }

    ScratchDir dir;
    Session session;
    std::unique_ptr<TForm_Main> window;
};

} // namespace

TEST_F(MainWindowCalcul, OpenedFileCarriesItsCalculatedSeries) {
    ASSERT_TRUE(window->OuvrirFichier(text(writeFile("a.bm2", "3"))));
    const Measurement& m = *session.current;
    // Mask 1 (type 3): channel 1 with coefficient 1.5 and background 20.
    EXPECT_EQ(m.calculated[Calc_Series_Radon1Bq], (std::vector<double>{120, 0}));
    EXPECT_EQ(m.calculated[Calc_Series_Radon2Coups], (std::vector<double>{11, 14}));
    EXPECT_EQ(m.calculated[Calc_Series_Temperature], (std::vector<double>{0, 0}));
    EXPECT_EQ(m.calculated[Calc_Series_Connecte], (std::vector<double>{1, 0}));
}

TEST_F(MainWindowCalcul, CalculationFailureKeepsThePreviousMeasurementAndWorkingFiles) {
    const fs::path good = writeFile("good.bm2", "3");
    ASSERT_TRUE(window->OuvrirFichier(text(good)));
    const auto before = session.current;
    const std::string header = read_bytes(session.working.header());

    for (const auto& [name, type, coefficient, mentioned] :
         {std::tuple{"mask.bm2", "8", "1.5", "'un'"}, std::tuple{"coef.bm2", "3", "x", "entrée 02"}}) {
        auto seen = answerNextMessageBox(QStringLiteral("OK"));
        EXPECT_FALSE(window->OuvrirFichier(text(writeFile(name, type, coefficient))));
        EXPECT_TRUE(seen->text.contains(QString::fromUtf8(mentioned))) << name;
        EXPECT_EQ(seen->icon, QMessageBox::Critical);
        EXPECT_EQ(session.current, before);
        EXPECT_EQ(read_bytes(session.working.header()), header);
        EXPECT_EQ(window->windowTitle(), "Talvex 2 - Version 1.7.2 - " + text(good));
    }
}

TEST_F(MainWindowCalcul, ProbeReadingIsCalculatedFromTheWorkingFiles) {
    const std::string bm2 = read_bytes(writeFile("r.bm2", "3"));
    const size_t split = bm2.find("MESURES");
    write_bytes(session.working.header(), bm2.substr(0, split));
    write_bytes(session.working.measure(), bm2.substr(split));
    ASSERT_TRUE(window->loadWorkingFiles(true));
    EXPECT_EQ(session.current->calculated[Calc_Series_Radon1Bq], (std::vector<double>{120, 0}));

    write_bytes(session.working.header(), read_bytes(writeFile("s.bm2", "8")).substr(0, split));
    const auto before = session.current;
    answerNextMessageBox(QStringLiteral("OK"));
    EXPECT_FALSE(window->loadWorkingFiles(true));
    EXPECT_EQ(session.current, before);
}

TEST_F(MainWindowCalcul, OpeningAnotherFileHidesThePreviousCurvesUntilTheDisplayOptionsOk) {
    ASSERT_TRUE(window->OuvrirFichier(text(writeFile("first.bm2", "3"))));
    TForm_Display* options = window->displayOptions();
    ASSERT_TRUE(options->isVisible()); // opened by the load
    options->CheckBoxWindow[0]->setChecked(true);
    options->Courbe[0][0]->setCurrentIndex(2); // "Radon 1 (Bq/m³)"
    ASSERT_TRUE(options->ButtonOKClick());
    EXPECT_FALSE(window->charts()->window(1)->isHidden());

    ASSERT_TRUE(window->OuvrirFichier(text(writeFile("second.bm2", "3"))));
    EXPECT_TRUE(window->charts()->window(1)->isHidden());
    EXPECT_TRUE(options->isVisible());
    ASSERT_TRUE(options->ButtonOKClick());
    EXPECT_FALSE(window->charts()->window(1)->isHidden());
    EXPECT_EQ(window->charts()->displayed().curves[0][0].y, (std::vector<double>{120, 0}));
}

TEST_F(MainWindowCalcul, TheLoadingPopUpNamesEachStageAndClosesAtTheEnd) {
    TForm_Popup* popup = window->popup();
    EXPECT_EQ(popup->windowTitle(), QStringLiteral("Calcul des valeurs en cours..."));
    ASSERT_TRUE(window->OuvrirFichier(text(writeFile("a.bm2", "3"))));
    // The next load starts again from the first caption.
    QStringList captions;
    QObject::connect(popup, &QWidget::windowTitleChanged,
                     [&](const QString& caption) { captions << caption; });
    ASSERT_TRUE(window->OuvrirFichier(text(writeFile("b.bm2", "3"))));
    captions.removeDuplicates();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Calcul des valeurs en cours..."),
                                     QStringLiteral("Extraction des données..."),
                                     QStringLiteral("Calcul des valeurs...")}));
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
