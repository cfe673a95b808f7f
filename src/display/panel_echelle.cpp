#include "display/panel_echelle.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace talvex {

TForm_Echelle::TForm_Echelle(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_Echelle"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* grid = new QGridLayout(this);
    maximumLabel_ = new QLabel(this);
    minimumLabel_ = new QLabel(this);

    auto dateField = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setInputMask(QStringLiteral("99/99/99 99:99;_"));
        return edit;
    };
    auto realField = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(16);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[-+]?[0-9]*\\.?[0-9]*([eE][-+]?[0-9]*)?")), edit));
        return edit;
    };
    MaxEditDate = dateField("MaxEditDate");
    MinEditDate = dateField("MinEditDate");
    MaxEditReal = realField("MaxEditReal");
    MinEditReal = realField("MinEditReal");

    grid->addWidget(maximumLabel_, 0, 0);
    grid->addWidget(MaxEditDate, 0, 1);
    grid->addWidget(MaxEditReal, 0, 1);
    grid->addWidget(minimumLabel_, 1, 0);
    grid->addWidget(MinEditDate, 1, 1);
    grid->addWidget(MinEditReal, 1, 1);

    auto* buttons = new QHBoxLayout;
    okButton_ = new QPushButton(this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    grid->addLayout(buttons, 2, 0, 1, 2);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    showDateFields(true);
    retranslate();
}

void TForm_Echelle::retranslate() {
    setWindowTitle(tr("Echelle"));
    maximumLabel_->setText(tr("Maximum"));
    minimumLabel_->setText(tr("Minimum"));
    okButton_->setText(tr("OK"));
    cancelButton_->setText(tr("Annuler"));
}

void TForm_Echelle::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void TForm_Echelle::showDateFields(bool dates) {
    MaxEditDate->setVisible(dates);
    MinEditDate->setVisible(dates);
    MaxEditReal->setVisible(!dates);
    MinEditReal->setVisible(!dates);
}

bool TForm_Echelle::showsDates() const { return !MaxEditDate->isHidden(); }

void TForm_Echelle::presetDates(const QString& minimum, const QString& maximum) {
    showDateFields(true);
    MinEditDate->setText(minimum);
    MaxEditDate->setText(maximum);
    MaxEditDate->setFocus();
}

void TForm_Echelle::presetNumbers(const QString& minimum, const QString& maximum) {
    showDateFields(false);
    MinEditReal->setText(minimum);
    MaxEditReal->setText(maximum);
    MaxEditReal->setFocus();
}

QString TForm_Echelle::minimumText() const {
    return showsDates() ? MinEditDate->text() : MinEditReal->text();
}

QString TForm_Echelle::maximumText() const {
    return showsDates() ? MaxEditDate->text() : MaxEditReal->text();
}

} // namespace talvex
