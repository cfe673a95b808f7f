#include "app/panel_main.h"

#include "app/ini_file.h"
#include "app/qt_messages.h"
#include "data/conversion_error.h"
#include "data/panel_conversion.h"
#include "data/panel_convert.h"
#include "data/panel_fusion.h"
#include "display/calculation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace talvex {

namespace {
QString programTitle() { return QString::fromUtf8(ProgramTitle); }
} // namespace

TForm_Main::TForm_Main(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setObjectName(QStringLiteral("Form_Main"));
    resize(1100, 760);
    chartArea_ = new QWidget(this);
    chartArea_->setObjectName(QStringLiteral("ChartArea"));
    new QVBoxLayout(chartArea_);
    setCentralWidget(chartArea_);

    linkPanel_ = new QLabel(this);
    linkPanel_->setObjectName(QStringLiteral("LinkPanel"));
    probePanel_ = new QLabel(this);
    probePanel_->setObjectName(QStringLiteral("ProbePanel"));
    statusBar()->addWidget(linkPanel_, 1);
    statusBar()->addWidget(probePanel_, 2);

    buildMenus();
    retranslate();
    setStartState();
    UpdateMeasureStrings();
    UpdateHeaderStrings();
    UpdateComStatus();
    setAcceptDrops(true);
}

