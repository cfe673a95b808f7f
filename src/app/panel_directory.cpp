#include "app/panel_directory.h"

#include "app/ini_file.h"
#include "app/qt_messages.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace talvex {

TForm_Directory::TForm_Directory(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("Form_Directory"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowModality(Qt::ApplicationModal);
    resize(360, 420);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());

    auto* column = new QVBoxLayout(this);
    DirectoryListBox = new QTreeView(this);
    DirectoryListBox->setObjectName(QStringLiteral("DirectoryListBox"));
    DirectoryListBox->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c)
        DirectoryListBox->hideColumn(c);
    DirectoryListBox->header()->hide();
    column->addWidget(DirectoryListBox, 1);
    // Folders are listed in the background: once a level is there, bring the chosen folder
    // into view again.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        DirectoryListBox->scrollTo(DirectoryListBox->currentIndex(),
                                   QAbstractItemView::PositionAtCenter);
    });

    DriveComboBox = new QComboBox(this);
    DriveComboBox->setObjectName(QStringLiteral("DriveComboBox"));
    column->addWidget(DriveComboBox);
    fillDrives();
    connect(DriveComboBox, &QComboBox::currentIndexChanged, this,
            &TForm_Directory::DriveComboBoxChange);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    okButton_ = new QPushButton(this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(okButton_);
    column->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(cancelButton_, &QPushButton::clicked, this, &TForm_Directory::CancelButtonClick);
    retranslate();
}

void TForm_Directory::retranslate() {
    setWindowTitle(tr("Répertoire Par Défaut"));
    okButton_->setText(tr("OK"));
    cancelButton_->setText(tr("ANNULER"));
}

void TForm_Directory::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

// The "drives" of this system: the root, the user's home folder and the mounted volumes.
void TForm_Directory::fillDrives() {
    QStringList roots{QDir::rootPath(), QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString path = volume.rootPath();
        if (volume.isValid() && volume.isReady() && !roots.contains(path) &&
            !path.startsWith(QLatin1String("/proc")) && !path.startsWith(QLatin1String("/sys")) &&
            !path.startsWith(QLatin1String("/dev")) && !path.startsWith(QLatin1String("/run")))
            roots << path;
    }
    DriveComboBox->addItems(roots);
}

void TForm_Directory::DriveComboBoxChange(int index) {
    if (index >= 0)
        setDirectory(DriveComboBox->itemText(index));
}

void TForm_Directory::setDirectory(const QString& folder) {
    const QString path = QDir(folder).absolutePath();
    const QModelIndex index = model_->index(path);
    if (!index.isValid())
        return;
    // The selector shows the volume that holds the folder: the longest root it starts with.
    int drive = -1;
    for (int i = 0; i < DriveComboBox->count(); ++i) {
        const QString root = DriveComboBox->itemText(i);
        const bool holds =
            path == root || root == QDir::rootPath() ||
            path.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && (drive < 0 || root.size() > DriveComboBox->itemText(drive).size()))
            drive = i;
    }
    {
        const QSignalBlocker quiet(DriveComboBox);
        DriveComboBox->setCurrentIndex(drive);
    }
    DirectoryListBox->setCurrentIndex(index);
    DirectoryListBox->expand(index);
    DirectoryListBox->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString TForm_Directory::selectedDirectory() const {
    const QModelIndex index = DirectoryListBox->currentIndex();
    return index.isValid() ? model_->filePath(index) : QString();
}

bool TForm_Directory::OKButtonClick() {
    const QString folder = selectedDirectory();
    if (folder.isEmpty()) {
        close();
        return false;
    }
    try {
        IniFile settings(session_.settingsFile());
        settings.writeString("DIRECTORY", "path", folder.toStdString());
        settings.save();
    } catch (const std::exception& error) {
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }
    session_.settings.DefaultDirectory = folder.toStdString();
    QDir::setCurrent(folder);
    close();
    return true;
}

} // namespace talvex
