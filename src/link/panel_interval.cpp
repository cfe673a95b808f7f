#include "link/panel_interval.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace talvex {

TForm_Interval::TForm_Interval(QWidget* mainWindow) : QDialog(nullptr), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form_Interval"));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    layout->addWidget(title_);
    auto* row = new QHBoxLayout;
    from_ = new QLabel(this);
    to_ = new QLabel(this);
    Edit_StartDate = new QLineEdit(this);
    Edit_EndDate = new QLineEdit(this);
    Edit_StartDate->setObjectName(QStringLiteral("Edit_StartDate"));
    Edit_EndDate->setObjectName(QStringLiteral("Edit_EndDate"));
    for (QLineEdit* edit : {Edit_StartDate, Edit_EndDate}) {
        edit->setInputMask(QStringLiteral("00/00/99;_")); // dd/mm/yy, blanks shown as "_"
        edit->setMaximumWidth(90);
    }
    row->addWidget(from_);
    row->addWidget(Edit_StartDate);
    row->addWidget(to_);
    row->addWidget(Edit_EndDate);
    row->addStretch(1);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    CancelButton = new QPushButton(this);
    OKButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    buttons->addWidget(CancelButton);
    buttons->addWidget(OKButton);
    layout->addLayout(buttons);
    connect(CancelButton, &QPushButton::clicked, this, &TForm_Interval::CancelButtonClick);
    connect(OKButton, &QPushButton::clicked, this, [this] {
        if (OKButtonClick)
            OKButtonClick();
    });
    retranslate();
}

void TForm_Interval::retranslate() {
    setWindowTitle(tr("Lecture Partielle"));
    title_->setText(tr("  Sélection de la plage de mesures à lire :"));
    from_->setText(tr("Du"));
    to_->setText(tr("au  "));
    CancelButton->setText(tr("ANNULER"));
    OKButton->setText(tr("OK"));
}

void TForm_Interval::setDates(const QString& start, const QString& end) {
    Edit_StartDate->setText(start);
    Edit_EndDate->setText(end);
}

void TForm_Interval::showEvent(QShowEvent* event) {
    if (mainWindow_)
        mainWindow_->setEnabled(false);
    QDialog::showEvent(event);
}

void TForm_Interval::hideEvent(QHideEvent* event) {
    if (mainWindow_ && !event->spontaneous())
        mainWindow_->setEnabled(true);
    QDialog::hideEvent(event);
}

void TForm_Interval::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

} // namespace talvex
