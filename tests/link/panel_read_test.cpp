// The probe menu's reading commands run from the main window against an in-process
// scripted probe on a virtual clock: "Complète", "Partielle" with its interval window,
// "Arrêt Sonde", Cancel, and faults that must leave the port, the cursors and the previous
// measurement as they were.
#include "app/panel_main.h"
#include "data/standard_header.h"
#include "display/panel_display.h"
#include "link/panel_comport.h"
#include "link/panel_interval.h"
#include "link/panel_read.h"
#include "link/scripted_probe.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

using namespace talvex;
using namespace talvex::testing;
using namespace std::chrono_literals;

namespace {


unsigned char bcd(int v) {
    return static_cast<unsigned char>((v / 10) * 16 + v % 10);
}

// Measure k of a probe at one measure an hour on 12/03/20 from 00:00, firmware 24.
std::string record(int k) {
    std::string r(25, '\0');
    r[0] = static_cast<char>(k >> 8);
    r[1] = static_cast<char>(k & 255);
    r[2] = static_cast<char>(bcd(12));
    r[3] = static_cast<char>(bcd(3));
    r[4] = static_cast<char>(bcd(20));
    r[6] = static_cast<char>(bcd(k - 1));
    r[8] = 0x0B; // temperature 3000 (0x000BB8)
    r[9] = static_cast<char>(0xB8);
    r[11] = 0x03; // pressure 1000 (0x0003E8)
    r[12] = static_cast<char>(0xE8);
    r[13] = static_cast<char>(150);
    r[16] = static_cast<char>(10 + k); // radon1
    r[22] = static_cast<char>(0x01);   // humidity
    return r;
}

// Every message box that shows is recorded and answered with `button` (OK, or the first
// button when there is no such button), so an unexpected box cannot hang a test.
struct BoxRecorder {
    struct Box {
        QString text;
        QMessageBox::Icon icon;
    };
    std::vector<Box> boxes;
    std::map<QString, QString> answers; // text start -> button
    QTimer timer;
    BoxRecorder() {
        timer.setInterval(2);
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start();
    }
    void poll() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            boxes.push_back({box->text(), box->icon()});
            QString wanted = QStringLiteral("OK");
            for (const auto& [start, button] : answers)
                if (box->text().startsWith(start))
                    wanted = button;
            for (QAbstractButton* b : box->buttons())
                if (b->text() == wanted) {
                    b->click();
                    return;
                }
            box->reject();
            return;
        }
    }
    QStringList texts() const {
        QStringList t;
        for (const Box& b : boxes)
            t << b.text;
        return t;
    }
};

class ProbeWindow : public ::testing::Test {
  protected:
    ProbeWindow() {
        session.settings = load_app_settings(dir.path(), dir.path());
        session.working.directory = dir.path();
        window = std::make_unique<TForm_Main>(session);
        attach(port, probe);
        window->formPort()->setTransport(port, clock);
        port.closes = 0; // the window makes sure the port starts closed
        clock.onPump = [this] {
            QCoreApplication::processEvents();
            if (duringReading && window->formRead()->isVisible())
                duringReading();
        };
        setMeasures(5);
    }

    void setMeasures(long n, const std::string& period = "60") {
        header = example_header("24", n);
        header.setValue(entry::Period, period);
        header.setValue(entry::LastMaintYear, "19");
        header.setValue(entry::LastMaintMonth, "6");
        header.setValue(entry::MaintInterval, "1");
        probe.rhReply = header_reply(header);
        probe.rfReply = "RF\r\n";
        for (int k = 1; k <= n; ++k)
            probe.rfReply += record(k) + LfCr;
    }

