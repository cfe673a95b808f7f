// Opening from the main window: the open dialog's filters and first folder, dropped files
// (first file only, extension compared with its case), "Fermer".
#include "app/ini_file.h"
#include "app/panel_main.h"
#include "display/panel_display.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

struct SeenDialog {
    QStringList filters;
    QString folder;
    bool shown = false;
};

// When the next file dialog shows, records its filters and folder, then chooses `file`
// (empty: cancels).
std::shared_ptr<SeenDialog> answerOpenDialog(const QString& file) {
    auto seen = std::make_shared<SeenDialog>();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [seen, file, poll]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            seen->shown = true;
            seen->filters = dialog->nameFilters();
            seen->folder = dialog->directory().absolutePath();
            answerNextFileDialog(file);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
    return seen;
}

// Answers a message box that may or may not come: the watch ends when the test stops it,
// so that it cannot answer a box of a later test.
struct MaybeBox {
    std::shared_ptr<SeenBox> seen = std::make_shared<SeenBox>();
    std::shared_ptr<bool> stopped = std::make_shared<bool>(false);
    ~MaybeBox() { *stopped = true; }
};

std::unique_ptr<MaybeBox> answerBoxIfAny(const QString& button) {
    auto box = std::make_unique<MaybeBox>();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [seen = box->seen, stopped = box->stopped, button, poll]() {
        if (*stopped)
            return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<QMessageBox*>(w);
            if (!shown || !shown->isVisible())
                continue;
            seen->shown = true;
            seen->text = shown->text();
            seen->icon = shown->icon();
            for (QAbstractButton* b : shown->buttons())
                seen->buttons << b->text();
            for (QAbstractButton* b : shown->buttons())
                if (b->text() == button) {
                    b->click();
                    return;
                }
            shown->reject();
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
    return box;
}

class OpenCommands : public ::testing::Test {
  protected:
    OpenCommands() {
        session.settings = load_app_settings(dir.path(), dir.path());
        session.settings.DefaultDirectory = (dir / "data").string();
        fs::create_directories(dir / "data");
        fs::create_directories(dir / "last");
        session.working.directory = dir.path();
        window = std::make_unique<TForm_Main>(session);
    }

    QString sample(const std::string& name) {
        const fs::path file = dir / name;
        write_bytes(file, sample_header_text({{45, "2"}}) +
                              crlf_lines({"MESURES", "1 5/3/19 14:0 100 200 150 300 10 11 12 1 64 ",
                                          "2 5/3/19 15:0 101 201 151 301 13 14 15 0 0 "}));
        return QString::fromStdString(file.string());
    }

    QString title() const { return window->windowTitle(); }
    std::string openFolderSetting() {
        return IniFile(dir / "Talvex2.ini").readString("DIRECTORY", "openbm2dir", "<none>");
    }

    ScratchDir dir;
    Session session;
    std::unique_ptr<TForm_Main> window;
};

const QString NoFile = QStringLiteral("Talvex 2 - Version 1.7.2");

} // namespace

TEST_F(OpenCommands, OpenDialogOffersMeasurementsThenCapturesFromTheDefaultFolder) {
    auto seen = answerOpenDialog(QString());
    window->action("Ouvrir")->trigger();
    ASSERT_TRUE(seen->shown);
    ASSERT_EQ(seen->filters.size(), 2);
    EXPECT_TRUE(seen->filters[0].contains(QStringLiteral("*.bm2")))
        << seen->filters[0].toStdString();
    EXPECT_TRUE(seen->filters[1].startsWith(QStringLiteral("Capture Hyperterminal (*txt)")));
    EXPECT_TRUE(seen->filters[1].contains(QStringLiteral("*.txt")));
    EXPECT_EQ(seen->folder.toStdString(), (dir / "data").string());
    // Cancelled: nothing opened, nothing stored.
    EXPECT_EQ(openFolderSetting(), "<none>");
    EXPECT_EQ(session.current, nullptr);
}