QAction* TForm_Main::addAction(QMenu* menu, const char* name) {
    auto* a = menu->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* TForm_Main::addMenu(QMenu* parent, const char* name) {
    QMenu* m = parent->addMenu(QString());
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* TForm_Main::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void TForm_Main::buildMenus() {
    QMenuBar* bar = menuBar();
    menuFichier_ = bar->addMenu(QString());
    menuFichier_->setObjectName(QStringLiteral("Fichier"));
    addAction(menuFichier_, "RepertoireparDefaut");
    menuLangue_ = addMenu(menuFichier_, "Langue");
    QAction* anglais = addAction(menuLangue_, "Anglais");
    QAction* francais = addAction(menuLangue_, "Francais");
    anglais->setCheckable(true);
    francais->setCheckable(true);
    anglais->setData(2057);
    francais->setData(1036);
    menuFichier_->addSeparator();
    addAction(menuFichier_, "Ouvrir");
    addAction(menuFichier_, "Fermer");
    addAction(menuFichier_, "EnregistrerSous");
    addAction(menuFichier_, "Imprimer");
    menuFichier_->addSeparator();
    addAction(menuFichier_, "Exporter");
    menuConvertir_ = addMenu(menuFichier_, "Convertir");
    addAction(menuConvertir_, "ValeursCalculees");
    addAction(menuConvertir_, "ValeursBrutes");
    menuConvertir_->menuAction()->setVisible(false);
    addAction(menuFichier_, "Fusion");
    menuFichier_->addSeparator();
    addAction(menuFichier_, "Quitter");

    menuSonde_ = bar->addMenu(QString());
    menuSonde_->setObjectName(QStringLiteral("Sonde"));
    addAction(menuSonde_, "Connexion");
    menuSonde_->addSeparator();
    menuLecture_ = addMenu(menuSonde_, "Lecture");
    addAction(menuLecture_, "Partielle");
    addAction(menuLecture_, "Complete");
    menuSonde_->addSeparator();
    addAction(menuSonde_, "Initialisation");
    addAction(menuSonde_, "Parametrage");
    addAction(menuSonde_, "ArretSonde");
    menuSonde_->addSeparator();
    addAction(menuSonde_, "Port");

    menuAffichage_ = bar->addAction(QString());
    menuAffichage_->setObjectName(QStringLiteral("Affichage"));
    menuActivite_ = bar->addAction(QString());
    menuActivite_->setObjectName(QStringLiteral("ActiviteVolumique"));
    menuParametre_ = bar->addAction(QString());
    menuParametre_->setObjectName(QStringLiteral("Parametre"));
    menuMaintenance_ = bar->addAction(QString());
    menuMaintenance_->setObjectName(QStringLiteral("Identification"));
    menuAide_ = bar->addMenu(QString());
    menuAide_->setObjectName(QStringLiteral("Aide"));
    addAction(menuAide_, "AProposde");

    connect(action("Ouvrir"), &QAction::triggered, this, &TForm_Main::OuvrirClick);
    connect(action("Fermer"), &QAction::triggered, this, &TForm_Main::FermerClick);
    connect(action("EnregistrerSous"), &QAction::triggered, this,
            &TForm_Main::EnregistrerSousClick);
    connect(action("Quitter"), &QAction::triggered, this, &TForm_Main::QuitterClick);
    connect(action("AProposde"), &QAction::triggered, this, &TForm_Main::AProposdeClick);
    connect(action("Exporter"), &QAction::triggered, this, &TForm_Main::ExporterClick);
    connect(action("ValeursCalculees"), &QAction::triggered, this,
            &TForm_Main::ValeursCalculeesClick);
    connect(action("ValeursBrutes"), &QAction::triggered, this, &TForm_Main::ValeursBrutesClick);
    connect(action("Fusion"), &QAction::triggered, this, &TForm_Main::FusionClick);

    // Top-level windows of their own (a child window would be disabled with this one); they
    // live as long as the main window.
    auto fermer = [this] { FermerSession(); };
    conversion_ = new TForm_Conversion(session_, this, fermer);
    convert_ = new TForm_Convert(session_, this, fermer);
    fusion_ = new TForm_Fusion(session_, this, fermer);
    for (QWidget* w : std::initializer_list<QWidget*>{conversion_, convert_, fusion_})
        connect(this, &QObject::destroyed, w, [w] { delete w; });
}

void TForm_Main::retranslate() {
    menuFichier_->setTitle(tr(" Fichier "));
    action("RepertoireparDefaut")->setText(tr("Répertoire par Défaut"));
    menuLangue_->setTitle(tr("Langue"));
    action("Anglais")->setText(tr("Anglais"));
    action("Francais")->setText(tr("Francais"));
    action("Ouvrir")->setText(tr("Ouvrir"));
    action("Fermer")->setText(tr("Fermer"));
    action("EnregistrerSous")->setText(tr("Enregistrer Sous"));
    action("Imprimer")->setText(tr("Imprimer"));
    action("Exporter")->setText(tr("Conversion"));
    menuConvertir_->setTitle(tr("Conversion"));
    action("ValeursCalculees")->setText(tr("Valeurs Calculées"));
    action("ValeursBrutes")->setText(tr("Valeurs Brutes"));
    action("Fusion")->setText(tr("Fusion"));
    action("Quitter")->setText(tr("Quitter"));
    menuSonde_->setTitle(tr(" Sonde "));
    action("Connexion")->setText(tr("Connexion"));
    menuLecture_->setTitle(tr("Lecture"));
    action("Partielle")->setText(tr("Partielle"));
    action("Complete")->setText(tr("Complète"));
    action("Initialisation")->setText(tr("Initialisation"));
    action("Parametrage")->setText(tr("Paramétrage"));
    action("ArretSonde")->setText(tr("Arrêt Sonde"));
    action("Port")->setText(tr("Communications"));
    menuAffichage_->setText(tr(" Affichage "));
    menuActivite_->setText(tr(" Activité Volumique "));
    menuParametre_->setText(tr(" Paramètres "));
    menuMaintenance_->setText(tr(" Maintenance "));
    menuAide_->setTitle(tr("      ?      "));
    action("AProposde")->setText(tr("A Propos de ..."));
}

void TForm_Main::setStartState() {
    setWindowTitle(programTitle());
    for (const char* name : {"EnregistrerSous", "Imprimer", "Parametrage", "Affichage",
                             "ActiviteVolumique", "Parametre"})
        action(QString::fromLatin1(name))->setEnabled(false);
    // Commands whose windows are not part of this build yet stay visible but inert.
    for (const char* name : {"RepertoireparDefaut", "Connexion", "Partielle", "Complete",
                             "Initialisation", "ArretSonde", "Port", "Identification"})
        action(QString::fromLatin1(name))->setEnabled(false);
    const bool english = session_.settings.english();
    action("Anglais")->setChecked(english);
    action("Francais")->setChecked(!english);
    action("Anglais")->setEnabled(false);
    action("Francais")->setEnabled(false);
}

void TForm_Main::UpdateMeasureStrings() {
    const MeasureNameTable& french = french_measure_names();
    for (int i = 0; i < MeasureNameCount; ++i)
        session_.MeasureNames[static_cast<size_t>(i)] =
            QCoreApplication::translate("MeasureNames", french[static_cast<size_t>(i)].c_str())
                .toStdString();
}

void TForm_Main::UpdateHeaderStrings() {
    const HeaderLabelTable& french = french_header_labels();
    for (int i = 0; i < HeaderLabelCount; ++i)
        session_.HeaderLabels[static_cast<size_t>(i)] =
            QCoreApplication::translate("HeaderLabels", french[static_cast<size_t>(i)].c_str())
                .toStdString();
}

void TForm_Main::UpdateComStatus() {
    const AppSettings& s = session_.settings;
    linkPanel_->setText(s.ConnectionType == 1 ? tr("Liaison : Modem GSM")
                                              : tr("Liaison : Câble RS232"));
    probePanel_->setText(tr("Port : %1").arg(QString::fromStdString(s.portName)));
}

void TForm_Main::setCommandLineFile(const QString& file) {
    commandLineFile_ = file;
    openAtFirstActivation_ = true;
}

void TForm_Main::FormActivate() {
    if (openAtFirstActivation_ && !commandLineFile_.isEmpty()) {
        openAtFirstActivation_ = false;
        OuvrirFichier(commandLineFile_);
    }
}

void TForm_Main::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without a window manager (a kiosk session, a virtual display) the window may never be
    // activated: the first turn of the event loop after showing counts as the activation.
    QTimer::singleShot(0, this, &TForm_Main::FormActivate);
}

bool TForm_Main::OuvrirFichier(const QString& file) {
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        LoadedFile loaded = load_bm2_in_memory(file.toStdString());
        // Calculated before anything is replaced: a failure leaves the shown file as it was.
        Calcul(loaded.measurement,
               read_sensor_mask(session_.settingsFile(), loaded.measurement.header));
        commit_working_files(loaded.texts, session_.working);
        QApplication::restoreOverrideCursor();
        showLoadedMeasurement(std::make_shared<Measurement>(std::move(loaded.measurement)), file);
        session_.MeasuresSaved = true;
        if (loaded.report.continuityError)
            showWarning(this, tr("Erreur de continuité. Recommencer la lecture."));
        return true;
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }
}

