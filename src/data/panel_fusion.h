// The merge window "Fusion": measurement files listed in the order they are merged, and the
// merged file they make (the last file's header, then every file's measures).
#pragma once

#include "app/session.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace talvex {

class TForm_Fusion : public QWidget {
    Q_OBJECT
public:
    TForm_Fusion(Session& session, QWidget* mainWindow, std::function<void()> fermerSession);

    void ButtonOrigineClick();
    void ButtonUpClick();
    void ButtonDownClick();
    void ButtonDestinationClick();
    void FusionButtonClick();
    void CancelButtonClick();

    // The dialogs (replaceable in tests): chosen paths, empty when cancelled.
    std::function<QStringList(const QString& folder)> chooseFiles;
    std::function<QString(const QString& proposed)> chooseDestination;

    QLabel* Titre1 = nullptr;
    QPushButton* ButtonOrigine = nullptr;
    QListWidget* ListBoxOrigin = nullptr;
    QPushButton* ButtonUp = nullptr;
    QPushButton* ButtonDown = nullptr;
    QLabel* Titre2 = nullptr;
    QPushButton* ButtonDestination = nullptr;
    QLineEdit* FileDestination = nullptr;
    QPushButton* FusionButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QProgressBar* ProgressBar = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void retranslate();
    void exchange(int row, int other);

    Session& session_;
    QWidget* mainWindow_;
    std::function<void()> fermerSession_;
    QString proposedDestination_;
};

} // namespace talvex
