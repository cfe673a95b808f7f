// The conversion windows as a user drives them: controls and their states, the files written
// (the same bytes as talvex2-cli convert), progress and messages.
#include "app/ini_file.h"
#include "app/panel_main.h"
#include "data/panel_conversion.h"
#include "data/panel_convert.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

QString text(const fs::path& f) { return QString::fromStdString(f.string()); }

class ConversionWindows : public ::testing::Test {
protected:
    ConversionWindows() {
        fs::create_directories(home);
        fs::create_directories(data);
        fs::create_directories(out);
        write_bytes(home / "Talvex2.ini", "[SENSORS]\r\ntype3=2303\r\n");
        session.settings = load_app_settings(home, data);
        session.settings.DefaultDirectory = data.string();
        session.working.directory = home;
        for (const char* name : {"a.bm2", "b.bm2"})
            fs::copy_file(test_data("conversion_sample.bm2"), data / name);
    }

    ScratchDir dir;
    fs::path home = dir / "install", data = dir / "data", out = dir / "out";
    Session session;
    QWidget main;
    int sessionsClosed = 0;
};

} // namespace

TEST_F(ConversionWindows, BatchWindowStartsEmptyWithBothKindsTicked) {
    TForm_Conversion w(session, &main, [this] { ++sessionsClosed; });
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Conversion"));
    EXPECT_EQ(w.Titre1->text(), QStringLiteral("Ajouter un fichier à convertir "));
    EXPECT_EQ(w.Titre2->text(), QStringLiteral("Répertoire de destination :"));
    EXPECT_EQ(w.CheckBoxBrut->text(), QStringLiteral("Générer un fichier .txt (Valeurs brutes)"));
    EXPECT_EQ(w.CheckBoxCalc->text(), QStringLiteral("Générer un fichier .xls (Valeurs calculées)"));
    EXPECT_EQ(w.ConvertButton->text(), QStringLiteral("Convertir"));
    EXPECT_EQ(w.CancelButton->text(), QStringLiteral("Fermer"));
    EXPECT_EQ(w.ListBoxOrigin->count(), 0);
    EXPECT_FALSE(w.ConvertButton->isEnabled());
    EXPECT_TRUE(w.CheckBoxBrut->isChecked());
    EXPECT_TRUE(w.CheckBoxCalc->isChecked());
    EXPECT_EQ(w.DirDestination->text(), text(data));
    EXPECT_TRUE(w.DirDestination->isReadOnly());
    EXPECT_EQ(w.ProgressBar->value(), 0);
}

TEST_F(ConversionWindows, ButtonStatesFollowTheListAndTheBoxes) {
    TForm_Conversion w(session, &main, [] {});
    w.show();
    QString askedFolder;
    w.chooseFiles = [&](const QString& folder) {
        askedFolder = folder;
        return QStringList{text(data / "a.bm2"), text(data / "b.bm2")};
    };
    QTest::mouseClick(w.CheckBoxBrut, Qt::LeftButton);
    QTest::mouseClick(w.CheckBoxCalc, Qt::LeftButton);
    EXPECT_FALSE(w.ConvertButton->isEnabled());
    QTest::mouseClick(w.CheckBoxCalc, Qt::LeftButton); // no file yet
    EXPECT_FALSE(w.ConvertButton->isEnabled());

    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    EXPECT_EQ(askedFolder, text(data)); // no "openbm2dir" yet: the default folder
    EXPECT_EQ(w.ListBoxOrigin->count(), 2);
    EXPECT_TRUE(w.ConvertButton->isEnabled());
    EXPECT_EQ(IniFile(home / "Talvex2.ini").readString("DIRECTORY", "openbm2dir", ""), data.string());
    QTest::mouseClick(w.CheckBoxCalc, Qt::LeftButton);
    EXPECT_FALSE(w.ConvertButton->isEnabled());
    QTest::mouseClick(w.CheckBoxBrut, Qt::LeftButton);
    EXPECT_TRUE(w.ConvertButton->isEnabled());

    // Delete removes the selected entry and leaves "Convertir" as it was.
    for (int i = 0; i < 2; ++i) {
        w.ListBoxOrigin->setCurrentRow(0);
        QTest::keyClick(w.ListBoxOrigin, Qt::Key_Delete);
    }
    EXPECT_EQ(w.ListBoxOrigin->count(), 0);
    EXPECT_TRUE(w.ConvertButton->isEnabled());
    // Converting nothing still ends with the message.
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    QTest::mouseClick(w.ConvertButton, Qt::LeftButton);
    EXPECT_EQ(seen->text, QStringLiteral("Conversion terminée"));
    EXPECT_EQ(seen->icon, QMessageBox::Information);
    EXPECT_EQ(fs::directory_iterator(out), fs::directory_iterator{});

    // Showing the window again starts from an empty list.
    w.hide();
    w.chooseFiles = [&](const QString& folder) {
        askedFolder = folder;
        return QStringList{text(data / "a.bm2")};
    };
    w.show();
    EXPECT_FALSE(w.ConvertButton->isEnabled());
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    EXPECT_EQ(w.ListBoxOrigin->count(), 1);
}

