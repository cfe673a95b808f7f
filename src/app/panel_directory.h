// The default-directory window "Répertoire Par Défaut": a folder tree, a drive (mount point)
// selector that drives it, OK and ANNULER. OK makes the chosen folder the user's data folder.
#pragma once

#include "app/session.h"

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

namespace talvex {

class TForm_Directory : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Directory(Session& session, QWidget* parent = nullptr);

    // The folder list's selection, shown and expanded.
    void setDirectory(const QString& folder);
    QString selectedDirectory() const;

    // Makes the selected folder the default one (settings file, current directory) and
    // closes. False, with the error shown, when the setting cannot be written.
    bool OKButtonClick();
    void CancelButtonClick() { close(); }

    QTreeView* DirectoryListBox = nullptr;
    QComboBox* DriveComboBox = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void fillDrives();
    void DriveComboBoxChange(int index);

    Session& session_;
    QFileSystemModel* model_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace talvex
