#include "app/panel_main.h"

#include "app/ini_file.h"
#include "app/panel_apropos.h"
#include "app/panel_directory.h"
#include "app/qt_messages.h"
#include "data/capture_import.h"
#include "data/panel_popup.h"
#include "display/panel_display.h"
#include "display/qt_chart_area.h"
#include "data/conversion_error.h"
#include "link/panel_comport.h"
#include "link/panel_interval.h"
#include "link/panel_read.h"
#include "data/panel_conversion.h"
#include "data/panel_convert.h"
#include "data/panel_fusion.h"
#include "display/calculation.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

namespace talvex {

namespace {
QString programTitle() { return QString::fromUtf8(ProgramTitle); }

// Qt's own dialogs (the file dialogs' labels and buttons) follow the language in force:
// their French texts come from Qt's translations when they are installed; English is Qt's
// own language.
void useToolkitFrench(QObject* owner, bool french) {
    const QString name = QStringLiteral("ToolkitFrench");
    auto* current = owner->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);
    if (!french || current) {
        if (!french)
            delete current;
        return;
    }
    auto* toolkit = new QTranslator(owner);
    toolkit->setObjectName(name);
    if (toolkit->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkit);
    else
        delete toolkit;
}
} // namespace

TForm_Main::TForm_Main(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setObjectName(QStringLiteral("Form_Main"));
    resize(1100, 760);
    chartArea_ = new ChartArea(session_, this);
    setCentralWidget(chartArea_);
    display_ = new TForm_Display(session_, *chartArea_, this);
    popup_ = new TForm_Popup(this);
    directory_ = new TForm_Directory(session_, this);
    apropos_ = new TForm_Apropos(this);
    connect(chartArea_, &ChartArea::readoutShownChanged, this, [this](bool shown) {
        action("Imprimer")->setVisible(shown);
        action("Imprimer")->setEnabled(shown);
    });

    linkPanel_ = new QLabel(this);
    linkPanel_->setObjectName(QStringLiteral("LinkPanel"));
    probePanel_ = new QLabel(this);
    probePanel_->setObjectName(QStringLiteral("ProbePanel"));
    statusBar()->addWidget(linkPanel_, 1);
    statusBar()->addWidget(probePanel_, 2);

    buildMenus();
    retranslate();
    setStartState();
    applyStartupLanguage();
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
    connect(action("Complete"), &QAction::triggered, this, &TForm_Main::LectureClick);
    connect(action("Partielle"), &QAction::triggered, this, &TForm_Main::PartielleClick);
    connect(action("ArretSonde"), &QAction::triggered, this, &TForm_Main::ArretSondeClick);
    connect(action("Port"), &QAction::triggered, this, &TForm_Main::PortClick);
    // The link and reading windows are top-level windows of their own, kept for the run.
    port_ = new TForm_Port(session_, this);
    read_ = new TForm_Read(this);
    interval_ = new TForm_Interval(this);
    reading_ = new ReadingCommands(*this, *port_, *read_, *interval_);
    port_->onSaved = [this] { UpdateComStatus(); };
    connect(this, &QObject::destroyed, port_, [p = port_, r = read_, i = interval_, c = reading_] {
        delete c;
        delete i;
        delete r;
        delete p;
    });
    for (const char* name : {"Anglais", "Francais"}) {
        QAction* entry = action(QString::fromLatin1(name));
        connect(entry, &QAction::triggered, this, [this, entry] { LanguageClick(entry); });
    }
    connect(action("RepertoireparDefaut"), &QAction::triggered, this,
            &TForm_Main::RepertoireparDefautClick);
    connect(menuAffichage_, &QAction::triggered, this, &TForm_Main::AffichageClick);
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
    for (const char* name : {"Connexion", "Initialisation", "Identification"})
        action(QString::fromLatin1(name))->setEnabled(false);
    const bool english = session_.settings.english();
    action("Anglais")->setChecked(english);
    action("Francais")->setChecked(!english);
}

