#include "data/panel_conversion.h"

#include "app/ini_file.h"
#include "app/qt_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace talvex {

ConversionTexts conversion_texts(const Session& session) {
    const ConversionTexts& french = french_conversion_texts();
    ConversionTexts texts;
    texts.headerLabels = session.HeaderLabels;
    auto translate = [](const std::string& title) {
        return QCoreApplication::translate("ConversionTitles", title.c_str()).toStdString();
    };
    for (size_t i = 0; i < texts.rawTitles.size(); ++i)
        texts.rawTitles[i] = translate(french.rawTitles[i]);
    for (size_t i = 0; i < texts.calculatedTitles.size(); ++i)
        texts.calculatedTitles[i] = translate(french.calculatedTitles[i]);
    return texts;
}

TForm_Conversion::TForm_Conversion(Session& session, QWidget* mainWindow,
                                   std::function<void()> fermerSession)
    : QWidget(nullptr, Qt::Window), session_(session), mainWindow_(mainWindow),
      fermerSession_(std::move(fermerSession)) {
    setObjectName(QStringLiteral("Form_Conversion"));
    resize(520, 360);
    auto* grid = new QGridLayout(this);
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    Titre1 = new QLabel(this);
    named(Titre1, "Titre1");
    ButtonOrigine = new QPushButton(QStringLiteral("..."), this);
    named(ButtonOrigine, "ButtonOrigine");
    ListBoxOrigin = new QListWidget(this);
    named(ListBoxOrigin, "ListBoxOrigin");
    ListBoxOrigin->installEventFilter(this);
    Titre2 = new QLabel(this);
    named(Titre2, "Titre2");
    ButtonDestination = new QPushButton(QStringLiteral("..."), this);
    named(ButtonDestination, "ButtonDestination");
    DirDestination = new QLineEdit(this);
    named(DirDestination, "DirDestination");
    DirDestination->setReadOnly(true);
    CheckBoxBrut = new QCheckBox(this);
    named(CheckBoxBrut, "CheckBoxBrut");
    CheckBoxCalc = new QCheckBox(this);
    named(CheckBoxCalc, "CheckBoxCalc");
    ConvertButton = new QPushButton(this);
    named(ConvertButton, "ConvertButton");
    CancelButton = new QPushButton(this);
    named(CancelButton, "CancelButton");
    ProgressBar = new QProgressBar(this);
    named(ProgressBar, "ProgressBar");
    ProgressBar->setRange(0, 100);

    grid->addWidget(Titre1, 0, 0);
    grid->addWidget(ButtonOrigine, 0, 1);
    grid->addWidget(ListBoxOrigin, 1, 0, 1, 2);
    grid->addWidget(Titre2, 2, 0);
    grid->addWidget(ButtonDestination, 2, 1);
    grid->addWidget(DirDestination, 3, 0, 1, 2);
    grid->addWidget(CheckBoxBrut, 4, 0, 1, 2);
    grid->addWidget(CheckBoxCalc, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ConvertButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->addWidget(ProgressBar, 7, 0, 1, 2);

    chooseFiles = [this](const QString& folder) {
        return QFileDialog::getOpenFileNames(this, tr("Ajouter un fichier à convertir "), folder,
                                             tr("Fichiers mesures (*.bm2)"));
    };
    chooseFolder = [this](const QString& folder) {
        return QFileDialog::getExistingDirectory(this, tr("Répertoire de destination :"), folder);
    };

    connect(ButtonOrigine, &QPushButton::clicked, this, &TForm_Conversion::ButtonOrigineClick);
    connect(ButtonDestination, &QPushButton::clicked, this,
            &TForm_Conversion::ButtonDestinationClick);
    connect(CheckBoxBrut, &QCheckBox::clicked, this, &TForm_Conversion::CheckBoxBrutClick);
    connect(CheckBoxCalc, &QCheckBox::clicked, this, &TForm_Conversion::CheckBoxCalcClick);
    connect(ConvertButton, &QPushButton::clicked, this, &TForm_Conversion::ConvertButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TForm_Conversion::CancelButtonClick);
    retranslate();
    FormShow();
}

void TForm_Conversion::retranslate() {
    setWindowTitle(tr("Conversion"));
    Titre1->setText(tr("Ajouter un fichier à convertir "));
    Titre2->setText(tr("Répertoire de destination :"));
    CheckBoxBrut->setText(tr("Générer un fichier .txt (Valeurs brutes)"));
    CheckBoxCalc->setText(tr("Générer un fichier .xls (Valeurs calculées)"));
    ConvertButton->setText(tr("Convertir"));
    CancelButton->setText(tr("Fermer"));
}

void TForm_Conversion::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TForm_Conversion::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm_Conversion::FormShow() {
    ListBoxOrigin->clear();
    ProgressBar->setValue(0);
    ConvertButton->setEnabled(false);
    DirDestination->setText(QString::fromStdString(session_.settings.DefaultDirectory));
    lastChosenFolder_.clear();
    CheckBoxBrut->setChecked(true);
    CheckBoxCalc->setChecked(true);
}

void TForm_Conversion::ButtonOrigineClick() {
    IniFile settings(session_.settingsFile());
    const QString folder = QString::fromStdString(
        settings.readString("DIRECTORY", "openbm2dir", session_.settings.DefaultDirectory));
    const QStringList files = chooseFiles(folder);
    if (files.isEmpty())
        return;
    lastChosenFolder_ = QFileInfo(files.constFirst()).absolutePath();
    try {
        settings.writeString("DIRECTORY", "openbm2dir", lastChosenFolder_.toStdString());
        settings.save();
    } catch (const std::exception& error) {
        showError(this, fromProgramText(std::string(error.what())));
    }
    ListBoxOrigin->addItems(files);
    if (CheckBoxBrut->isChecked() || CheckBoxCalc->isChecked())
        ConvertButton->setEnabled(true);
}

void TForm_Conversion::ButtonDestinationClick() {
    const QString folder = chooseFolder(lastChosenFolder_);
    if (folder.isEmpty())
        return;
    try {
        IniFile settings(session_.settingsFile());
        settings.writeString("DIRECTORY", "savebm2dir", folder.toStdString());
        settings.save();
    } catch (const std::exception& error) {
        showError(this, fromProgramText(std::string(error.what())));
    }
    DirDestination->setText(folder);
}

void TForm_Conversion::updateConvertButton() {
    ConvertButton->setEnabled(ListBoxOrigin->count() > 0 &&
                              (CheckBoxBrut->isChecked() || CheckBoxCalc->isChecked()));
}

void TForm_Conversion::CheckBoxBrutClick() { updateConvertButton(); }

void TForm_Conversion::CheckBoxCalcClick() { updateConvertButton(); }

bool TForm_Conversion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBoxOrigin && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            ListBoxOriginKeyDown(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_Conversion::ListBoxOriginKeyDown(int key) {
    if (key != Qt::Key_Delete)
        return;
    for (QListWidgetItem* item : ListBoxOrigin->selectedItems())
        delete ListBoxOrigin->takeItem(ListBoxOrigin->row(item));
}

void TForm_Conversion::ConvertButtonClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fermerSession_();
    const ConversionTexts texts = conversion_texts(session_);
    const fs::path folder = DirDestination->text().toStdString();
    const int n = ListBoxOrigin->count();
    try {
        for (int i = 0; i < n; ++i) {
            convert_bm2_file(ListBoxOrigin->item(i)->text().toStdString(), folder,
                             CheckBoxBrut->isChecked(), CheckBoxCalc->isChecked(),
                             session_.settingsFile(), texts);
            ProgressBar->setValue(batch_percent(static_cast<size_t>(i + 1), static_cast<size_t>(n)));
            // Repaint only: a click must not start another command half-way.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        showError(this, fromProgramText(std::string(error.what())));
        ProgressBar->setValue(0);
        return;
    }
    QApplication::restoreOverrideCursor();
    showInformation(this, tr("Conversion terminée"));
    ProgressBar->setValue(0);
}

void TForm_Conversion::CancelButtonClick() { close(); }

void TForm_Conversion::closeEvent(QCloseEvent* event) {
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    QWidget::closeEvent(event);
}

} // namespace talvex
