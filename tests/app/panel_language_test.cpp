// The language switch: the English module next to the executable, what a switch changes
// and keeps, the saved choice, and the texts that come from core code.
#include "app/ini_file.h"
#include "app/panel_directory.h"
#include "app/panel_main.h"
#include "app/qt_program_texts.h"
#include "display/panel_display.h"
#include "display/qt_chart_area.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

// The English module as the build makes it from translations/.
fs::path builtEnglishModule() {
    return fs::path(TALVEX2_BINARY_DIR) / "qm" / "talvex2_en.qm";
}

class LanguageSwitch : public ::testing::Test {
  protected:
    LanguageSwitch() {
        session.settings = load_app_settings(dir.path(), dir.path());
        session.working.directory = dir.path();
        session.languageModuleBase = dir / "talvex2";
    }

    void installModule(const std::string& name) {
        ASSERT_TRUE(fs::exists(builtEnglishModule())) << builtEnglishModule();
        fs::copy_file(builtEnglishModule(), dir / name);
    }

    void setSavedLanguage(const std::string& language) {
        IniFile ini(dir / "Talvex2.ini");
        ini.writeString("LANGUAGE", "language", language);
        ini.save();
        session.settings = load_app_settings(dir.path(), dir.path());
    }

    std::string savedLanguage() {
        return IniFile(dir / "Talvex2.ini").readString("LANGUAGE", "language", "<none>");
    }

    TForm_Main& open() {
        window = std::make_unique<TForm_Main>(session);
        return *window;
    }

    // A language click, then the language change Qt posts to every window.
    void click(const char* entry) {
        window->action(QString::fromLatin1(entry))->trigger();
        QCoreApplication::sendPostedEvents();
    }

    void openSample() {
        const fs::path file = dir / "probe.bm2";
        write_bytes(file, sample_header_text({{45, "2"}, {57, "2"}}) +
                              crlf_lines({"MESURES", "1 5/3/19 14:0 100 200 150 300 10 11 12 1 64 ",
                                          "2 5/3/19 15:0 101 201 151 301 13 14 15 0 0 "}));
        ASSERT_TRUE(window->OuvrirFichier(QString::fromStdString(file.string())));
    }

    QString fileMenuTitle() {
        return window->menuBar()->findChild<QMenu*>(QStringLiteral("Fichier"))->title();
    }

    ScratchDir dir;
    Session session;
    std::unique_ptr<TForm_Main> window;
};

} // namespace

TEST_F(LanguageSwitch, EnglishRetranslatesMenusTablesAndMessagesAndSavesTheChoice) {
    installModule("talvex2.ENG");
    open();
    click("Anglais");

    EXPECT_EQ(fileMenuTitle(), QStringLiteral(" File "));
    EXPECT_EQ(window->action("Ouvrir")->text(), QStringLiteral("Open"));
    EXPECT_EQ(window->action("Affichage")->text(), QStringLiteral(" Display "));
    EXPECT_EQ(window->directoryWindow()->windowTitle(), QStringLiteral("Default Directory"));
    EXPECT_EQ(session.HeaderLabels[1], "Probe number\t"); // the tab before the value
    EXPECT_EQ(session.MeasureNames[7], "Temperature (°C)");
    EXPECT_TRUE(window->action("Anglais")->isChecked());
    EXPECT_FALSE(window->action("Francais")->isChecked());
    EXPECT_EQ(savedLanguage(), "anglais");
    EXPECT_EQ(session.settings.language, "anglais");

    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    window->DropFileTargetDrop({QStringLiteral("/tmp/notes.doc")});
    EXPECT_EQ(seen->text, QStringLiteral("Unknown file format"));
}

TEST_F(LanguageSwitch, BackToFrenchRestoresTheBuiltInTexts) {
    installModule("talvex2.ENG");
    open();
    click("Anglais");
    click("Francais");

    EXPECT_EQ(fileMenuTitle(), QStringLiteral(" Fichier "));
    EXPECT_EQ(window->action("EnregistrerSous")->text(), QStringLiteral("Enregistrer Sous"));
    EXPECT_EQ(session.HeaderLabels[1], "Numéro de sonde\t");
    EXPECT_EQ(session.MeasureNames[7], "Température (°C)");
    EXPECT_TRUE(window->action("Francais")->isChecked());
    EXPECT_FALSE(window->action("Anglais")->isChecked());
    EXPECT_EQ(savedLanguage(), "francais");
    EXPECT_EQ(window->action("Anglais")->data().toInt(), 2057);
    EXPECT_EQ(window->action("Francais")->data().toInt(), 1036);
}

