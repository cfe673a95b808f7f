#include "data/panel_convert.h"

#include "app/qt_messages.h"
#include "data/panel_conversion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace talvex {

TForm_Convert::TForm_Convert(Session& session, QWidget* mainWindow,
                             std::function<void()> fermerSession)
    : QWidget(nullptr, Qt::Window), session_(session), mainWindow_(mainWindow),
      fermerSession_(std::move(fermerSession)) {
    setObjectName(QStringLiteral("Form_Convert"));
    resize(520, 150);
    auto* grid = new QGridLayout(this);
    Titre1 = new QLabel(this);
    Titre1->setObjectName(QStringLiteral("Titre1"));
    FileOrigine = new QLineEdit(this);
    FileOrigine->setObjectName(QStringLiteral("FileOrigine"));
    FileOrigine->setReadOnly(true);
    ButtonOrigine = new QPushButton(QStringLiteral("..."), this);
    ButtonOrigine->setObjectName(QStringLiteral("ButtonOrigine"));
    Titre2 = new QLabel(this);
    Titre2->setObjectName(QStringLiteral("Titre2"));
    FileDestination = new QLineEdit(this);
    FileDestination->setObjectName(QStringLiteral("FileDestination"));
    FileDestination->setReadOnly(true);
    ButtonDestination = new QPushButton(QStringLiteral("..."), this);
    ButtonDestination->setObjectName(QStringLiteral("ButtonDestination"));
    ConvertButton = new QPushButton(this);
    ConvertButton->setObjectName(QStringLiteral("ConvertButton"));
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    grid->addWidget(Titre1, 0, 0, 1, 2);
    grid->addWidget(FileOrigine, 1, 0);
    grid->addWidget(ButtonOrigine, 1, 1);
    grid->addWidget(Titre2, 2, 0, 1, 2);
    grid->addWidget(FileDestination, 3, 0);
    grid->addWidget(ButtonDestination, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ConvertButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 4, 0, 1, 2);

    chooseSource = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(this, tr("Convertir le fichier bm2  :"), folder,
                                            tr("Fichiers mesures (*.bm2)"));
    };
    // Qt's save dialog asks before overwriting an existing file.
    chooseDestination = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, Titre2->text(), proposed,
                                            kind_ == CalculatedValues
                                                ? tr("Fichier Excel (*.xls)")
                                                : tr("Fichier Texte (*.txt)"));
    };

    connect(ButtonOrigine, &QPushButton::clicked, this, &TForm_Convert::ButtonOrigineClick);
    connect(ButtonDestination, &QPushButton::clicked, this, &TForm_Convert::ButtonDestinationClick);
    connect(ConvertButton, &QPushButton::clicked, this, &TForm_Convert::ConvertButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TForm_Convert::CancelButtonClick);
    prepare(CalculatedValues);
}

void TForm_Convert::retranslate() {
    Titre1->setText(tr("Convertir le fichier bm2  :"));
    ConvertButton->setText(tr("Convertir"));
    CancelButton->setText(tr("Annuler"));
    if (kind_ == CalculatedValues) {
        setWindowTitle(tr("Conversion en valeurs calculées"));
        Titre2->setText(tr("En un fichier .xls"));
    } else {
        setWindowTitle(tr("Conversion en valeurs brutes"));
        Titre2->setText(tr("En un fichier .txt"));
    }
}

void TForm_Convert::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TForm_Convert::prepare(ConversionKind kind) {
    kind_ = kind;
    FileOrigine->clear();
    FileDestination->clear();
    ConvertButton->setEnabled(false);
    retranslate();
}

QString TForm_Convert::withKindExtension(const QString& file) const {
    const QFileInfo info(file);
    const QString base = info.completeSuffix().isEmpty() && !file.endsWith(QLatin1Char('.'))
                             ? file
                             : info.path() + QLatin1Char('/') + info.completeBaseName();
    return base + QString::fromLatin1(conversion_extension(kind_));
}

void TForm_Convert::ButtonOrigineClick() {
    const QString file = chooseSource(QString::fromStdString(session_.settings.DefaultDirectory));
    if (file.isEmpty())
        return;
    FileOrigine->setText(file);
    FileDestination->setText(withKindExtension(file));
    ConvertButton->setEnabled(true);
}

void TForm_Convert::ButtonDestinationClick() {
    const QString file = chooseDestination(FileDestination->text());
    if (file.isEmpty())
        return;
    FileDestination->setText(withKindExtension(file));
    // Without a source there is nothing to convert yet.
    ConvertButton->setEnabled(!FileOrigine->text().isEmpty());
}

void TForm_Convert::ConvertButtonClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fermerSession_();
    try {
        const Measurement m = load_for_conversion(FileOrigine->text().toStdString(),
                                                  session_.settingsFile(), kind_ == CalculatedValues);
        write_values_file(FileDestination->text().toStdString(), m, kind_, conversion_texts(session_));
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        showError(this, fromProgramText(std::string(error.what())));
        return;
    }
    QApplication::restoreOverrideCursor();
    showInformation(this, tr("Conversion terminée"));
    close();
}

void TForm_Convert::CancelButtonClick() { close(); }

void TForm_Convert::closeEvent(QCloseEvent* event) {
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    QWidget::closeEvent(event);
}

} // namespace talvex
