// The merge window as a user drives it: list order and moves, destination naming, the merged
// file (the same bytes as talvex2-cli merge), progress and messages.
#include "app/panel_main.h"
#include "data/panel_fusion.h"
#include "support/test_support.h"
#include "support/widget_support.h"

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

QStringList entries(const QListWidget* list) {
    QStringList all;
    for (int i = 0; i < list->count(); ++i)
        all << list->item(i)->text();
    return all;
}

class FusionWindow : public ::testing::Test {
protected:
    FusionWindow() {
        session.settings.DefaultDirectory = dir.path().string();
        session.settings.InstallDirectory = dir.path();
        for (const char* name : {"a.bm2", "B.bm2", "c.bm2"})
            write_bytes(dir / name, crlf_lines({"HEADER", std::string("01;#PROBE;") + name + ";",
                                                "MESURES", std::string("1 ") + name}));
        window = std::make_unique<TForm_Fusion>(session, &main, [this] { ++sessionsClosed; });
        window->show();
        window->chooseFiles = [this](const QString&) {
            return QStringList{text(dir / "c.bm2"), text(dir / "a.bm2"), text(dir / "B.bm2")};
        };
    }

    ScratchDir dir;
    Session session;
    QWidget main;
    int sessionsClosed = 0;
    std::unique_ptr<TForm_Fusion> window;
};

} // namespace

TEST_F(FusionWindow, StartsEmptyWithTheDefaultDestination) {
    TForm_Fusion& w = *window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Fusion"));
    EXPECT_EQ(w.Titre1->text(), QStringLiteral("Ajouter un fichier à fusionner :"));
    EXPECT_EQ(w.Titre2->text(), QStringLiteral("Fichier de destination :"));
    EXPECT_EQ(w.ButtonUp->text(), QStringLiteral("+"));
    EXPECT_EQ(w.ButtonDown->text(), QStringLiteral("-"));
    EXPECT_EQ(w.FusionButton->text(), QStringLiteral("Fusionner"));
    EXPECT_EQ(w.CancelButton->text(), QStringLiteral("Fermer"));
    EXPECT_FALSE(w.FusionButton->isEnabled());
    EXPECT_EQ(w.FileDestination->text(), text(dir / "fusion.bm2"));
    EXPECT_EQ(w.ProgressBar->value(), 0);
}

TEST_F(FusionWindow, AddedFilesAreSortedWithoutRegardToCase) {
    TForm_Fusion& w = *window;
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    EXPECT_EQ(entries(w.ListBoxOrigin),
              (QStringList{text(dir / "a.bm2"), text(dir / "B.bm2"), text(dir / "c.bm2")}));
    EXPECT_EQ(w.ListBoxOrigin->currentRow(), 0);
    EXPECT_EQ(w.FileDestination->text(), text(dir / "a_all.bm2"));
    EXPECT_TRUE(w.FusionButton->isEnabled());
    // A file already listed is added again.
    w.chooseFiles = [this](const QString&) { return QStringList{text(dir / "B.bm2")}; };
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    EXPECT_EQ(w.ListBoxOrigin->count(), 4);
    EXPECT_EQ(w.ListBoxOrigin->item(2)->text(), text(dir / "B.bm2"));
}

TEST_F(FusionWindow, PlusAndMinusMoveTheSelectedFileAndKeepTheRowSelected) {
    TForm_Fusion& w = *window;
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    const QString a = text(dir / "a.bm2"), b = text(dir / "B.bm2"), c = text(dir / "c.bm2");
    QTest::mouseClick(w.ButtonUp, Qt::LeftButton); // first selected: nothing
    EXPECT_EQ(entries(w.ListBoxOrigin), (QStringList{a, b, c}));
    QTest::mouseClick(w.ButtonDown, Qt::LeftButton);
    EXPECT_EQ(entries(w.ListBoxOrigin), (QStringList{b, a, c}));
    EXPECT_EQ(w.ListBoxOrigin->currentRow(), 0);
    w.ListBoxOrigin->setCurrentRow(2);
    QTest::mouseClick(w.ButtonDown, Qt::LeftButton); // last selected: nothing
    EXPECT_EQ(entries(w.ListBoxOrigin), (QStringList{b, a, c}));
    QTest::mouseClick(w.ButtonUp, Qt::LeftButton);
    EXPECT_EQ(entries(w.ListBoxOrigin), (QStringList{b, c, a}));
    EXPECT_EQ(w.ListBoxOrigin->currentRow(), 2);
}

TEST_F(FusionWindow, MergesInListOrderWithProgressThenStartsAfreshWhenReopened) {
    TForm_Fusion& w = *window;
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    QString proposed;
    w.chooseDestination = [&](const QString& p) {
        proposed = p;
        return text(dir / "merged.bm2");
    };
    QTest::mouseClick(w.ButtonDestination, Qt::LeftButton);
    EXPECT_EQ(proposed, text(dir / "a_all.bm2"));
    EXPECT_EQ(w.FileDestination->text(), text(dir / "merged.bm2"));

    std::vector<int> progress;
    QObject::connect(w.ProgressBar, &QProgressBar::valueChanged, [&](int v) { progress.push_back(v); });
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    QTest::mouseClick(w.FusionButton, Qt::LeftButton);
    EXPECT_EQ(seen->text, QStringLiteral("Conversion terminée"));
    EXPECT_EQ(seen->icon, QMessageBox::Information);
    EXPECT_EQ(progress, (std::vector<int>{33, 67, 100, 0}));
    EXPECT_EQ(sessionsClosed, 1);
    EXPECT_EQ(read_bytes(dir / "merged.bm2"),
              crlf_lines({"HEADER", "01;#PROBE;c.bm2;", "MESURES", "1 a.bm2", "1 B.bm2", "1 c.bm2"}));
    EXPECT_EQ(w.ListBoxOrigin->count(), 3);

    w.close();
    EXPECT_TRUE(main.isEnabled());
    w.show();
    EXPECT_EQ(w.ListBoxOrigin->count(), 0);
    EXPECT_FALSE(w.FusionButton->isEnabled());
    EXPECT_EQ(w.FileDestination->text(), text(dir / "fusion.bm2"));
}

TEST_F(FusionWindow, FileWithoutMeasuresIsReportedAndNothingIsWritten) {
    TForm_Fusion& w = *window;
    write_bytes(dir / "notes.bm2", "HEADER\r\n");
    w.chooseFiles = [this](const QString&) {
        return QStringList{text(dir / "a.bm2"), text(dir / "notes.bm2")};
    };
    QTest::mouseClick(w.ButtonOrigine, Qt::LeftButton);
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    QTest::mouseClick(w.FusionButton, Qt::LeftButton);
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_TRUE(seen->text.contains(QStringLiteral("notes.bm2")));
    EXPECT_FALSE(fs::exists(dir / "a_all.bm2"));
}

TEST(FusionMenu, FusionEntryOpensTheWindowAndDisablesTheMainWindow) {
    ScratchDir dir;
    Session session;
    session.settings = load_app_settings(dir.path(), dir.path());
    session.working.directory = dir.path();
    TForm_Main window(session);
    window.show();
    ASSERT_TRUE(window.action("Fusion")->isEnabled());
    window.action("Fusion")->trigger();
    EXPECT_FALSE(window.isEnabled());
    EXPECT_TRUE(window.formFusion()->isVisible());
    window.formFusion()->CancelButton->click();
    EXPECT_TRUE(window.isEnabled());
}