void TForm_Main::UpdateMeasureStrings() {
    const MeasureNameTable& french = french_measure_names();
    for (int i = 0; i < MeasureNameCount; ++i)
        session_.MeasureNames[static_cast<size_t>(i)] =
            QCoreApplication::translate("MeasureNames", french[static_cast<size_t>(i)].c_str())
                .toStdString();
}

void TForm_Main::UpdateHeaderStrings() {
    // Each label ends with the tab that separates it from its value in a conversion: the
    // label is translated without it.
    const HeaderLabelTable& french = french_header_labels();
    for (int i = 0; i < HeaderLabelCount; ++i) {
        std::string label = french[static_cast<size_t>(i)];
        const size_t end = label.find_last_not_of('\t') + 1;
        const std::string separator = label.substr(end);
        label.resize(end);
        session_.HeaderLabels[static_cast<size_t>(i)] =
            QCoreApplication::translate("HeaderLabels", label.c_str()).toStdString() + separator;
    }
}

void TForm_Main::UpdateComStatus() {
    const bool modem = session_.settings.ConnectionType == 1;
    const bool online = modem && session_.GsmOnline;
    linkPanel_->setText(modem ? tr("MODE : Modem (GSM)") : tr("MODE : RS232 (Câble)"));
    probePanel_->setText(!modem ? QString() : online ? tr("Online") : tr("Offline"));
    action("Connexion")->setText(online ? tr("Déconnexion") : tr("Connexion"));
    menuLecture_->menuAction()->setEnabled(!modem || online);
    action("ArretSonde")->setEnabled(!modem);
    action("Port")->setEnabled(!online);
    // "Connexion", "Initialisation" and "Paramétrage" follow the same table once their
    // commands are built.
}

void TForm_Main::LectureClick() { reading_->LectureClick(); }

void TForm_Main::PartielleClick() { reading_->PartielleClick(); }

void TForm_Main::ArretSondeClick() { reading_->ArretSondeClick(); }

void TForm_Main::PortClick() { port_->PortClick(); }

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
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        UpdateComStatus(); // "Connexion" reads "Déconnexion" during a call
    }
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
    // The capture's own name is the one shown in the title, not "temp.bm2".
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        LoadedFile loaded;
        const auto progress = [this](int percent) { popup_->setProgress(percent); };
        // Only ".txt" and ".TXT" are captures; any other name is read as a ".bm2" file.
        if (file.endsWith(QLatin1String(".txt")) || file.endsWith(QLatin1String(".TXT"))) {
            const auto bm2 = read_capture_as_bm2(file.toStdString());
            if (!bm2) {
                QApplication::restoreOverrideCursor();
                showInformation(this, tr("Fichier Invalide."));
                return false;
            }
            const fs::path temp = session_.working.tempBm2();
            write_file_atomically(temp, [&](std::ostream& out) { out << *bm2; });
            popup_->begin();
            popup_->setStage(tr("Extraction des données..."));
            loaded = load_bm2_text(*bm2, display_name(temp), progress);
        } else {
            popup_->begin();
            popup_->setStage(tr("Extraction des données..."));
            loaded = load_bm2_in_memory(file.toStdString(), progress);
        }
        // Calculated before anything is replaced: a failure leaves the shown file as it was.
        popup_->setStage(tr("Calcul des valeurs..."));
        Calcul(loaded.measurement,
               read_sensor_mask(session_.settingsFile(), loaded.measurement.header), progress);
        commit_working_files(loaded.texts, session_.working);
        popup_->end();
        QApplication::restoreOverrideCursor();
        session_.MeasuresSaved = true;
        if (loaded.report.continuityError)
            showWarning(this, tr("Erreur de continuité. Recommencer la lecture."));
        showLoadedMeasurement(std::make_shared<Measurement>(std::move(loaded.measurement)), file);
        return true;
    } catch (const std::exception& error) {
        popup_->end();
        QApplication::restoreOverrideCursor();
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }
}