TEST_F(ConversionWindows, BatchConvertsEveryListedFileIntoTheChosenFolder) {
    TForm_Conversion w(session, &main, [this] { ++sessionsClosed; });
    w.show();
    w.chooseFiles = [&](const QString&) {
        return QStringList{text(data / "a.bm2"), text(data / "b.bm2"), text(data / "a.bm2")};
    };
    QString folderAsked;
    w.chooseFolder = [&](const QString& folder) {
        folderAsked = folder;
        return text(out);
    };
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    QTest::mouseClick(w.ButtonDestination, Qt::LeftButton);
    EXPECT_EQ(folderAsked, text(data)); // the folder of the files last chosen
    EXPECT_EQ(w.DirDestination->text(), text(out));
    EXPECT_EQ(IniFile(home / "Talvex2.ini").readString("DIRECTORY", "savebm2dir", ""), out.string());

    std::vector<int> progress;
    QObject::connect(w.ProgressBar, &QProgressBar::valueChanged, [&](int v) { progress.push_back(v); });
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    QTest::mouseClick(w.ConvertButton, Qt::LeftButton);
    EXPECT_EQ(seen->text, QStringLiteral("Conversion terminée"));
    EXPECT_EQ(progress, (std::vector<int>{33, 67, 100, 0}));
    EXPECT_EQ(sessionsClosed, 1);
    for (const char* name : {"a", "b"}) {
        EXPECT_EQ(read_bytes(out / (std::string(name) + ".txt")), read_bytes(test_data("conversion_sample.txt")));
        EXPECT_EQ(read_bytes(out / (std::string(name) + ".xls")), read_bytes(test_data("conversion_sample.xls")));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator{}), 4);
    EXPECT_EQ(w.ListBoxOrigin->count(), 3); // the window stays open with its list
    EXPECT_TRUE(w.isVisible());
}

TEST_F(ConversionWindows, BatchStopsAtABadFileAndSaysWhich) {
    write_bytes(data / "bad.bm2", "HEADER\r\n00;SOFT;24;\r\nMESURES\r\nx 1/1/25 0:0\r\n");
    TForm_Conversion w(session, &main, [] {});
    w.show();
    w.chooseFiles = [&](const QString&) {
        return QStringList{text(data / "a.bm2"), text(data / "bad.bm2"), text(data / "b.bm2")};
    };
    w.chooseFolder = [&](const QString&) { return text(out); };
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    QTest::mouseClick(w.ButtonDestination, Qt::LeftButton);
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    QTest::mouseClick(w.ConvertButton, Qt::LeftButton);
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_TRUE(seen->text.contains(QStringLiteral("bad.bm2"))) << seen->text.toStdString();
    EXPECT_TRUE(fs::exists(out / "a.xls"));
    EXPECT_FALSE(fs::exists(out / "b.txt"));
    EXPECT_EQ(w.ProgressBar->value(), 0);
}

