// The default-directory window and the About box.
#include "app/ini_file.h"
#include "app/panel_apropos.h"
#include "app/panel_directory.h"
#include "app/panel_main.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

class DefaultDirectory : public ::testing::Test {
  protected:
    DefaultDirectory() {
        fs::create_directories(dir / "data" / "site");
        fs::create_directories(dir / "other");
        session.settings = load_app_settings(dir.path(), dir.path());
        session.settings.DefaultDirectory = (dir / "data").string();
        session.working.directory = dir.path();
        window = std::make_unique<TForm_Main>(session);
    }
    ~DefaultDirectory() override { QDir::setCurrent(previousCurrent); }

    TForm_Directory& directory() { return *window->directoryWindow(); }
    QString path(const std::string& name) { return QString::fromStdString((dir / name).string()); }

    // The folder the next "Ouvrir" starts in; the dialog is cancelled.
    QString openDialogFolder() {
        QString folder;
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [&folder, poll]() {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) {
                    folder = d->directory().absolutePath();
                    d->reject();
                    return;
                }
            QTimer::singleShot(10, *poll);
        };
        QTimer::singleShot(0, *poll);
        window->action("Ouvrir")->trigger();
        return folder;
    }

    QString previousCurrent = QDir::currentPath();
    ScratchDir dir;
    Session session;
    std::unique_ptr<TForm_Main> window;
};

} // namespace

TEST_F(DefaultDirectory, ShowsTheDefaultFolderAndBlocksTheMainWindow) {
    window->show();
    window->action("RepertoireparDefaut")->trigger();
    EXPECT_TRUE(directory().isVisible());
    EXPECT_EQ(directory().windowTitle(), QStringLiteral("Répertoire Par Défaut"));
    EXPECT_EQ(directory().selectedDirectory(), path("data"));
    EXPECT_EQ(QApplication::activeModalWidget(), &directory());
    EXPECT_EQ(directory().findChild<QPushButton*>(QStringLiteral("CancelButton"))->text(),
              QStringLiteral("ANNULER"));
    EXPECT_EQ(directory().findChild<QPushButton*>(QStringLiteral("OKButton"))->text(),
              QStringLiteral("OK"));
    directory().CancelButtonClick();
    EXPECT_FALSE(directory().isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(DefaultDirectory, OkMakesTheChosenFolderTheDefaultEverywhere) {
    window->action("RepertoireparDefaut")->trigger();
    directory().setDirectory(path("other"));
    directory().findChild<QPushButton*>(QStringLiteral("OKButton"))->click();

    EXPECT_FALSE(directory().isVisible());
    EXPECT_EQ(session.settings.DefaultDirectory, (dir / "other").string());
    EXPECT_EQ(IniFile(dir / "Talvex2.ini").readString("DIRECTORY", "path", ""),
              (dir / "other").string());
    EXPECT_EQ(fs::current_path(), dir / "other");
    EXPECT_EQ(openDialogFolder(), path("other"));
}

TEST_F(DefaultDirectory, CancelChangesNothing) {
    window->action("RepertoireparDefaut")->trigger();
    directory().setDirectory(path("other"));
    directory().findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    EXPECT_EQ(session.settings.DefaultDirectory, (dir / "data").string());
    EXPECT_FALSE(IniFile(dir / "Talvex2.ini").hasKey("DIRECTORY", "path"));
    EXPECT_EQ(openDialogFolder(), path("data"));
}

// The folder of the last opened file wins over the default folder.
TEST_F(DefaultDirectory, LastOpenedFolderTakesPrecedenceOverTheDefault) {
    {
        IniFile ini(dir / "Talvex2.ini");
        ini.writeString("DIRECTORY", "openbm2dir", (dir / "data" / "site").string());
        ini.save();
    }
    window->action("RepertoireparDefaut")->trigger();
    directory().setDirectory(path("other"));
    directory().OKButtonClick();
    EXPECT_EQ(openDialogFolder(), path("data/site"));
}

TEST_F(DefaultDirectory, DriveSelectorFollowsTheFolderAndDrivesTheList) {
    QComboBox* drives = directory().DriveComboBox;
    const int root = drives->findText(QDir::rootPath());
    ASSERT_GE(root, 0);
    ASSERT_GE(drives->findText(QDir::homePath()), 0);

    directory().setDirectory(path("data/site"));
    // The scratch folder lies under the root (or a mounted volume holding it).
    EXPECT_TRUE(path("data/site").startsWith(drives->currentText()))
        << drives->currentText().toStdString();

    drives->setCurrentIndex(drives->findText(QDir::homePath()));
    EXPECT_EQ(directory().selectedDirectory(), QDir::homePath());
    drives->setCurrentIndex(root);
    EXPECT_EQ(directory().selectedDirectory(), QDir::rootPath());
}

TEST(AboutBox, ShowsNameAndVersionOnAFramelessFixedWindow) {
    ScratchDir dir;
    Session session;
    session.settings = load_app_settings(dir.path(), dir.path());
    session.working.directory = dir.path();
    TForm_Main window(session);
    window.action("AProposde")->trigger();
    TForm_Apropos& about = *window.aboutBox();
    ASSERT_TRUE(about.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &about);
    EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(about.size(), QSize(416, 348));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("ProductName"))->text(),
              QStringLiteral("Talvex 2"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Version"))->text(),
              QStringLiteral("         Version 1.7.1"));
    about.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
