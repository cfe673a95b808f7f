// The small progress pop-up shown while a measurement is loaded and calculated: no system
// buttons, centred on the screen, a caption naming the stage and one gauge.
#pragma once

#include <QDialog>

class QProgressBar;

namespace talvex {

class TForm_Popup : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Popup(QWidget* parent = nullptr);

    // Shows the pop-up with the hourglass cursor and its initial caption.
    void begin();
    // A new stage: its caption, and the gauge back to 0.
    void setStage(const QString& caption);
    // Gauge 0..100; repaints the pop-up at once (the work runs on this thread).
    void setProgress(int percent);
    void end();

    QProgressBar* ProgressbarCalcul = nullptr;

private:
    void repaintNow();
    bool cursorSet_ = false;
};

} // namespace talvex
