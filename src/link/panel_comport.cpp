#include "link/panel_comport.h"

#include "app/ini_file.h"
#include "app/qt_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace talvex {

TForm_Port::TForm_Port(Session& session, QWidget* mainWindow)
    : QDialog(nullptr), session_(session), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form_Port"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);

    auto* portTab = new QWidget(tabs_);
    auto* portLayout = new QVBoxLayout(portTab);
    typeGroup_ = new QGroupBox(portTab);
    auto* typeLayout = new QVBoxLayout(typeGroup_);
    directItem = new QRadioButton(typeGroup_);
    modemItem = new QRadioButton(typeGroup_);
    directItem->setObjectName(QStringLiteral("LMDRadioGroup_0"));
    modemItem->setObjectName(QStringLiteral("LMDRadioGroup_1"));
    typeLayout->addWidget(directItem);
    typeLayout->addWidget(modemItem);
    portLayout->addWidget(typeGroup_);
    auto* form = new QFormLayout;
    ComboBox_Numeroport = new QComboBox(portTab);
    ComboBox_Numeroport->setObjectName(QStringLiteral("ComboBox_Numeroport"));
    // A device path can be typed too: a USB adapter not listed yet, a pseudo-terminal.
    ComboBox_Numeroport->setEditable(true);
    ComboBox_Numeroport->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_Numeroport->setMinimumWidth(220);
    ComboBox_vitesseport = new QComboBox(portTab);
    ComboBox_vitesseport->setObjectName(QStringLiteral("ComboBox_vitesseport"));
    for (const char* speed :
         {"Custom", "110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400",
          "56000", "57600", "115200", "128000", "256000"})
        ComboBox_vitesseport->addItem(QString::fromLatin1(speed));
    ComboBox_vitesseport->setCurrentText(QStringLiteral("19200"));
    portLabel_ = new QLabel(portTab);
    speedLabel_ = new QLabel(portTab);
    form->addRow(portLabel_, ComboBox_Numeroport);
    form->addRow(speedLabel_, ComboBox_vitesseport);
    portLayout->addLayout(form);
    PortStatus = new QLabel(portTab);
    PortStatus->setObjectName(QStringLiteral("PortStatus"));
    PortStatus->setStyleSheet(QStringLiteral("color: #b00000"));
    PortStatus->setWordWrap(true);
    portLayout->addWidget(PortStatus);
    portLayout->addStretch(1);
    tabs_->addTab(portTab, QString());

    // The modem tab and the device directory come with the GSM link; shown, not usable yet.
    auto* modemTab = new QWidget(tabs_);
    auto* modemLayout = new QVBoxLayout(modemTab);
    GroupBoxGsm = new QGroupBox(modemTab);
    GroupBoxGsm->setObjectName(QStringLiteral("GroupBoxGsm"));
    auto* gsmLayout = new QHBoxLayout(GroupBoxGsm);
    Edit_ModemIniString = new QLineEdit(GroupBoxGsm);
    Edit_ModemIniString->setObjectName(QStringLiteral("Edit_ModemIniString"));
    iniDefault_ = new QPushButton(GroupBoxGsm);
    iniTest_ = new QPushButton(GroupBoxGsm);
    gsmLayout->addWidget(Edit_ModemIniString, 1);
    gsmLayout->addWidget(iniDefault_);
    gsmLayout->addWidget(iniTest_);
    modemLayout->addWidget(GroupBoxGsm);
    auto* prefixRow = new QHBoxLayout;
    CheckBoxGsm = new QCheckBox(modemTab);
    CheckBoxGsm->setObjectName(QStringLiteral("CheckBoxGsm"));
    EditGsmStandard = new QLineEdit(modemTab);
    EditGsmStandard->setObjectName(QStringLiteral("EditGsmStandard"));
    EditGsmStandard->setMaximumWidth(40);
    prefixRow->addWidget(CheckBoxGsm);
    prefixRow->addWidget(EditGsmStandard);
    prefixRow->addStretch(1);
    modemLayout->addLayout(prefixRow);
    modemLayout->addStretch(1);
    tabs_->addTab(modemTab, QString());
    devicesTab_ = new QWidget(tabs_);
    tabs_->addTab(devicesTab_, QString());
    tabs_->setTabEnabled(1, false);
    tabs_->setTabEnabled(2, false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);

    TimerRefresh = new QTimer(this);
    TimerRefresh->setInterval(1000);
    connect(TimerRefresh, &QTimer::timeout, this, &TForm_Port::RefreshListePorts);
    connect(OKButton, &QPushButton::clicked, this, &TForm_Port::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TForm_Port::CancelButtonClick);
    connect(directItem, &QRadioButton::toggled, this, &TForm_Port::LMDRadioGroupChange);

    systemPorts = [] {
        QStringList names;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            names << info.systemLocation();
        return names;
    };

    setTransport(SerialCom, qtClock_);
    retranslate();
}

void TForm_Port::setTransport(SerialPort& port, LinkClock& clock) {
    port_ = &port;
    link_ = std::make_unique<ProbeLink>(port, clock);
    // FormCreate: the port's read time-outs, its saved name, and closed.
    port_->SetTimeOuts(ReadTimeOuts::fromMilliseconds(link_timing::PortTimeOut));
    port_->setName(session_.settings.portName);
    port_->Close();
}