bool TForm_Main::loadWorkingFiles(bool fromProbe) {
    // The same way as an opened file: loaded and calculated under the pop-up, then shown.
    try {
        auto measurement = std::make_shared<Measurement>();
        popup_->begin();
        measurement->header = Load_Probe_Param(session_.working.header());
        popup_->setStage(tr("Extraction des données..."));
        const MeasureLoadReport report =
            Load_Probe_Measures(session_.working.measure(), *measurement,
                                [this](int percent) { popup_->setProgress(percent); });
        popup_->setStage(tr("Calcul des valeurs..."));
        Calcul(*measurement, read_sensor_mask(session_.settingsFile(), measurement->header),
               [this](int percent) { popup_->setProgress(percent); });
        popup_->end();
        session_.MeasuresSaved = !fromProbe;
        if (report.continuityError)
            showWarning(this, tr("Erreur de continuité. Recommencer la lecture."));
        showLoadedMeasurement(std::move(measurement), QString());
        return true;
    } catch (const std::exception& error) {
        popup_->end();
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }
}

void TForm_Main::showLoadedMeasurement(std::shared_ptr<Measurement> measurement,
                                       const QString& title) {
    // The curves of the previous measurement must not stay on screen under the new title:
    // the windows come back with the new curves at the display options' OK.
    chartArea_->hideWindows();
    session_.current = std::move(measurement);
    session_.currentFile = title.toStdString();
    session_.display.StartSelection = session_.current->StartSelection;
    session_.display.EndSelection = session_.current->EndSelection;
    setWindowTitle(title.isEmpty() ? programTitle() : programTitle() + QStringLiteral(" - ") + title);
    for (const char* name : {"Parametre", "Affichage", "ActiviteVolumique", "EnregistrerSous"})
        action(QString::fromLatin1(name))->setEnabled(true);
    // A GSM transfer may spike the radon counts: the filter is on for modem links.
    display_->CheckBoxFilter->setChecked(session_.settings.ConnectionType == 1);
    display_->show();
    display_->raise();
}

void TForm_Main::FermerSession() {
    for (const char* name : {"Parametre", "Affichage", "ActiviteVolumique", "Imprimer"})
        action(QString::fromLatin1(name))->setEnabled(false);
    chartArea_->hideWindows();
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
        this, tr("Ouvrir"), folder, tr("Fichiers mesures (*.bm2 *.BM2);;Capture Hyperterminal (*txt) (*.txt *.TXT)"));
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
    apropos_->show();
    apropos_->raise();
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

