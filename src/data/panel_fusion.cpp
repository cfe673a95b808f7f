#include "data/panel_fusion.h"

#include "app/qt_messages.h"
#include "data/merge.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace talvex {

TForm_Fusion::TForm_Fusion(Session& session, QWidget* mainWindow,
                           std::function<void()> fermerSession)
    : QWidget(nullptr, Qt::Window), session_(session), mainWindow_(mainWindow),
      fermerSession_(std::move(fermerSession)) {
    setObjectName(QStringLiteral("Form_Fusion"));
    resize(520, 340);
    auto* grid = new QGridLayout(this);
    auto make = [this](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    Titre1 = make(new QLabel(this), "Titre1");
    ButtonOrigine = make(new QPushButton(QStringLiteral("..."), this), "ButtonOrigine");
    ListBoxOrigin = make(new QListWidget(this), "ListBoxOrigin");
    ListBoxOrigin->setSelectionMode(QAbstractItemView::SingleSelection);
    ButtonUp = make(new QPushButton(QStringLiteral("+"), this), "ButtonUp");
    ButtonDown = make(new QPushButton(QStringLiteral("-"), this), "ButtonDown");
    Titre2 = make(new QLabel(this), "Titre2");
    ButtonDestination = make(new QPushButton(QStringLiteral("..."), this), "ButtonDestination");
    FileDestination = make(new QLineEdit(this), "FileDestination");
    FileDestination->setReadOnly(true);
    FusionButton = make(new QPushButton(this), "FusionButton");
    CancelButton = make(new QPushButton(this), "CancelButton");
    ProgressBar = make(new QProgressBar(this), "ProgressBar");
    ProgressBar->setRange(0, 100);

    grid->addWidget(Titre1, 0, 0);
    grid->addWidget(ButtonOrigine, 0, 1);
    grid->addWidget(ListBoxOrigin, 1, 0, 2, 1);
    auto* moves = new QVBoxLayout;
    moves->addWidget(ButtonUp);
    moves->addWidget(ButtonDown);
    moves->addStretch();
    grid->addLayout(moves, 1, 1, 2, 1);
    grid->addWidget(Titre2, 3, 0);
    grid->addWidget(ButtonDestination, 3, 1);
    grid->addWidget(FileDestination, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(FusionButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->addWidget(ProgressBar, 6, 0, 1, 2);

    chooseFiles = [this](const QString& folder) {
        return QFileDialog::getOpenFileNames(this, tr("Ajouter un fichier à fusionner :"), folder,
                                             tr("Fichiers mesures (*.bm2)"));
    };
    // Qt's save dialog asks before overwriting an existing file.
    chooseDestination = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, tr("Fichier de destination :"), proposed,
                                            tr("Fichiers mesures (*.bm2)"));
    };

    connect(ButtonOrigine, &QPushButton::clicked, this, &TForm_Fusion::ButtonOrigineClick);
    connect(ButtonUp, &QPushButton::clicked, this, &TForm_Fusion::ButtonUpClick);
    connect(ButtonDown, &QPushButton::clicked, this, &TForm_Fusion::ButtonDownClick);
    connect(ButtonDestination, &QPushButton::clicked, this, &TForm_Fusion::ButtonDestinationClick);
    connect(FusionButton, &QPushButton::clicked, this, &TForm_Fusion::FusionButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TForm_Fusion::CancelButtonClick);
    retranslate();
    FormShow();
}

void TForm_Fusion::retranslate() {
    setWindowTitle(tr("Fusion"));
    Titre1->setText(tr("Ajouter un fichier à fusionner :"));
    Titre2->setText(tr("Fichier de destination :"));
    FusionButton->setText(tr("Fusionner"));
    CancelButton->setText(tr("Fermer"));
}

void TForm_Fusion::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TForm_Fusion::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm_Fusion::FormShow() {
    ListBoxOrigin->clear();
    FusionButton->setEnabled(false);
    ProgressBar->setValue(0);
    QString folder = QString::fromStdString(session_.settings.DefaultDirectory);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    FileDestination->setText(folder + QStringLiteral("fusion.bm2"));
    proposedDestination_ = FileDestination->text();
}

void TForm_Fusion::ButtonOrigineClick() {
    const QStringList files = chooseFiles(QString::fromStdString(session_.settings.DefaultDirectory));
    if (files.isEmpty())
        return;
    QStringList all;
    for (int i = 0; i < ListBoxOrigin->count(); ++i)
        all << ListBoxOrigin->item(i)->text();
    all << files;
    std::stable_sort(all.begin(), all.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    ListBoxOrigin->clear();
    ListBoxOrigin->addItems(all);
    ListBoxOrigin->setCurrentRow(0);
    FileDestination->setText(QString::fromStdString(
        merged_file_name(all.constFirst().toStdString()).string()));
    proposedDestination_ = FileDestination->text();
    FusionButton->setEnabled(true);
}

void TForm_Fusion::exchange(int row, int other) {
    const QString text = ListBoxOrigin->item(row)->text();
    ListBoxOrigin->item(row)->setText(ListBoxOrigin->item(other)->text());
    ListBoxOrigin->item(other)->setText(text);
    // The selection stays on the same row: the moved file is no longer the selected one.
    ListBoxOrigin->setCurrentRow(row);
}

void TForm_Fusion::ButtonUpClick() {
    const int row = ListBoxOrigin->currentRow();
    if (ListBoxOrigin->count() > 0 && row > 0)
        exchange(row, row - 1);
}

void TForm_Fusion::ButtonDownClick() {
    const int row = ListBoxOrigin->currentRow();
    if (ListBoxOrigin->count() > 0 && row >= 0 && row < ListBoxOrigin->count() - 1)
        exchange(row, row + 1);
}

void TForm_Fusion::ButtonDestinationClick() {
    const QString file = chooseDestination(proposedDestination_);
    if (!file.isEmpty())
        FileDestination->setText(file);
}

void TForm_Fusion::FusionButtonClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fermerSession_();
    std::vector<fs::path> sources;
    for (int i = 0; i < ListBoxOrigin->count(); ++i)
        sources.emplace_back(ListBoxOrigin->item(i)->text().toStdString());
    try {
        merge_bm2_files(sources, FileDestination->text().toStdString(), [this](int percent) {
            ProgressBar->setValue(percent);
            // Repaint only: a click must not start another command half-way.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
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

void TForm_Fusion::CancelButtonClick() { close(); }

void TForm_Fusion::closeEvent(QCloseEvent* event) {
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    QWidget::closeEvent(event);
}

} // namespace talvex
