// The "Communications" dialog: the port list from the system refreshed every second, a
// typed device path, the test open on OK, and the link settings written only when the
// chosen port opens.
#include "app/ini_file.h"
#include "app/panel_main.h"
#include "link/panel_comport.h"
#include "link/scripted_probe.h"
#include "support/test_support.h"
#include "support/widget_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

class CommunicationsDialog : public ::testing::Test {
  protected:
    CommunicationsDialog() {
        write_bytes(dir / "Talvex2.ini", crlf_lines({"[COMPORT]", "number=/dev/ttyS1",
                                                     "speed=19200", "[CONNEXION]", "type=0"}));
        session.settings = load_app_settings(dir.path(), dir.path());
        session.working.directory = dir.path();
        window = std::make_unique<TForm_Main>(session);
        dialog().setTransport(port, clock);
        dialog().systemPorts = [this] { return systemPorts; };
    }
    TForm_Port& dialog() { return *window->formPort(); }
    std::string settingsText() { return read_bytes(dir / "Talvex2.ini"); }
    void open() {
        window->action(QStringLiteral("Port"))->trigger();
        QCoreApplication::processEvents();
    }
    QStringList items() {
        QStringList names;
        for (int i = 0; i < dialog().ComboBox_Numeroport->count(); ++i)
            names << dialog().ComboBox_Numeroport->itemText(i);
        return names;
    }

    ScratchDir dir;
    Session session;
    std::unique_ptr<TForm_Main> window;
    VirtualClock clock;
    ScriptedProbe port{clock};
    QStringList systemPorts{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0"};
};

TEST_F(CommunicationsDialog, OpensOnTheSavedSettingsAndRefreshesThePortListEverySecond) {
    open();
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().windowTitle(), "Communications");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(items(), systemPorts);
    EXPECT_EQ(dialog().ComboBox_Numeroport->currentText(), "/dev/ttyS1");
    EXPECT_TRUE(dialog().directItem->isChecked());
    EXPECT_EQ(dialog().ComboBox_vitesseport->currentText(), "19200");
    EXPECT_EQ(dialog().ComboBox_vitesseport->count(), 16);
    // The modem tab itself waits for the GSM link; its controls follow the connection type.
    EXPECT_FALSE(dialog().GroupBoxGsm->isEnabledTo(dialog().GroupBoxGsm->parentWidget()));
    EXPECT_TRUE(dialog().TimerRefresh->isActive());
    EXPECT_EQ(dialog().TimerRefresh->interval(), 1000);

    // A USB adapter plugged in: the next refresh lists it, the choice is kept.
    systemPorts << "/dev/ttyUSB1";
    dialog().RefreshListePorts();
    EXPECT_EQ(items(), systemPorts);
    EXPECT_EQ(dialog().ComboBox_Numeroport->currentText(), "/dev/ttyS1");

    dialog().modemItem->setChecked(true);
    EXPECT_TRUE(dialog().GroupBoxGsm->isEnabledTo(dialog().GroupBoxGsm->parentWidget()));
    EXPECT_TRUE(dialog().CheckBoxGsm->isEnabledTo(dialog().CheckBoxGsm->parentWidget()));
}

TEST_F(CommunicationsDialog, TypedDevicePathSurvivesARefreshAndIsSavedWhenItOpens) {
    open();
    dialog().ComboBox_Numeroport->setEditText(QStringLiteral("/dev/pts/7"));
    systemPorts.removeAt(0);
    dialog().RefreshListePorts();
    EXPECT_EQ(dialog().ComboBox_Numeroport->currentText(), "/dev/pts/7");
    dialog().ComboBox_vitesseport->setCurrentText(QStringLiteral("9600"));

    dialog().OKButton->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(dialog().TimerRefresh->isActive());
    // The test open, closed at once.
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.closes, 2); // the first closes the port as the window is created
    EXPECT_FALSE(port.open);
    EXPECT_EQ(port.name(), "/dev/pts/7");
    EXPECT_EQ(session.settings.portName, "/dev/pts/7");
    IniFile ini(dir / "Talvex2.ini");
    EXPECT_EQ(ini.readString("COMPORT", "number", ""), "/dev/pts/7");
    EXPECT_EQ(ini.readString("COMPORT", "speed", ""), "9600");
    EXPECT_EQ(ini.readInteger("CONNEXION", "type", -1), 0);
    auto* mode = window->findChild<QLabel*>(QStringLiteral("LinkPanel"));
    EXPECT_EQ(mode->text(), QString::fromUtf8("MODE : RS232 (Câble)"));
}

TEST_F(CommunicationsDialog, PortThatDoesNotOpenKeepsTheDialogTheOldPortAndTheSettings) {
    open();
    const std::string before = settingsText();
    dialog().ComboBox_Numeroport->setCurrentIndex(2);
    port.failOpen = true;
    dialog().OKButton->click();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(settingsText(), before);
    EXPECT_EQ(session.settings.portName, "/dev/ttyS1");
    EXPECT_EQ(port.name(), "/dev/ttyS1");
    EXPECT_FALSE(port.open);
    EXPECT_FALSE(dialog().PortStatus->text().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CommunicationsDialog, NoPortAtAllTestsAnEmptyNameWhichFails) {
    systemPorts.clear();
    write_bytes(dir / "Talvex2.ini", crlf_lines({"[COMPORT]", "number=", "[CONNEXION]", "type=0"}));
    session.settings = load_app_settings(dir.path(), dir.path());
    open();
    EXPECT_EQ(dialog().ComboBox_Numeroport->count(), 0);
    const std::string before = settingsText();
    port.failOpen = true;
    dialog().OKButton->click();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(settingsText(), before);
}

struct Closing {
    const char* name;
    std::function<void(TForm_Port&)> close;
};
class CommunicationsClosing : public CommunicationsDialog,
                              public ::testing::WithParamInterface<Closing> {};

TEST_P(CommunicationsClosing, GivesTheMainWindowBackAndStopsTheRefreshWithNothingSaved) {
    open();
    const std::string before = settingsText();
    dialog().ComboBox_Numeroport->setCurrentIndex(0);
    GetParam().close(dialog());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(dialog().TimerRefresh->isActive());
    EXPECT_EQ(settingsText(), before);
    EXPECT_EQ(session.settings.portName, "/dev/ttyS1");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CommunicationsClosing,
    ::testing::Values(Closing{"annuler", [](TForm_Port& d) { d.CancelButton->click(); }},
                      Closing{"escape", [](TForm_Port& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
                      Closing{"title_bar", [](TForm_Port& d) { d.close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