namespace {
// Files are taken as a copy or a link, never moved: accepting a move would let the file
// manager delete the measurement it dragged.
bool acceptAsCopyOrLink(QDropEvent* event) {
    if (!event->mimeData()->hasUrls())
        return false;
    const Qt::DropActions possible = event->possibleActions();
    if (possible & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (possible & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}
} // namespace

void TForm_Main::dragEnterEvent(QDragEnterEvent* event) {
    if (!acceptAsCopyOrLink(event))
        event->ignore();
}

void TForm_Main::dragMoveEvent(QDragMoveEvent* event) {
    if (!acceptAsCopyOrLink(event))
        event->ignore();
}

void TForm_Main::dropEvent(QDropEvent* event) {
    if (!acceptAsCopyOrLink(event)) {
        event->ignore();
        return;
    }
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        files << url.toLocalFile();
    DropFileTargetDrop(files);
}

void TForm_Main::DropFileTargetDrop(const QStringList& files) {
    if (files.isEmpty())
        return;
    const QString file = files.constFirst();
    // The extension decides, case included: "mesure.Bm2" is not a measurement file.
    for (const char* known : {".txt", ".TXT", ".BM2", ".bm2"}) {
        if (file.endsWith(QLatin1String(known))) {
            OuvrirFichier(file);
            return;
        }
    }
    showInformation(this, tr("Format de fichier inconnu"));
}

void TForm_Main::Delete_Cursors() { chartArea_->Delete_Cursors(); }

void TForm_Main::AffichageClick() {
    chartArea_->Delete_Cursors();
    display_->show();
    display_->raise();
}

void TForm_Main::RepertoireparDefautClick() {
    directory_->setDirectory(QString::fromStdString(session_.settings.DefaultDirectory));
    directory_->show();
    directory_->raise();
}

void TForm_Main::applyStartupLanguage() {
    const bool english = session_.settings.english();
    action("Anglais")->setChecked(!english);
    action("Francais")->setChecked(english);
    SetLanguage(action(english ? QStringLiteral("Anglais") : QStringLiteral("Francais")));
}

void TForm_Main::LanguageClick(QAction* entry) {
    // A checkable entry ticks itself when clicked: the marks follow the language in force.
    action("Anglais")->setChecked(languageInForce_ == 2057);
    action("Francais")->setChecked(languageInForce_ == 1036);
    if (entry->data().toInt() == languageInForce_)
        return;
    setAcceptDrops(false);
    // The serial port keeps its configured name through a switch (nothing here resets it),
    // so the port is not opened to restore it: opening it could disturb a probe on the
    // line, or a GSM call in progress.
    if (SetLanguage(entry)) {
        try {
            IniFile settings(session_.settingsFile());
            const bool english = entry->data().toInt() == 2057;
            settings.writeString("LANGUAGE", "language", english ? "anglais" : "francais");
            settings.save();
            session_.settings.language = english ? "anglais" : "francais";
        } catch (const std::exception& error) {
            showError(this, fromProgramText(std::string(error.what())));
        }
    }
    setAcceptDrops(true);
}

bool TForm_Main::LoadLanguageModule(int localeId) {
    const QString base =
        !languageModuleBase_.isEmpty()           ? languageModuleBase_
        : !session_.languageModuleBase.empty() ? QString::fromStdString(session_.languageModuleBase.string())
                                                 : QCoreApplication::applicationFilePath();
    const char* codes[2] = {localeId == 2057 ? "ENG" : "FRA", localeId == 2057 ? "EN" : "FR"};
    for (const char* code : codes) {
        const QString file = base + QLatin1Char('.') + QLatin1String(code);
        if (!QFileInfo(file).isFile())
            continue;
        auto* module = new QTranslator(this);
        if (!module->load(file)) {
            delete module;
            continue;
        }
        QCoreApplication::installTranslator(module);
        delete languageModule_; // the previous module, if any, is released
        languageModule_ = module;
        return true;
    }
    return false;
}

bool TForm_Main::SetLanguage(QAction* entry) {
    const int localeId = entry->data().toInt();
    if (!LoadLanguageModule(localeId)) {
        // French is built in: without a French module the built-in texts come back.
        if (localeId != 1036)
            return false;
        delete languageModule_;
        languageModule_ = nullptr;
    }
    languageInForce_ = localeId;
    useToolkitFrench(this, localeId == 1036);
    ReloadWindows();
    UpdateHeaderStrings();
    UpdateMeasureStrings();
    action("Anglais")->setData(2057);
    action("Francais")->setData(1036);
    action("Anglais")->setChecked(localeId == 2057);
    action("Francais")->setChecked(localeId == 1036);
    return true;
}

void TForm_Main::ReloadWindows() {
    // Every window retranslates itself on the language change Qt sends it; this one also
    // returns to its start-up state: charts hidden, the measurement commands disabled and
    // the plain title. The measurement stays loaded: opening it again shows it.
    retranslate();
    setStartState();
    action("Imprimer")->setVisible(true);
    chartArea_->hideWindows();
    if (display_->isVisible())
        display_->close();
    UpdateComStatus();
}

} // namespace talvex
