// The main window: the menu bar, the status panels, the chart area, and the handlers that
// wire each command to the subsystem that does the work.
#pragma once

#include "app/session.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QTranslator;

namespace talvex {

class ReadingCommands;
class TForm_Interval;
class TForm_Port;
class TForm_Read;
class ChartArea;
class TForm_Apropos;
class TForm_Directory;
class TForm_Display;
class TForm_Popup;
class TForm_Conversion;
class TForm_Convert;
class TForm_Fusion;

class TForm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_Main(Session& session, QWidget* parent = nullptr);

    // The file named on the command line, opened once at the first activation.
    void setCommandLineFile(const QString& file);
    // Opens the command-line file if it has not been opened yet.
    void FormActivate();

    // Opens a ".bm2" file: loads it in memory, then makes it current. False on failure
    // (already reported to the user); the previous measurement then stays as it was.
    bool OuvrirFichier(const QString& file);

    // Loads "header.tmp" and "measure.tmp" (as a probe reading leaves them) into a new
    // measurement and shows it; with `fromProbe` the reading counts as not saved. False on
    // failure (already reported); the previous measurement then stays.
    bool loadWorkingFiles(bool fromProbe);
    // Makes a loaded measurement current and shows it under `title` (empty for none).
    void showLoadedMeasurement(std::shared_ptr<Measurement> measurement, const QString& title);

    // Returns the window to its state without a measurement (the data stay loaded).
    void FermerSession();
    // Asks for a file name and writes the working files into it. True when saved.
    bool Save_bm2file();

    void UpdateMeasureStrings();
    void UpdateHeaderStrings();
    void UpdateComStatus();

    Session& session() { return session_; }
    // The link window (serial port, probe link) and the reading windows.
    TForm_Port* formPort() const { return port_; }
    TForm_Read* formRead() const { return read_; }
    TForm_Interval* formInterval() const { return interval_; }
    // The conversion and merge windows, created with the main window and kept.
    TForm_Conversion* formConversion() const { return conversion_; }
    TForm_Convert* formConvert() const { return convert_; }
    TForm_Fusion* formFusion() const { return fusion_; }
    QAction* action(const QString& name) const;

    // Asks the closing question and answers whether the window may close.
    bool FormCloseQuery();

    // Applies the language of a language menu entry ("Anglais", "Francais"): loads its
    // module, retranslates every window and returns each to its start-up state (the data
    // stay loaded). False, with nothing changed, when the module is missing.
    bool SetLanguage(QAction* entry);
    // Loads the module of a language (2057 English, 1036 French) from the executable's path
    // with ".ENG" (then ".EN") or ".FRA" (".FR") appended. French is also built in.
    bool LoadLanguageModule(int localeId);
    void ReloadWindows();
    // Where the language modules are looked for (the executable's path by default).
    void setLanguageModuleBase(const QString& path) { languageModuleBase_ = path; }
    // Files dropped on the window: the first one is opened if its extension is known.
    void DropFileTargetDrop(const QStringList& files);
    // The chart area and its options dialog.
    ChartArea* charts() const { return chartArea_; }
    TForm_Display* displayOptions() const { return display_; }
    TForm_Popup* popup() const { return popup_; }
    TForm_Directory* directoryWindow() const { return directory_; }
    TForm_Apropos* aboutBox() const { return apropos_; }
    void Delete_Cursors();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void retranslate();
    void setStartState();
    void OuvrirClick();
    void FermerClick();
    void EnregistrerSousClick();
    void QuitterClick();
    void AProposdeClick();
    void LectureClick();
    void PartielleClick();
    void ArretSondeClick();
    void PortClick();
    void LanguageClick(QAction* entry);
    void RepertoireparDefautClick();
    void AffichageClick();
    void applyStartupLanguage();
    void ExporterClick();
    void ValeursCalculeesClick();
    void ValeursBrutesClick();
    void FusionClick();

    QAction* addAction(QMenu* menu, const char* name);
    QMenu* addMenu(QMenu* parent, const char* name);

    Session& session_;
    QString commandLineFile_;
    bool openAtFirstActivation_ = false;

    QMenu* menuFichier_ = nullptr;
    QMenu* menuLangue_ = nullptr;
    QMenu* menuConvertir_ = nullptr;
    QMenu* menuSonde_ = nullptr;
    QMenu* menuLecture_ = nullptr;
    QMenu* menuAide_ = nullptr;
    QAction* menuAffichage_ = nullptr;
    QAction* menuActivite_ = nullptr;
    QAction* menuParametre_ = nullptr;
    QAction* menuMaintenance_ = nullptr;

    TForm_Port* port_ = nullptr;
    TForm_Read* read_ = nullptr;
    TForm_Interval* interval_ = nullptr;
    ReadingCommands* reading_ = nullptr;

    QLabel* linkPanel_ = nullptr;
    QLabel* probePanel_ = nullptr;
    ChartArea* chartArea_ = nullptr;
    TForm_Display* display_ = nullptr;
    TForm_Popup* popup_ = nullptr;
    TForm_Directory* directory_ = nullptr;
    TForm_Apropos* apropos_ = nullptr;
    QTranslator* languageModule_ = nullptr;
    QString languageModuleBase_;
    int languageInForce_ = 1036;

    TForm_Conversion* conversion_ = nullptr;
    TForm_Convert* convert_ = nullptr;
    TForm_Fusion* fusion_ = nullptr;
};

} // namespace talvex