TEST_F(OpenCommands, OpenedFileFolderBecomesTheNextFirstFolder) {
    const QString file = sample("last/probe.bm2");
    auto first = answerOpenDialog(file);
    window->action("Ouvrir")->trigger();
    window->displayOptions()->close();
    ASSERT_NE(session.current, nullptr);
    EXPECT_EQ(title(), NoFile + " - " + file);
    EXPECT_EQ(openFolderSetting(), (dir / "last").string());

    auto second = answerOpenDialog(QString());
    window->action("Ouvrir")->trigger();
    EXPECT_EQ(second->folder.toStdString(), (dir / "last").string());
}

TEST_F(OpenCommands, DroppedFileExtensionDecidesWithItsCase) {
    const struct {
        const char* name;
        bool opened;
    } cases[] = {{"mesure.bm2", true},  {"mesure.BM2", true},  {"mesure.Bm2", false},
                 {"mesure.bM2", false}, {"mesure.doc", false}, {"mesure", false},
                 {"mesure.Txt", false}, {"bm2", false}};
    for (const auto& c : cases) {
        window->FermerSession();
        session.current = nullptr;
        const QString file = sample(c.name);
        auto box = answerBoxIfAny(QStringLiteral("OK"));
        const auto& seen = box->seen;
        window->DropFileTargetDrop({file});
        window->displayOptions()->close();
        if (c.opened) {
            EXPECT_NE(session.current, nullptr) << c.name;
            EXPECT_EQ(title(), NoFile + " - " + file) << c.name;
            EXPECT_FALSE(seen->shown) << c.name;
        } else {
            EXPECT_EQ(session.current, nullptr) << c.name;
            EXPECT_EQ(seen->text, QStringLiteral("Format de fichier inconnu")) << c.name;
            EXPECT_EQ(seen->icon, QMessageBox::Information) << c.name;
            EXPECT_EQ(seen->buttons, QStringList{QStringLiteral("OK")}) << c.name;
        }
    }
}

TEST_F(OpenCommands, DroppedCapturesAreRecognisedByTheirExactExtension) {
    // A capture without "RH" is not a measurement: the capture path says so.
    for (const char* name : {"capture.txt", "capture.TXT"}) {
        write_bytes(dir / name, crlf_lines({"garbage", "more garbage"}));
        auto seen = answerNextMessageBox(QStringLiteral("OK"));
        window->DropFileTargetDrop({QString::fromStdString((dir / name).string())});
        EXPECT_EQ(seen->text, QStringLiteral("Fichier Invalide.")) << name;
    }
}

TEST_F(OpenCommands, OnlyTheFirstDroppedFileIsUsed) {
    const QString first = sample("first.bm2");
    const QString second = sample("second.bm2");
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second),
                   QUrl::fromLocalFile(QStringLiteral("/tmp/third.doc"))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    window->show();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QApplication::sendEvent(window.get(), &drop);
    window->displayOptions()->close();
    EXPECT_EQ(title(), NoFile + " - " + first);
    delete mime;

    // An unknown first file stops the drop even when a later one is a measurement.
    window->FermerSession();
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    window->DropFileTargetDrop({QStringLiteral("/tmp/notes.doc"), second});
    EXPECT_EQ(seen->text, QStringLiteral("Format de fichier inconnu"));
    EXPECT_EQ(title(), NoFile);
}

TEST_F(OpenCommands, FermerHidesTheMeasurementAndKeepsItLoaded) {
    window->OuvrirFichier(sample("probe.bm2"));
    window->displayOptions()->close();
    const auto shown = session.current;
    window->action("Fermer")->trigger();
    EXPECT_EQ(title(), NoFile);
    for (const char* name : {"Affichage", "ActiviteVolumique", "Parametre", "Imprimer"})
        EXPECT_FALSE(window->action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(window->action("EnregistrerSous")->isEnabled()); // stays as it was
    EXPECT_EQ(session.current, shown);
}

TEST_F(OpenCommands, EnregistrerSousWritesTheWorkingFilesIntoTheChosenFile) {
    const QString file = sample("probe.bm2");
    window->OuvrirFichier(file);
    window->displayOptions()->close();
    const fs::path target = dir / "last" / "copy.bm2";
    auto seen = answerOpenDialog(QString::fromStdString(target.string()));
    window->action("EnregistrerSous")->trigger();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->folder.toStdString(), (dir / "data").string()); // no savebm2dir yet
    EXPECT_EQ(read_bytes(target), read_bytes(file.toStdString()));
    EXPECT_EQ(title(), NoFile + " - " + QString::fromStdString(target.string()));
}

