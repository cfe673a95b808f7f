#include "app/panel_apropos.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace talvex {

namespace {

// The program's picture: a probe's radon curve on a blue tile.
QPixmap picture() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1f, 0x4e, 0x99));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    QPainterPath curve;
    curve.moveTo(10, 46);
    curve.cubicTo(20, 44, 22, 18, 32, 20);
    curve.cubicTo(40, 22, 42, 40, 54, 16);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(QPen(QColor(255, 80, 80), 3));
    p.drawLine(10, 54, 54, 54);
    return pixmap;
}

} // namespace

TForm_Apropos::TForm_Apropos(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form_Apropos"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(416, 348);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    outer->addWidget(panel);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(16, 16, 16, 12);
    auto* head = new QHBoxLayout;
    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("ProgramIcon"));
    image->setPixmap(picture());
    head->addWidget(image, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    product_ = new QLabel(panel);
    product_->setObjectName(QStringLiteral("ProductName"));
    QFont big(QStringLiteral("Arial"));
    big.setBold(true);
    big.setPixelSize(21);
    product_->setFont(big);
    version_ = new QLabel(panel);
    version_->setObjectName(QStringLiteral("Version"));
    QFont medium(QStringLiteral("Arial"));
    medium.setBold(true);
    medium.setPixelSize(13);
    version_->setFont(medium);
    names->addWidget(product_);
    names->addWidget(version_);
    names->addStretch(1);
    head->addLayout(names, 1);
    column->addLayout(head);
    details_ = new QLabel(panel);
    details_->setObjectName(QStringLiteral("Comments"));
    details_->setWordWrap(true);
    details_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(details_, 1);
    okButton_ = new QPushButton(panel);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    column->addWidget(okButton_, 0, Qt::AlignHCenter);
    connect(okButton_, &QPushButton::clicked, this, &TForm_Apropos::OKButtonClick);
    retranslate();
}

void TForm_Apropos::retranslate() {
    product_->setText(QStringLiteral("Talvex 2"));
    version_->setText(QStringLiteral("         Version 1.7.1"));
    details_->setText(tr("Lecture, calcul et affichage des mesures des sondes radon.\n\n"
                         "Lit les sondes par câble RS232 ou par modem GSM, calcule l'activité "
                         "volumique du radon, la température, la pression, l'humidité, la "
                         "pluviométrie et la tension pile, et trace les courbes.\n\n"
                         "Orvane"));
    okButton_->setText(tr("OK"));
}

void TForm_Apropos::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void TForm_Apropos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

} // namespace talvex