    // A measurement opened from a file, shown and saved.
    void openPreviousFile() {
        const fs::path file = dir / "previous.bm2";
        write_bytes(file, sample_header_text({{45, "2"}}) +
                              crlf_lines({"MESURES", "1 5/3/19 14:0 100 200 150 300 10 11 12 1 64 ",
                                          "2 5/3/19 15:0 101 201 151 301 13 14 15 0 0 "}));
        ASSERT_TRUE(window->OuvrirFichier(QString::fromStdString(file.string())));
        previous = session.current;
        previousHeader = read_bytes(session.working.header());
        previousMeasures = read_bytes(session.working.measure());
    }

    void run(const char* command) {
        window->action(QString::fromLatin1(command))->trigger();
        QCoreApplication::processEvents();
    }

    bool enabled(const char* name) {
        return window->action(QString::fromLatin1(name))->isEnabled();
    }

    // The window, the port and the cursors are back as they were before the command.
    void expectRestored() {
        EXPECT_FALSE(port.open);
        EXPECT_GE(port.closes, port.opens); // every open is closed again
        EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
        EXPECT_FALSE(window->formRead()->isVisible());
        EXPECT_NE(window->formRead()->cursor().shape(), Qt::WaitCursor);
        EXPECT_NE(window->formRead()->CancelButton->cursor().shape(), Qt::WaitCursor);
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    ScratchDir dir;
    Session session;
    std::unique_ptr<TForm_Main> window;
    VirtualClock clock;
    ScriptedProbe port{clock};
    ProbeBehaviour probe;
    ProbeHeader header;
    BoxRecorder boxes;
    std::function<void()> duringReading;
    std::shared_ptr<const Measurement> previous;
    std::string previousHeader, previousMeasures;
};

TEST_F(ProbeWindow, CompleteReadingShowsTheReadingWindowThenTheUnsavedMeasurement) {
    openPreviousFile();
    setMeasures(5);
    QString expected, notice;
    bool maxShown = true, searching = true;
    Qt::CursorShape cursor = Qt::ArrowCursor, cancelCursor = Qt::WaitCursor;
    duringReading = [&] {
        TForm_Read* r = window->formRead();
        expected = r->mesuresalire->text();
        notice = r->StaticText_Maint->text();
        maxShown = r->Label3->isVisible();
        searching = r->StaticText_Seek->isVisible();
        cursor = r->cursor().shape();
        cancelCursor = r->CancelButton->cursor().shape();
        EXPECT_FALSE(window->isEnabled());
    };
    run("Complete");

    EXPECT_EQ(boxes.texts(), QStringList{"Vérifiez que votre sonde est connectée..."});
    EXPECT_EQ(boxes.boxes[0].icon, QMessageBox::Information);
    EXPECT_EQ(port.sent, Esc + "SLIDRHRFSL");
    EXPECT_EQ(expected, "5");
    EXPECT_EQ(notice, "  Prochaine maintenance avant : juin 2020");
    EXPECT_FALSE(maxShown);
    EXPECT_FALSE(searching);
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(cancelCursor, Qt::ArrowCursor);
    EXPECT_EQ(window->formRead()->mesureslues->text(), "5");
    EXPECT_EQ(window->formRead()->Progressbar->value(), 100);

    ASSERT_NE(session.current, nullptr);
    EXPECT_NE(session.current, previous);
    EXPECT_EQ(session.current->size(), 5u);
    EXPECT_EQ(session.current->header.value(entry::MeasureCount), "5");
    EXPECT_FALSE(session.MeasuresSaved);
    for (const char* name : {"EnregistrerSous", "Affichage", "ActiviteVolumique", "Parametre"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_TRUE(window->displayOptions()->isVisible());
    EXPECT_FALSE(window->displayOptions()->CheckBoxFilter->isChecked());
    expectRestored();
}

struct NoticeLanguage {
    const char* language;
    const char* notice;
};
class MaintenanceNotice : public ProbeWindow,
                          public ::testing::WithParamInterface<NoticeLanguage> {};

TEST_P(MaintenanceNotice, NamesTheMonthInTheLanguageOfTheMenu) {
    session.settings.language = GetParam().language;
    QString notice;
    duringReading = [&] { notice = window->formRead()->StaticText_Maint->text(); };
    run("Complete");
    EXPECT_EQ(notice, QString::fromUtf8(GetParam().notice));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, MaintenanceNotice,
    ::testing::Values(NoticeLanguage{"francais", "  Prochaine maintenance avant : juin 2020"},
                      NoticeLanguage{"anglais", "  Prochaine maintenance avant : june 2020"}),
    [](const auto& info) { return std::string(info.param.language); });

TEST_F(ProbeWindow, AnsweringAnnulerToTheQuestionDoesNothing) {
    boxes.answers[QStringLiteral("Vérifiez")] = QStringLiteral("Annuler");
    run("Complete");
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(port.sent, "");
    EXPECT_EQ(port.opens, 0);
    EXPECT_TRUE(window->isEnabled());
}

struct TooFew {
    const char* name;
    long measures;
    const char* message;
};
class TooFewMeasuresWindow : public ProbeWindow, public ::testing::WithParamInterface<TooFew> {};

TEST_P(TooFewMeasuresWindow, WarnsAndReleasesTheProbeAfterATwoSecondPause) {
    setMeasures(GetParam().measures);
    Micros headerEnd{-1}, releasedAt{-1};
    auto wired = port.onWrite;
    port.onWrite = [&](const std::string& bytes) {
        if (bytes == "SL" && port.sent.find("RH") != std::string::npos)
            releasedAt = clock.time;
        wired(bytes);
    };
    BoxRecorder* recorder = &boxes;
    clock.onPump = [&] {
        QCoreApplication::processEvents();
        // The warning is answered at once: the pause starts when it is gone.
        if (headerEnd < Micros(0) && recorder->boxes.size() == 2)
            headerEnd = clock.time;
    };
    run("Complete");
    ASSERT_EQ(boxes.texts().size(), 2);
    EXPECT_EQ(boxes.boxes[1].text, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(boxes.boxes[1].icon, QMessageBox::Warning);
    EXPECT_EQ(port.sent, Esc + "SLIDRHSL");
    ASSERT_GE(headerEnd, Micros(0));
    EXPECT_GE(releasedAt - headerEnd, 1990ms);
    EXPECT_LT(releasedAt - headerEnd, 2100ms);
    EXPECT_EQ(session.current, nullptr);
    EXPECT_FALSE(enabled("EnregistrerSous"));
    expectRestored();
}

INSTANTIATE_TEST_SUITE_P(Reading, TooFewMeasuresWindow,
                         ::testing::Values(TooFew{"none", 0, "Il n'y a pas de mesures."},
                                           TooFew{"one", 1, "Il n'y a pas assez de mesures."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProbeWindow, CancelStopsTheDownloadWithoutShowingAnythingAndReleasesTheProbe) {
    openPreviousFile();
    setMeasures(40);
    probe.byteTime = 500us;
    bool clicked = false;
    duringReading = [&] {
        if (!clicked && window->formRead()->mesureslues->text() == "5") {
            clicked = true;
            window->formRead()->CancelButton->click();
            EXPECT_EQ(window->formRead()->CancelButton->cursor().shape(), Qt::WaitCursor);
        }
    };
    run("Complete");
    ASSERT_TRUE(clicked);
    EXPECT_EQ(boxes.texts().size(), 1); // the question only: a cancel is not an error
    EXPECT_THAT(port.sent, ::testing::EndsWith("RF" + Esc + "SL"));
    EXPECT_LT(window->formRead()->mesureslues->text().toInt(), 40);
    // Nothing calculated or shown; the file shown before was closed by the command.
    EXPECT_EQ(session.current, previous);
    EXPECT_TRUE(session.MeasuresSaved);
    for (const char* name : {"Affichage", "ActiviteVolumique", "Parametre"})
        EXPECT_FALSE(enabled(name)) << name;
    // The working files hold the cut reading now: they can no longer be saved as the file.
    EXPECT_FALSE(enabled("EnregistrerSous"));
    expectRestored();
}

TEST_F(ProbeWindow, EscapeOnTheReadingWindowIsItsCancel) {
    setMeasures(40);
    probe.byteTime = 500us;
    bool pressed = false;
    duringReading = [&] {
        if (!pressed && window->formRead()->mesureslues->text() == "3") {
            pressed = true;
            QTest::keyClick(window->formRead(), Qt::Key_Escape);
            EXPECT_TRUE(window->formRead()->isVisible());
        }
    };
    run("Complete");
    ASSERT_TRUE(pressed);
    EXPECT_THAT(port.sent, ::testing::EndsWith("RF" + Esc + "SL"));
    EXPECT_EQ(session.current, nullptr);
    expectRestored();
}

struct Fault {
    const char* name;
    const char* command;
    std::function<void(ProbeWindow&, ScriptedProbe&, ProbeBehaviour&)> setUp;
    const char* message;
    const char* sent;
};

class ReadingFault : public ProbeWindow, public ::testing::WithParamInterface<Fault> {};

TEST_P(ReadingFault, TellsItAndLeavesPortCursorsAndThePreviousMeasurementAsTheyWere) {
    openPreviousFile();
    GetParam().setUp(*this, port, probe);
    run(GetParam().command);
    ASSERT_EQ(boxes.boxes.size(), 2u) << boxes.texts().join("|").toStdString();
    EXPECT_EQ(boxes.boxes[1].text, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(boxes.boxes[1].icon, QMessageBox::Critical);
    EXPECT_EQ(port.sent, std::string(GetParam().sent));
    EXPECT_EQ(session.current, previous);
    EXPECT_EQ(read_bytes(session.working.header()), previousHeader);
    EXPECT_EQ(read_bytes(session.working.measure()), previousMeasures);
    // Nothing of the probe reached the working files: the shown file can still be saved.
    EXPECT_TRUE(enabled("EnregistrerSous"));
    EXPECT_FALSE(window->formInterval()->isVisible());
    expectRestored();
}

const std::string NoReplyText = "Pas de réponse.\nVérifiez que la sonde est connectée";

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadingFault,
    ::testing::Values(
        Fault{"complete_silent", "Complete",
              [](ProbeWindow&, ScriptedProbe&, ProbeBehaviour& b) { b.silent = true; },
              "Pas de réponse.\nVérifiez que la sonde est connectée", "\x1BSLIDIDID"},
        Fault{"partial_silent", "Partielle",
              [](ProbeWindow&, ScriptedProbe&, ProbeBehaviour& b) { b.silent = true; },
              "Pas de réponse.\nVérifiez que la sonde est connectée", "\x1BSLIDIDID"},
        Fault{"complete_wrong_identity", "Complete",
              [](ProbeWindow&, ScriptedProbe&, ProbeBehaviour& b) { b.idReply = "IDorvane\r\n"; },
              "Réponse incorrecte. Recommencer la", "\x1BSLIDIDID"},
        Fault{"complete_port_absent", "Complete",
              [](ProbeWindow&, ScriptedProbe& p, ProbeBehaviour&) { p.failOpen = true; },
              "Pas de réponse.\nVérifiez que la sonde est connectée", ""},
        Fault{"partial_port_absent", "Partielle",
              [](ProbeWindow&, ScriptedProbe& p, ProbeBehaviour&) { p.failOpen = true; },
              "Pas de réponse.\nVérifiez que la sonde est connectée", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProbeWindow, LineLostMidDownloadIsToldAndThePortClosed) {
    openPreviousFile();
    setMeasures(200);
    probe.byteTime = 500us;
    // After the header, about a third into the 200 records.
    port.failFrom = Micros(500 * static_cast<long>(probe.rhReply.size())) + 1s;
    run("Complete");
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_TRUE(boxes.boxes[1].text.startsWith("Erreur de communication avec la sonde :"))
        << boxes.boxes[1].text.toStdString();
    EXPECT_EQ(boxes.boxes[1].icon, QMessageBox::Critical);
    // The lines read before the failure stay in the working file.
    const std::string measures = read_bytes(session.working.measure());
    EXPECT_THAT(measures, ::testing::StartsWith("MESURES\r\n1 12/3/20 0:0 "));
    EXPECT_GT(std::count(measures.begin(), measures.end(), '\n'), 10);
    EXPECT_LT(std::count(measures.begin(), measures.end(), '\n'), 200);
    EXPECT_EQ(session.current, previous);
    EXPECT_FALSE(enabled("EnregistrerSous"));
    expectRestored();
}

TEST_F(ProbeWindow, UnsavedReadingIsOfferedForSavingBeforeANewReadingRewritesIt) {
    run("Complete");
    ASSERT_FALSE(session.MeasuresSaved);
    const auto first = session.current;
    boxes.answers[QStringLiteral("Les mesures en cours")] = QStringLiteral("Annuler");
    const std::string sentBefore = port.sent;
    run("Complete");
    ASSERT_EQ(boxes.texts().size(), 3);
    EXPECT_TRUE(boxes.texts()[2].startsWith("Les mesures en cours n'ont pas été sauvegardées."));
    EXPECT_EQ(port.sent, sentBefore);
    EXPECT_EQ(session.current, first);
    EXPECT_FALSE(session.MeasuresSaved);

    boxes.answers[QStringLiteral("Les mesures en cours")] = QStringLiteral("Non");
    run("Complete");
    EXPECT_NE(session.current, first);
    EXPECT_FALSE(session.MeasuresSaved);
}

// The probe of the partial reading: 100 measures of 60 minutes up to 12/03/20 10:30, so the
// first stored day is 08/03/20.
class PartialReading : public ProbeWindow {
  protected:
    PartialReading() {
        setMeasures(100);
        probe.rdReply = "\r\n12/03/20\r\n";
        probe.rtReply = "\r\n10:30\r\n";
        probe.riData = "1 12/3/20 8:0 1000 3000 150 256 11 0 0 0 0 " + LfCr +
                       "2 12/3/20 9:0 1000 3000 150 256 12 0 0 0 0 " + LfCr +
                       "3 12/3/20 10:0 1000 3000 150 256 13 0 0 0 0 " + LfCr + "E";
    }
    TForm_Interval& interval() { return *window->formInterval(); }
    void setDates(const char* start, const char* end) {
        interval().Edit_StartDate->setText(QString::fromLatin1(start));
        interval().Edit_EndDate->setText(QString::fromLatin1(end));
    }
};

TEST_F(PartialReading, OffersTheWidestRangeThenReadsTheChosenInterval) {
    run("Partielle");
    EXPECT_EQ(port.sent, Esc + "SLIDRHRDRTSL");
    EXPECT_FALSE(port.open);
    ASSERT_TRUE(interval().isVisible());
    EXPECT_EQ(interval().windowTitle(), "Lecture Partielle");
    EXPECT_EQ(interval().Edit_StartDate->text(), "08/03/20");
    EXPECT_EQ(interval().Edit_EndDate->text(), "12/03/20");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);

    setDates("12/03/20", "12/03/20");
    port.sent.clear();
    QString expected;
    bool maxShown = false, sawSearch = false;
    duringReading = [&] {
        expected = window->formRead()->mesuresalire->text();
        maxShown = maxShown || window->formRead()->Label3->isVisible();
        sawSearch = sawSearch || window->formRead()->ImageEyes->isVisible();
    };
    interval().OKButton->click();
    QCoreApplication::processEvents();

    EXPECT_EQ(port.sent, Esc + "SLIDRI120320120320SL");
    EXPECT_EQ(expected, "24"); // one day of hourly measures, an upper bound
    EXPECT_TRUE(maxShown);
    EXPECT_TRUE(sawSearch);
    EXPECT_EQ(window->formRead()->mesureslues->text(), "3");
    ASSERT_NE(session.current, nullptr);
    EXPECT_EQ(session.current->size(), 3u);
    EXPECT_FALSE(session.MeasuresSaved);
    EXPECT_TRUE(enabled("EnregistrerSous"));
    EXPECT_TRUE(window->displayOptions()->isVisible());
    EXPECT_FALSE(interval().isVisible());
    EXPECT_NE(interval().cursor().shape(), Qt::WaitCursor);
    EXPECT_NE(interval().OKButton->cursor().shape(), Qt::WaitCursor);
    expectRestored();
}

TEST_F(PartialReading, CancelWhileTheProbeSearchesSendsEscAndLoadsNothing) {
    probe.search = 30s;
    run("Partielle");
    setDates("10/03/20", "12/03/20");
    port.sent.clear();
    bool clicked = false;
    duringReading = [&] {
        if (!clicked && window->formRead()->ImageEyes->isVisible()) {
            EXPECT_TRUE(window->formRead()->StaticText_Seek->isVisible());
            EXPECT_FALSE(window->formRead()->StaticText_Msg->isVisible());
            clicked = true;
            window->formRead()->CancelButton->click();
        }
    };
    interval().OKButton->click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(clicked);
    EXPECT_EQ(port.sent, Esc + "SLIDRI100320120320" + Esc + "SL");
    EXPECT_EQ(boxes.texts().size(), 1); // the question only
    EXPECT_EQ(session.current, nullptr);
    EXPECT_EQ(window->formRead()->mesureslues->text(), "0");
    EXPECT_FALSE(interval().isVisible());
    EXPECT_FALSE(enabled("EnregistrerSous"));
    expectRestored();
}

struct Range {
    const char* name;
    const char* start;
    const char* end;
};
class RefusedInterval : public PartialReading, public ::testing::WithParamInterface<Range> {};

TEST_P(RefusedInterval, IsToldAndTheFieldsGoBackToTheWidestRangeWithNothingSent) {
    run("Partielle");
    ASSERT_TRUE(interval().isVisible());
    setDates(GetParam().start, GetParam().end);
    port.sent.clear();
    interval().OKButton->click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, "L'intervalle de temps spécifié est incorrect");
    EXPECT_EQ(boxes.boxes[1].icon, QMessageBox::Warning);
    EXPECT_EQ(port.sent, "");
    EXPECT_TRUE(interval().isVisible());
    EXPECT_EQ(interval().Edit_StartDate->text(), "08/03/20");
    EXPECT_EQ(interval().Edit_EndDate->text(), "12/03/20");
}

INSTANTIATE_TEST_SUITE_P(Ranges, RefusedInterval,
                         ::testing::Values(Range{"before_first_day", "07/03/20", "12/03/20"},
                                           Range{"after_probe_clock", "08/03/20", "13/03/20"},
                                           Range{"start_after_end", "11/03/20", "10/03/20"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PartialReading, ImpossibleDateIsRefusedWithNothingSent) {
    run("Partielle");
    setDates("31/02/20", "12/03/20");
    port.sent.clear();
    interval().OKButton->click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].icon, QMessageBox::Critical);
    EXPECT_EQ(port.sent, "");
    EXPECT_TRUE(interval().isVisible());
}

TEST_F(PartialReading, ProbeGoneAtOkKeepsTheIntervalWindowForAnotherTry) {
    run("Partielle");
    setDates("10/03/20", "12/03/20");
    probe.silent = true;
    interval().OKButton->click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text.toStdString(), NoReplyText);
    EXPECT_TRUE(interval().isVisible());
    EXPECT_NE(interval().cursor().shape(), Qt::WaitCursor);
    EXPECT_NE(interval().OKButton->cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(port.open);
    EXPECT_FALSE(window->isEnabled()); // the interval window is still the one in use
    interval().CancelButton->click();
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(PartialReading, EscapeClosesTheIntervalWindowAndGivesTheMainWindowBack) {
    run("Partielle");
    ASSERT_TRUE(interval().isVisible());
    QTest::keyClick(&interval(), Qt::Key_Escape);
    EXPECT_FALSE(interval().isVisible());
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(PartialReading, PeriodThatIsNotANumberEndsTheCommandCleanly) {
    setMeasures(100, "1.5");
    run("Partielle");
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_TRUE(boxes.boxes[1].text.startsWith(
        "La période d'acquisition de la sonde n'est pas utilisable :"));
    EXPECT_FALSE(interval().isVisible());
    EXPECT_EQ(port.sent, Esc + "SLIDRHSL");
    expectRestored();
}

struct StopCase {
    const char* name;
    std::string reply;
    bool silent;
    const char* message;
    QMessageBox::Icon icon;
    const char* sent;
};
class StopProbe : public ProbeWindow, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopProbe, AsksNothingAndTellsTheOutcomeWithoutReleasingTheProbe) {
    probe.ssReply = GetParam().reply;
    probe.silent = GetParam().silent;
    run("ArretSonde");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(boxes.boxes[0].icon, GetParam().icon);
    EXPECT_EQ(port.sent, std::string(GetParam().sent));
    expectRestored();
}

INSTANTIATE_TEST_SUITE_P(
    Replies, StopProbe,
    ::testing::Values(StopCase{"confirmed", "SS", false,
                               "La sonde a été arrêtée.\nVous pouvez la déconnecter.",
                               QMessageBox::Information, "\x1BSLIDSS"},
                      StopCase{"other_reply", "XX", false,
                               "La sonde n'a pas confirmé son arrêt.\nRecommencez la commande.",
                               QMessageBox::Critical, "\x1BSLIDSS"},
                      StopCase{"silent", "SS", true,
                               "Pas de réponse.\nVérifiez que la sonde est connectée",
                               QMessageBox::Critical, "\x1BSLIDIDID"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProbeWindow, LineLostDuringStopEndsWithoutAMessage) {
    port.failOpen = true;
    run("ArretSonde");
    EXPECT_TRUE(boxes.boxes.empty());
    expectRestored();
}

struct ComStatus {
    const char* name;
    int connectionType;
    bool online;
    const char* mode;
    const char* status;
    bool lecture, arret, port;
};
class LinkStatus : public ProbeWindow, public ::testing::WithParamInterface<ComStatus> {};

TEST_P(LinkStatus, PanelsAndProbeMenuFollowTheLink) {
    session.settings.ConnectionType = GetParam().connectionType;
    session.GsmOnline = GetParam().online;
    window->UpdateComStatus();
    auto* mode = window->findChild<QLabel*>(QStringLiteral("LinkPanel"));
    auto* status = window->findChild<QLabel*>(QStringLiteral("ProbePanel"));
    ASSERT_TRUE(mode && status);
    EXPECT_EQ(mode->text(), QString::fromUtf8(GetParam().mode));
    EXPECT_EQ(status->text(), QString::fromUtf8(GetParam().status));
    auto* lecture = window->findChild<QMenu*>(QStringLiteral("Lecture"));
    ASSERT_NE(lecture, nullptr);
    EXPECT_EQ(lecture->menuAction()->isEnabled(), GetParam().lecture);
    EXPECT_EQ(enabled("ArretSonde"), GetParam().arret);
    EXPECT_EQ(enabled("Port"), GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkStatus,
    ::testing::Values(
        ComStatus{"cable", 0, false, "MODE : RS232 (Câble)", "", true, true, true},
        ComStatus{"modem_offline", 1, false, "MODE : Modem (GSM)", "Offline", false, false, true},
        ComStatus{"modem_online", 1, true, "MODE : Modem (GSM)", "Online", true, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