void TForm_Port::retranslate() {
    setWindowTitle(tr("Communications"));
    tabs_->setTabText(0, tr("Port"));
    tabs_->setTabText(1, tr("Modem Local"));
    tabs_->setTabText(2, tr(" Liste des Appareils"));
    typeGroup_->setTitle(tr("Type de connexion"));
    directItem->setText(tr("Directe (câble)"));
    modemItem->setText(tr("Par Modem GSM"));
    portLabel_->setText(tr("Port"));
    speedLabel_->setText(tr("Vitesse"));
    GroupBoxGsm->setTitle(tr("Chaîne d'initialisation"));
    iniDefault_->setText(tr("Défaut"));
    iniTest_->setText(tr("Test"));
    CheckBoxGsm->setText(tr("Préfixe"));
    OKButton->setText(tr("OK"));
    CancelButton->setText(tr("Annuler"));
}

LinkMessages TForm_Port::linkMessages() const {
    LinkMessages m;
    m.noReply = tr("Pas de réponse.\n\rVérifiez que la sonde est connectée").toStdString();
    m.wrongReply = tr("Réponse incorrecte. Recommencer la").toStdString();
    return m;
}

ProbeLink& TForm_Port::link() {
    if (!port_->isOpen())
        port_->setName(session_.settings.portName);
    link_->ConnectionType = session_.settings.ConnectionType;
    return *link_;
}

void TForm_Port::RefreshListePorts() {
    const QStringList names = systemPorts ? systemPorts() : QStringList();
    QStringList items;
    for (int i = 0; i < ComboBox_Numeroport->count(); ++i)
        items << ComboBox_Numeroport->itemText(i);
    if (names == items)
        return;
    // A path the user is typing is not in the system's list: it stays in the field.
    const QString typed = ComboBox_Numeroport->currentText();
    ComboBox_Numeroport->clear();
    ComboBox_Numeroport->addItems(names);
    const int current = names.indexOf(QString::fromStdString(port_->name()));
    ComboBox_Numeroport->setCurrentIndex(current);
    if (!typed.isEmpty() && names.indexOf(typed) < 0)
        ComboBox_Numeroport->setEditText(typed);
}

void TForm_Port::LMDRadioGroupChange() {
    const bool modem = modemItem->isChecked();
    GroupBoxGsm->setEnabled(modem);
    CheckBoxGsm->setEnabled(modem);
    EditGsmStandard->setEnabled(modem);
}

void TForm_Port::PortClick() {
    TimerRefresh->start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const AppSettings& s = session_.settings;
    port_->setName(s.portName);
    RefreshListePorts();
    (s.ConnectionType == 1 ? modemItem : directItem)->setChecked(true);
    LMDRadioGroupChange();
    const QString saved = QString::fromStdString(s.portName);
    const int index = ComboBox_Numeroport->findText(saved);
    if (index >= 0)
        ComboBox_Numeroport->setCurrentIndex(index);
    else
        ComboBox_Numeroport->setEditText(saved);
    ComboBox_vitesseport->setCurrentText(QString::fromStdString(s.portSpeed));
    Edit_ModemIniString->setText(QString::fromStdString(s.modemIniString));
    CheckBoxGsm->setChecked(s.modemStandard);
    EditGsmStandard->setText(QString::fromStdString(s.modemIndic));
    PortStatus->clear();
    show();
    raise();
    QApplication::restoreOverrideCursor();
    if (mainWindow_)
        mainWindow_->setEnabled(false);
    setEnabled(true);
}

void TForm_Port::OKButtonClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string chosen = ComboBox_Numeroport->currentText().trimmed().toStdString();
    try {
        port_->setName(chosen);
        port_->Open();
        port_->Close();
    } catch (const EComError& error) {
        // Nothing is saved and the dialog stays open on the old port.
        port_->Close();
        port_->setName(session_.settings.portName);
        PortStatus->setText(fromProgramText(std::string(error.what())));
        QApplication::restoreOverrideCursor();
        return;
    }
    AppSettings& s = session_.settings;
    s.ConnectionType = modemItem->isChecked() ? 1 : 0;
    s.portName = chosen;
    s.portSpeed = ComboBox_vitesseport->currentText().toStdString();
    s.modemIniString = Edit_ModemIniString->text().toStdString();
    s.modemStandard = CheckBoxGsm->isChecked();
    s.modemIndic = EditGsmStandard->text().toStdString();
    try {
        IniFile ini(s.settingsFile());
        ini.writeInteger("CONNEXION", "type", s.ConnectionType);
        ini.writeString("COMPORT", "number", s.portName);
        ini.writeString("COMPORT", "speed", s.portSpeed);
        ini.writeString("MODEM", "IniString", s.modemIniString);
        ini.writeBool("MODEM", "Standard", s.modemStandard);
        ini.writeString("MODEM", "Indic", s.modemIndic);
        ini.save();
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        showError(this, fromProgramText(std::string(error.what())));
        return;
    }
    port_->setName(s.portName);
    QApplication::restoreOverrideCursor();
    if (onSaved)
        onSaved();
    close();
}

void TForm_Port::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        TimerRefresh->stop();
        if (mainWindow_)
            mainWindow_->setEnabled(true);
    }
    QDialog::hideEvent(event);
}

void TForm_Port::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

} // namespace talvex
