#include "app/panel_main.h"
#include "app/ini_file.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QMenuBar>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

class MainWindow : public ::testing::Test {
protected:
    MainWindow() {
        session.settings = load_app_settings(dir.path(), dir.path());
        session.working.directory = dir.path();
        window = std::make_unique<TForm_Main>(session);
    }

    fs::path writeSample(const std::string& name) {
        const fs::path file = dir / name;
        write_bytes(file, sample_header_text({{45, "2"}}) +
                              crlf_lines({"MESURES", "1 5/3/19 14:0 100 200 150 300 10 11 12 1 64 ",
                                          "2 5/3/19 15:0 101 201 151 301 13 14 15 0 0 "}));
        return file;
    }

    QString fileText(const fs::path& f) { return QString::fromStdString(f.string()); }

    ScratchDir dir;
    Session session;
    std::unique_ptr<TForm_Main> window;
};

QStringList entries(QMenu* menu) {
    QStringList names;
    for (QAction* a : menu->actions())
        names << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return names;
}

QMenu* menuNamed(TForm_Main& w, const char* name) {
    return w.menuBar()->findChild<QMenu*>(QString::fromLatin1(name));
}

} // namespace

TEST_F(MainWindow, StartsWithTitleMenusAndDisabledEntries) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Talvex 2 - Version 1.7.2"));
    QStringList top;
    for (QAction* a : window->menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{" Fichier ", " Sonde ", " Affichage ", " Activité Volumique ",
                                " Paramètres ", " Maintenance ", "      ?      "}));
    EXPECT_EQ(entries(menuNamed(*window, "Fichier")),
              (QStringList{"Répertoire par Défaut", "Langue", "|", "Ouvrir", "Fermer",
                           "Enregistrer Sous", "Imprimer", "|", "Conversion", "Conversion",
                           "Fusion", "|", "Quitter"}));
    EXPECT_EQ(entries(menuNamed(*window, "Sonde")),
              (QStringList{"Connexion", "|", "Lecture", "|", "Initialisation", "Paramétrage",
                           "Arrêt Sonde", "|", "Communications"}));
    EXPECT_FALSE(window->action("Convertir")->isVisible());
    for (const char* name : {"EnregistrerSous", "Imprimer", "Affichage", "ActiviteVolumique",
                             "Parametre", "Parametrage"})
        EXPECT_FALSE(window->action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(window->action("Francais")->isChecked());
    EXPECT_FALSE(window->action("Anglais")->isChecked());
    EXPECT_EQ(window->action("Anglais")->data().toInt(), 2057);
    EXPECT_EQ(window->action("Francais")->data().toInt(), 1036);
}

TEST_F(MainWindow, QuitAfterOpeningAFileAsksTheTwoButtonQuestion) {
    auto seen = answerNextMessageBox(QStringLiteral("Annuler"));
    EXPECT_FALSE(window->FormCloseQuery());
    EXPECT_EQ(seen->text, QStringLiteral("Voulez-vous quitter l'application ?"));
    EXPECT_EQ(seen->buttons, (QStringList{"Annuler", "OK"}));
    EXPECT_EQ(seen->icon, QMessageBox::Question);
    answerNextMessageBox(QStringLiteral("OK"));
    EXPECT_TRUE(window->FormCloseQuery());
}

TEST_F(MainWindow, QuitAfterAReadingAsksTheThreeButtonQuestion) {
    session.MeasuresSaved = false;
    auto seen = answerNextMessageBox(QStringLiteral("Annuler"));
    EXPECT_FALSE(window->FormCloseQuery());
    EXPECT_EQ(seen->text, QStringLiteral("Les mesures en cours n'ont pas été sauvegardées.\n"
                                         "Voulez-vous les sauvegarder avant de quitter "
                                         "l'application ?"));
    EXPECT_EQ(seen->buttons, (QStringList{"Annuler", "Non", "Oui"}));
    answerNextMessageBox(QStringLiteral("Non"));
    EXPECT_TRUE(window->FormCloseQuery());
}

TEST_F(MainWindow, AnsweringOuiThenCancellingTheSaveKeepsTheReading) {
    session.MeasuresSaved = false;
    answerNextMessageBox(QStringLiteral("Oui"));
    answerNextFileDialog(QString());
    EXPECT_FALSE(window->FormCloseQuery());
    EXPECT_FALSE(session.MeasuresSaved);
}

TEST_F(MainWindow, AnsweringOuiSavesTheWorkingFilesThenCloses) {
    ASSERT_TRUE(window->OuvrirFichier(fileText(writeSample("probe.bm2"))));
    session.MeasuresSaved = false;
    const fs::path target = dir / "saved.bm2";
    answerNextMessageBox(QStringLiteral("Oui"));
    answerNextFileDialog(fileText(target));
    EXPECT_TRUE(window->FormCloseQuery());
    EXPECT_EQ(read_bytes(target), read_bytes(dir / "probe.bm2"));
    EXPECT_TRUE(session.MeasuresSaved);
    EXPECT_EQ(window->windowTitle(), "Talvex 2 - Version 1.7.2 - " + fileText(target));
    EXPECT_EQ(IniFile(dir / "Talvex2.ini").readString("DIRECTORY", "savebm2dir", ""),
              dir.path().string());
}

TEST_F(MainWindow, FermerAfterAReadingMakesQuitAskTheTwoButtonQuestion) {
    session.MeasuresSaved = false;
    window->FermerSession();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Talvex 2 - Version 1.7.2"));
    auto seen = answerNextMessageBox(QStringLiteral("Annuler"));
    window->FormCloseQuery();
    EXPECT_EQ(seen->buttons, (QStringList{"Annuler", "OK"}));
}

TEST_F(MainWindow, OpeningABadFileKeepsThePreviousMeasurementAndWorkingFiles) {
    const fs::path good = writeSample("good.bm2");
    ASSERT_TRUE(window->OuvrirFichier(fileText(good)));
    const auto before = session.current;
    const std::string header = read_bytes(session.working.header());
    const std::string measure = read_bytes(session.working.measure());

    const fs::path bad = dir / "bad.bm2";
    write_bytes(bad, sample_header_text() + "MESURES\r\nabc 5/3/19 14:0\r\n");
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    EXPECT_FALSE(window->OuvrirFichier(fileText(bad)));
    EXPECT_TRUE(seen->text.contains(fileText(bad)));
    EXPECT_TRUE(seen->text.contains(QStringLiteral("ligne 61")));
    EXPECT_EQ(session.current, before);
    EXPECT_EQ(window->windowTitle(), "Talvex 2 - Version 1.7.2 - " + fileText(good));
    EXPECT_EQ(read_bytes(session.working.header()), header);
    EXPECT_EQ(read_bytes(session.working.measure()), measure);
}

TEST_F(MainWindow, CommandLineFileOpensAtTheFirstActivationOnly) {
    const fs::path file = writeSample("cmd.bm2");
    window->setCommandLineFile(fileText(file));
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    ASSERT_NE(session.current, nullptr);
    EXPECT_EQ(window->windowTitle(), "Talvex 2 - Version 1.7.2 - " + fileText(file));

    window->FermerSession();
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Talvex 2 - Version 1.7.2"));
}

TEST_F(MainWindow, EmptyCommandLineArgumentOpensNothing) {
    window->setCommandLineFile(QString());
    window->show();
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    EXPECT_EQ(session.current, nullptr);
}