// A damaged ".ENG" file is passed over for the ".EN" one; with neither, nothing changes.
TEST_F(LanguageSwitch, DamagedModuleIsPassedOver) {
    write_bytes(dir / "talvex2.ENG", "not a translation");
    open();
    EXPECT_FALSE(window->LoadLanguageModule(2057));
    installModule("talvex2.EN");
    click("Anglais");
    EXPECT_EQ(fileMenuTitle(), QStringLiteral(" File "));
}

// The module is the executable's name with ".ENG", else ".EN"; names are compared exactly.
TEST_F(LanguageSwitch, ModuleIsFoundUnderItsThreeThenTwoLetterName) {
    const struct {
        const char* file;
        bool english;
    } cases[] = {{"talvex2.ENG", true},
                 {"talvex2.EN", true},
                 {"talvex2.eng", false},
                 {"talvex2.ENGLISH", false},
                 {"other.ENG", false}};
    for (const auto& c : cases) {
        ScratchDir scratch;
        fs::copy_file(builtEnglishModule(), scratch / c.file);
        session.languageModuleBase = scratch / "talvex2";
        open();
        EXPECT_EQ(window->LoadLanguageModule(2057), c.english) << c.file;
        window.reset();
    }
}

TEST_F(LanguageSwitch, MissingModuleDoesNothingSilently) {
    open();
    openSample();
    window->displayOptions()->close();
    const auto shown = session.current;
    click("Anglais");

    EXPECT_EQ(fileMenuTitle(), QStringLiteral(" Fichier "));
    EXPECT_TRUE(window->action("Francais")->isChecked());
    EXPECT_FALSE(window->action("Anglais")->isChecked());
    EXPECT_EQ(savedLanguage(), "<none>");
    // Nothing was reloaded: the measurement commands stay available.
    EXPECT_TRUE(window->action("Affichage")->isEnabled());
    EXPECT_TRUE(window->action("EnregistrerSous")->isEnabled());
    EXPECT_EQ(session.current, shown);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // no message either
}