// A terminal capture opens through "temp.bm2" in the installation folder, under its own name.
TEST_F(OpenCommands, DroppedCaptureOpensUnderItsOwnName) {
    std::string text = "> RH\r\n";
    const std::string header = sample_header_text({{45, "2"}});
    text += header.substr(header.find("\r\n") + 2); // the probe's 58 lines, without "HEADER"
    text += "> RM\r\n";
    for (int n = 1; n <= 3; ++n)
        text += std::to_string(n) + " 5/3/19 1" + std::to_string(n) +
                ":0 100 200 150 300 10 11 12 1 64 \r\n";
    text += "\x1b\r\n";
    const fs::path capture = dir / "terminal.txt";
    write_bytes(capture, text);

    window->DropFileTargetDrop({QString::fromStdString(capture.string())});
    window->displayOptions()->close();
    ASSERT_NE(session.current, nullptr);
    EXPECT_EQ(title(), NoFile + " - " + QString::fromStdString(capture.string()));
    const std::string temp = read_bytes(dir / "temp.bm2");
    EXPECT_EQ(temp.rfind("HEADER\r\n", 0), 0u);
    EXPECT_EQ(temp.substr(temp.find("MESURES")),
              crlf_lines({"MESURES", "1 5/3/19 11:0 100 200 150 300 10 11 12 1 64 ",
                          "2 5/3/19 12:0 100 200 150 300 10 11 12 1 64 ",
                          "3 5/3/19 13:0 100 200 150 300 10 11 12 1 64 "}));
}

// A GSM transfer may spike the radon counts: opening over a modem link ticks the filter.
TEST_F(OpenCommands, GsmFilterFollowsTheConnectionType) {
    for (const int connection : {1, 0, 1}) {
        session.settings.ConnectionType = connection;
        window->OuvrirFichier(sample("probe.bm2"));
        EXPECT_EQ(window->displayOptions()->CheckBoxFilter->isChecked(), connection == 1)
            << "connection type " << connection;
        window->displayOptions()->close();
    }
}

// The window takes a dropped file as a copy or a link: a drag that can only move is refused,
// and one that offers a move among others is taken as a copy, so the file stays where it was.
TEST_F(OpenCommands, DropsAreTakenAsCopyOrLinkNeverAsMove) {
    const QString file = sample("probe.bm2");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    window->show();
    const struct {
        Qt::DropActions possible;
        bool accepted;
        Qt::DropAction taken;
    } cases[] = {{Qt::MoveAction, false, Qt::IgnoreAction},
                 {Qt::CopyAction | Qt::MoveAction, true, Qt::CopyAction},
                 {Qt::LinkAction | Qt::MoveAction, true, Qt::LinkAction},
                 {Qt::CopyAction | Qt::LinkAction, true, Qt::CopyAction}};
    for (const auto& c : cases) {
        window->FermerSession();
        QDragEnterEvent enter(QPoint(10, 10), c.possible, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), c.accepted) << int(c.possible);
        QDropEvent drop(QPointF(10, 10), c.possible, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        window->displayOptions()->close();
        if (c.accepted) {
            EXPECT_EQ(drop.dropAction(), c.taken) << int(c.possible);
            EXPECT_EQ(title(), NoFile + " - " + file) << int(c.possible);
        } else {
            EXPECT_EQ(title(), NoFile) << int(c.possible);
        }
    }
}
