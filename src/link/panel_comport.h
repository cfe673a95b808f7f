// The "Communications" window: the link's serial port and clock (every probe command goes
// through link()), and the dialog that chooses the connection type, the port and the
// speed, tests the port and saves the link settings.
#pragma once

#include "app/session.h"
#include "link/probe_link.h"
#include "link/qt_serial_port.h"

#include <QDialog>
#include <memory>

class QButtonGroup;
class QComboBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace talvex {

class TForm_Port : public QDialog {
    Q_OBJECT
  public:
    TForm_Port(Session& session, QWidget* mainWindow);

    // The probe link, set up for an exchange with the saved port and connection type.
    ProbeLink& link();
    // The error texts of the link in the language in force.
    LinkMessages linkMessages() const;
    SerialPort& serialCom() { return *port_; }
    // Puts another port and clock under the link (a scripted probe on a virtual clock in
    // the window tests); the Qt serial port and the event loop otherwise.
    void setTransport(SerialPort& port, LinkClock& clock);

    // Opens the dialog (main menu "Communications").
    void PortClick();
    void RefreshListePorts();
    void OKButtonClick();
    void CancelButtonClick() { close(); }
    void LMDRadioGroupChange();
    void retranslate();

    // Called after the settings are saved, to refresh the main window's link status.
    std::function<void()> onSaved;
    // Where the port list comes from (the system's serial ports); replaceable in tests.
    std::function<QStringList()> systemPorts;

    QRadioButton* directItem = nullptr;
    QRadioButton* modemItem = nullptr;
    QComboBox* ComboBox_Numeroport = nullptr;
    QComboBox* ComboBox_vitesseport = nullptr;
    QGroupBox* GroupBoxGsm = nullptr;
    QLineEdit* Edit_ModemIniString = nullptr;
    QCheckBox* CheckBoxGsm = nullptr;
    QLineEdit* EditGsmStandard = nullptr;
    QLabel* PortStatus = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QTimer* TimerRefresh = nullptr;

  protected:
    void changeEvent(QEvent* event) override;
    // Hidden by OK, Annuler, the title bar or Escape: the refresh stops and the main
    // window is usable again.
    void hideEvent(QHideEvent* event) override;

  private:
    Session& session_;
    QWidget* mainWindow_;
    QtSerialPort SerialCom;
    QtLinkClock qtClock_;
    SerialPort* port_ = &SerialCom;
    std::unique_ptr<ProbeLink> link_;
    QTabWidget* tabs_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QLabel* iniLabel_ = nullptr;
    QLabel* prefixLabel_ = nullptr;
    QGroupBox* typeGroup_ = nullptr;
    QPushButton* iniDefault_ = nullptr;
    QPushButton* iniTest_ = nullptr;
    QWidget* devicesTab_ = nullptr;
};

} // namespace talvex
