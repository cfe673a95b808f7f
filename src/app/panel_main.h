// The main window: the menu bar, the status panels, the chart area, and the handlers that
// wire each command to the subsystem that does the work.
#pragma once

#include "app/session.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;

namespace talvex {

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
    // The conversion and merge windows, created with the main window and kept.
    TForm_Conversion* formConversion() const { return conversion_; }
    TForm_Convert* formConvert() const { return convert_; }
    TForm_Fusion* formFusion() const { return fusion_; }
    QAction* action(const QString& name) const;

    // Asks the closing question and answers whether the window may close.
    bool FormCloseQuery();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
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

    QLabel* linkPanel_ = nullptr;
    QLabel* probePanel_ = nullptr;
    QWidget* chartArea_ = nullptr;

    TForm_Conversion* conversion_ = nullptr;
    TForm_Convert* convert_ = nullptr;
    TForm_Fusion* fusion_ = nullptr;
};

} // namespace talvex
