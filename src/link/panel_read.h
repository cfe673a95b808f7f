// The reading window ("Lecture Sonde": expected and read counts, progress, remaining time,
// Cancel) and the probe menu's reading commands that drive it: complete reading, partial
// reading with its interval window, and stopping a probe.
#pragma once

#include "link/reading.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace talvex {

class TForm_Main;
class TForm_Port;
class TForm_Interval;

class TForm_Read : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Read(QWidget* mainWindow);

    // Before a download: the expected count ("(Max)" for an interval), the notice, zeros.
    void prepare(long expected, const QString& maintenance, bool partial);
    // After it: default cursors, and the window closes.
    void finish();
    void showSearching(bool searching);
    void retranslate();
    // The reading window's side of a download.
    DownloadView view();

    // Raised by Cancel; the link's AbortFlag.
    bool* abortFlag = nullptr;
    void CancelButtonClick();

    QLabel* StaticText_Msg = nullptr;
    QLabel* StaticText_Seek = nullptr;
    QLabel* StaticText_Maint = nullptr;
    QLabel* ImageEyes = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* mesuresalire = nullptr;
    QLineEdit* mesureslues = nullptr;
    QProgressBar* Progressbar = nullptr;
    QLabel* LabelTime = nullptr;
    QPushButton* CancelButton = nullptr;

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape during a download is the Cancel button; the window stays until the end.
    void reject() override;

  private:
    QWidget* mainWindow_;
    bool reading_ = false;
};

// The probe menu's reading commands, run on behalf of the main window.
class ReadingCommands {
  public:
    ReadingCommands(TForm_Main& main, TForm_Port& port, TForm_Read& read, TForm_Interval& interval);

    void LectureClick();
    void PartielleClick();
    void ArretSondeClick();
    // The interval window's OK.
    void IntervalOKButtonClick();

  private:
    bool askConnected();
    bool keepUnsavedReading();
    void closeShownMeasurement();
    void workingFilesRewritten();
    ReadingHooks hooks();
    void endReading(bool succeeded);

    TForm_Main& main_;
    TForm_Port& port_;
    TForm_Read& read_;
    TForm_Interval& interval_;
    PartialPreparation prepared_;
};

// A link text (French, as the core gives it) in the language in force.
QString linkText(const std::string& text);

} // namespace talvex