TEST_F(ConversionWindows, SingleFileWindowOfEachKind) {
    TForm_Convert w(session, &main, [this] { ++sessionsClosed; });
    const std::tuple<ConversionKind, const char*, const char*, const char*> kinds[] = {
        {CalculatedValues, "Conversion en valeurs calculées", "En un fichier .xls", ".xls"},
        {RawValues, "Conversion en valeurs brutes", "En un fichier .txt", ".txt"},
    };
    for (const auto& [kind, caption, label, extension] : kinds) {
        w.prepare(kind);
        w.show();
        EXPECT_EQ(w.windowTitle(), QString::fromUtf8(caption));
        EXPECT_EQ(w.Titre1->text(), QStringLiteral("Convertir le fichier bm2  :"));
        EXPECT_EQ(w.Titre2->text(), QString::fromUtf8(label));
        EXPECT_EQ(w.CancelButton->text(), QStringLiteral("Annuler"));
        EXPECT_TRUE(w.FileOrigine->text().isEmpty());
        EXPECT_TRUE(w.FileDestination->text().isEmpty());
        EXPECT_FALSE(w.ConvertButton->isEnabled());

        w.chooseSource = [&](const QString&) { return text(data / "a.bm2"); };
        QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
        EXPECT_EQ(w.FileDestination->text(), text(data / ("a" + std::string(extension))));
        EXPECT_TRUE(w.ConvertButton->isEnabled());
        QString proposed;
        w.chooseDestination = [&](const QString& p) {
            proposed = p;
            return text(out / "resultat.csv"); // the extension of the kind is forced
        };
        QTest::mouseClick(w.ButtonDestination, Qt::LeftButton);
        EXPECT_EQ(proposed, text(data / ("a" + std::string(extension))));
        const fs::path destination = out / ("resultat" + std::string(extension));
        EXPECT_EQ(w.FileDestination->text(), text(destination));

        auto seen = answerNextMessageBox(QStringLiteral("OK"));
        QTest::mouseClick(w.ConvertButton, Qt::LeftButton);
        EXPECT_EQ(seen->text, QStringLiteral("Conversion terminée"));
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(read_bytes(destination),
                  read_bytes(test_data("conversion_sample" + std::string(extension))));
    }
    EXPECT_EQ(sessionsClosed, 2);
}

TEST_F(ConversionWindows, MainWindowMenuEntriesOpenTheWindowsAndDisableItself) {
    TForm_Main window(session);
    window.show();
    for (const char* name : {"Exporter", "ValeursCalculees", "ValeursBrutes"})
        EXPECT_TRUE(window.action(QString::fromLatin1(name))->isEnabled()) << name;
    window.action("Exporter")->trigger();
    EXPECT_FALSE(window.isEnabled());
    EXPECT_TRUE(window.formConversion()->isVisible());
    window.formConversion()->CancelButton->click();
    EXPECT_FALSE(window.formConversion()->isVisible());
    EXPECT_TRUE(window.isEnabled());

    window.action("ValeursBrutes")->trigger();
    EXPECT_FALSE(window.isEnabled());
    EXPECT_EQ(window.formConvert()->kind(), RawValues);
    EXPECT_EQ(window.formConvert()->windowTitle(), QStringLiteral("Conversion en valeurs brutes"));
    window.formConvert()->CancelButton->click();
    EXPECT_TRUE(window.isEnabled());
    window.action("ValeursCalculees")->trigger();
    EXPECT_EQ(window.formConvert()->kind(), CalculatedValues);
    window.formConvert()->close();
    EXPECT_TRUE(window.isEnabled());
}