TEST_F(LanguageSwitch, SwitchReturnsWindowsToStartStateAndKeepsTheData) {
    installModule("talvex2.ENG");
    {
        IniFile ini(dir / "Talvex2.ini"); // probe type 2 carries the three radon channels
        ini.writeString("SENSORS", "type2", "7");
        ini.save();
    }
    open().show();
    openSample();
    window->displayOptions()->CheckBoxWindow[0]->setChecked(true);
    window->displayOptions()->Courbe[0][0]->setCurrentIndex(1);
    ASSERT_TRUE(window->displayOptions()->ButtonOKClick());
    ASSERT_FALSE(window->charts()->window(1)->isHidden());
    const auto shown = session.current;

    click("Anglais");

    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(window->charts()->window(n)->isHidden()) << "window " << n;
    for (const char* name : {"Affichage", "ActiviteVolumique", "Parametre", "Imprimer",
                             "EnregistrerSous", "Parametrage"})
        EXPECT_FALSE(window->action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_FALSE(window->displayOptions()->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Talvex 2 - Version 1.7.2"));
    EXPECT_EQ(session.current, shown);
    EXPECT_TRUE(fs::exists(session.working.measure()));
}

TEST_F(LanguageSwitch, ClickingTheLanguageInForceDoesNothing) {
    installModule("talvex2.ENG");
    open();
    click("Anglais");
    openSample();
    setSavedLanguage("marker"); // a write would replace it
    click("Anglais");

    EXPECT_EQ(savedLanguage(), "marker");
    EXPECT_TRUE(window->action("Affichage")->isEnabled());
    EXPECT_TRUE(window->action("Anglais")->isChecked());
    EXPECT_FALSE(window->action("Francais")->isChecked());
}

TEST_F(LanguageSwitch, SavedLanguageIsAppliedAtStartUp) {
    const struct {
        const char* saved;
        bool module;
        const char* title;
        bool englishChecked;
    } cases[] = {{"anglais", true, " File ", true},
                 {"anglais", false, " Fichier ", false},
                 {"Anglais", true, " Fichier ", false}, // misspelt: French
                 {"francais", true, " Fichier ", false}};
    for (const auto& c : cases) {
        ScratchDir scratch;
        if (c.module)
            fs::copy_file(builtEnglishModule(), scratch / "talvex2.ENG");
        session.languageModuleBase = scratch / "talvex2";
        setSavedLanguage(c.saved);
        open();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(fileMenuTitle(), QString::fromLatin1(c.title)) << c.saved << " " << c.module;
        EXPECT_EQ(window->action("Anglais")->isChecked(), c.englishChecked) << c.saved;
        EXPECT_NE(window->action("Francais")->isChecked(), c.englishChecked) << c.saved;
        window.reset();
        QCoreApplication::sendPostedEvents();
    }
}

TEST_F(LanguageSwitch, CoreMessagesAreTranslatedPieceByPieceKeepingNames) {
    installModule("talvex2.ENG");
    open();
    click("Anglais");
    const std::string file = "/data/mesures de mars/site 1.bm2";
    const QString text = translateProgramText("Impossible d'ouvrir le fichier : " + file +
                                              "\nFichier : " + file + ", ligne 61");
    EXPECT_EQ(text, QString::fromStdString("Cannot open the file: " + file + "\nFile: " + file +
                                           ", line 61"));
    EXPECT_EQ(translateProgramText("Fichier Invalide."), QStringLiteral("Invalid file."));
    // The system's own texts pass unchanged.
    EXPECT_EQ(translateProgramText("No such file or directory"),
              QStringLiteral("No such file or directory"));

    click("Francais");
    EXPECT_EQ(translateProgramText("Fichier Invalide."), QStringLiteral("Fichier Invalide."));
}

TEST_F(LanguageSwitch, OpeningErrorIsShownInEnglish) {
    installModule("talvex2.ENG");
    open();
    click("Anglais");
    const fs::path bad = dir / "bad.bm2";
    write_bytes(bad, sample_header_text() + "MESURES\r\nabc 5/3/19 14:0\r\n");
    auto seen = answerNextMessageBox(QStringLiteral("OK"));
    EXPECT_FALSE(window->OuvrirFichier(QString::fromStdString(bad.string())));
    EXPECT_TRUE(seen->text.contains(QStringLiteral(", line 61"))) << seen->text.toStdString();
    EXPECT_FALSE(seen->text.contains(QStringLiteral("ligne"))) << seen->text.toStdString();
}

// Every text that core code hands to the windows has an English translation in the module.
// When this fails, run scripts/update-translations and translate the new entries.
TEST(EnglishModule, TranslatesEveryCoreText) {
    QTranslator english;
    ASSERT_TRUE(english.load(QString::fromStdString(builtEnglishModule().string())));
    for (const ProgramText& t : program_texts())
        EXPECT_FALSE(english.translate(t.context, t.text).isEmpty()) << t.context << ": " << t.text;
}

namespace {

struct TsMessage {
    QString context, source, translation;
    bool finished = true;
};

// The messages of a Qt .ts file; <byte value="xd"/> stands for a carriage return.
std::vector<TsMessage> readTs(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    std::vector<TsMessage> messages;
    QXmlStreamReader xml(&in);
    QString context;
    QString* text = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name"))
                context = xml.readElementText();
            else if (name == QLatin1String("message"))
                messages.push_back({context, {}, {}, true});
            else if (name == QLatin1String("source"))
                text = &messages.back().source;
            else if (name == QLatin1String("translation")) {
                text = &messages.back().translation;
                messages.back().finished =
                    xml.attributes().value(QLatin1String("type")) != QLatin1String("unfinished");
            } else if (name == QLatin1String("byte") && text)
                *text +=
                    QChar(xml.attributes().value(QLatin1String("value")).mid(1).toInt(nullptr, 16));
        } else if (xml.isCharacters() && text) {
            *text += xml.text();
        } else if (xml.isEndElement() && (xml.name() == QLatin1String("source") ||
                                          xml.name() == QLatin1String("translation"))) {
            text = nullptr;
        }
    }
    return messages;
}

QString leading(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    return s.left(i);
}

QString trailing(const QString& s) {
    qsizetype i = s.size();
    while (i > 0 && s.at(i - 1).isSpace())
        --i;
    return s.mid(i);
}

QStringList placeholders(const QString& s) {
    QStringList found;
    static const QRegularExpression pattern(QStringLiteral("%[0-9]"));
    for (const auto& match : pattern.globalMatch(s))
        found << match.captured();
    found.sort();
    return found;
}

} // namespace

// A translation keeps what the program joins or fills in: the blanks at both ends (a piece
// of a message meets a file name there), the line breaks and the %1 place-holders.
TEST(EnglishModule, EveryTranslationKeepsBlanksLineBreaksAndPlaceholders) {
    const auto messages =
        readTs(QStringLiteral(TALVEX2_SOURCE_DIR) + QStringLiteral("/translations/talvex2_en.ts"));
    ASSERT_FALSE(messages.empty());
    for (const TsMessage& m : messages) {
        const std::string where = m.context.toStdString() + ": " + m.source.toStdString();
        EXPECT_TRUE(m.finished) << where;
        EXPECT_FALSE(m.translation.isEmpty()) << where;
        EXPECT_EQ(leading(m.translation), leading(m.source)) << where;
        EXPECT_EQ(trailing(m.translation), trailing(m.source)) << where;
        EXPECT_EQ(m.translation.count(QLatin1Char('\n')), m.source.count(QLatin1Char('\n')))
            << where;
        EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << where;
    }
}