bool TForm_Main::loadWorkingFiles(bool fromProbe) {
    try {
        auto measurement = std::make_shared<Measurement>();
        measurement->header = Load_Probe_Param(session_.working.header());
        const MeasureLoadReport report = Load_Probe_Measures(session_.working.measure(), *measurement);
        Calcul(*measurement, read_sensor_mask(session_.settingsFile(), measurement->header));
        showLoadedMeasurement(std::move(measurement), QString());
        session_.MeasuresSaved = !fromProbe;
        if (report.continuityError)
            showWarning(this, tr("Erreur de continuité. Recommencer la lecture."));
        return true;
    } catch (const std::exception& error) {
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }
}

void TForm_Main::showLoadedMeasurement(std::shared_ptr<Measurement> measurement,
                                       const QString& title) {
    session_.current = std::move(measurement);
    session_.currentFile = title.toStdString();
    setWindowTitle(title.isEmpty() ? programTitle() : programTitle() + QStringLiteral(" - ") + title);
    action("EnregistrerSous")->setEnabled(true);
}

void TForm_Main::FermerSession() {
    for (const char* name : {"Parametre", "Affichage", "ActiviteVolumique", "Imprimer"})
        action(QString::fromLatin1(name))->setEnabled(false);
    for (QWidget* chart : chartArea_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        chart->hide();
    setWindowTitle(programTitle());
    session_.MeasuresSaved = true;
}

bool TForm_Main::Save_bm2file() {
    IniFile settings(session_.settingsFile());
    const QString folder = QString::fromStdString(
        settings.readString("DIRECTORY", "savebm2dir", session_.settings.DefaultDirectory));
    QFileDialog dialog(this, tr("Enregistrer Sous"), folder, tr("Fichiers mesures (*.bm2)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bm2"));
    dialog.selectFile(QStringLiteral("data.bm2"));
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString chosen = dialog.selectedFiles().constFirst();
    try {
        settings.writeString("DIRECTORY", "savebm2dir",
                             QFileInfo(chosen).absolutePath().toStdString());
        settings.save();
        write_bm2_file(chosen.toStdString(), session_.working.header(), session_.working.measure());
    } catch (const std::exception& error) {
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }
    setWindowTitle(programTitle() + QStringLiteral(" - ") + chosen);
    session_.currentFile = chosen.toStdString();
    session_.MeasuresSaved = true;
    return true;
}

void TForm_Main::OuvrirClick() {
    IniFile settings(session_.settingsFile());
    const QString folder = QString::fromStdString(
        settings.readString("DIRECTORY", "openbm2dir", session_.settings.DefaultDirectory));
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Ouvrir"), folder, tr("Fichiers mesures (*.bm2);;Capture Hyperterminal (*txt) (*.txt)"));
    if (file.isEmpty())
        return;
    try {
        settings.writeString("DIRECTORY", "openbm2dir", QFileInfo(file).absolutePath().toStdString());
        settings.save();
    } catch (const std::exception& error) {
        showError(this, fromProgramText(std::string(error.what())));
    }
    OuvrirFichier(file);
}

void TForm_Main::FermerClick() { FermerSession(); }

void TForm_Main::ExporterClick() {
    setEnabled(false);
    conversion_->show();
    conversion_->raise();
}

void TForm_Main::ValeursCalculeesClick() {
    convert_->prepare(CalculatedValues);
    setEnabled(false);
    convert_->show();
    convert_->raise();
}

void TForm_Main::ValeursBrutesClick() {
    convert_->prepare(RawValues);
    setEnabled(false);
    convert_->show();
    convert_->raise();
}

void TForm_Main::FusionClick() {
    setEnabled(false);
    fusion_->show();
    fusion_->raise();
}

void TForm_Main::EnregistrerSousClick() { Save_bm2file(); }

void TForm_Main::QuitterClick() { close(); }

void TForm_Main::AProposdeClick() {
    showInformation(this, tr("Talvex 2\nVersion 1.7.2"));
}

bool TForm_Main::FormCloseQuery() {
    if (session_.MeasuresSaved)
        return askOkCancel(this, tr("Voulez-vous quitter l'application ?"));
    switch (askYesNoCancel(this, tr("Les mesures en cours n'ont pas été sauvegardées.\n\rVoulez-vous "
                                    "les sauvegarder avant de quitter l'application ?"))) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        // A reading exists only in the working files: closing after a cancelled or failed
        // save would lose it, so the application stays open then.
        return Save_bm2file();
    }
    return false;
}

void TForm_Main::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
        QApplication::quit();
    } else {
        event->ignore();
    }
}

void TForm_Main::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm_Main::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    const QString file = urls.constFirst().toLocalFile();
    const QString suffix = QFileInfo(file).suffix();
    event->acceptProposedAction();
    if (suffix == QLatin1String("bm2") || suffix == QLatin1String("BM2"))
        OuvrirFichier(file);
    else
        showInformation(this, tr("Format de fichier inconnu"));
}

} // namespace talvex
