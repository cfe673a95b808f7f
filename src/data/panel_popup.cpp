#include "data/panel_popup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace talvex {

TForm_Popup::TForm_Popup(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form_Popup"));
    setWindowTitle(tr("Calcul des valeurs en cours..."));
    setFixedSize(320, 44);
    auto* layout = new QVBoxLayout(this);
    ProgressbarCalcul = new QProgressBar(this);
    ProgressbarCalcul->setObjectName(QStringLiteral("ProgressbarCalcul"));
    ProgressbarCalcul->setRange(0, 100);
    ProgressbarCalcul->setTextVisible(false);
    ProgressbarCalcul->setStyleSheet(QStringLiteral(
        "QProgressBar { background: white; border: 1px solid gray; }"
        "QProgressBar::chunk { background: blue; }"));
    layout->addWidget(ProgressbarCalcul);
}

void TForm_Popup::begin() {
    setWindowTitle(tr("Calcul des valeurs en cours..."));
    ProgressbarCalcul->setValue(0);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    if (!cursorSet_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorSet_ = true;
    }
    show();
    raise();
    repaintNow();
}

void TForm_Popup::setStage(const QString& caption) {
    setWindowTitle(caption);
    ProgressbarCalcul->setValue(0);
    repaintNow();
}

void TForm_Popup::setProgress(int percent) {
    if (ProgressbarCalcul->value() == percent)
        return;
    ProgressbarCalcul->setValue(percent);
    repaintNow();
}

void TForm_Popup::end() {
    hide();
    if (cursorSet_) {
        QApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
}

void TForm_Popup::repaintNow() {
    // Only painting: user input must not start another command in the middle of a load.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace talvex
