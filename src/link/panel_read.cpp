#include "link/panel_read.h"

#include "app/panel_main.h"
#include "app/qt_messages.h"
#include "link/panel_comport.h"
#include "link/panel_interval.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace talvex {

namespace {

// The texts the link and reading code may give, for the translation tools.
[[maybe_unused]] const char* const LinkTexts[] = {
    QT_TRANSLATE_NOOP("Link", "Pas de réponse.\n\rVérifiez que la sonde est connectée"),
    QT_TRANSLATE_NOOP("Link", "Réponse incorrecte. Recommencer la"),
    QT_TRANSLATE_NOOP("Link", "Le header de la sonde est corrompu.\n\rPour corriger le problème, "
                              "refaites un paramétrage."),
    QT_TRANSLATE_NOOP("Link", "Le header de la sonde est incomplet : la sonde a cessé de "
                              "répondre.\n\rRecommencez la lecture."),
    QT_TRANSLATE_NOOP("Link", "Il n'y a pas de mesures."),
    QT_TRANSLATE_NOOP("Link", "Il n'y a pas assez de mesures."),
    QT_TRANSLATE_NOOP("Link", "L'intervalle de temps spécifié est incorrect"),
    QT_TRANSLATE_NOOP("Link", "La sonde a été arrêtée.\n\rVous pouvez la déconnecter."),
    QT_TRANSLATE_NOOP("Link", "La sonde n'a pas confirmé son arrêt.\n\rRecommencez la commande."),
    QT_TRANSLATE_NOOP("Link", "La lecture des mesures a été interrompue : la réponse de la sonde "
                              "est incomplète ou incorrecte.\n\rRecommencez la lecture."),
    QT_TRANSLATE_NOOP("Link", "La sonde n'a envoyé aucune mesure : la recherche a été "
                              "abandonnée.\n\rRecommencez la lecture."),
    QT_TRANSLATE_NOOP("Link", "Erreur de communication avec la sonde :"),
    QT_TRANSLATE_NOOP("Link", "La période d'acquisition de la sonde n'est pas utilisable :"),
    QT_TRANSLATE_NOOP("Link", "Vérifiez que votre sonde est connectée..."),
    QT_TRANSLATE_NOOP("Link", "'%1' n'est pas une date correcte"),
    QT_TRANSLATE_NOOP("Link", "Les mesures en cours n'ont pas été sauvegardées.\n\rVoulez-vous "
                              "les sauvegarder avant la lecture de la sonde ?"),
};

// The picture shown while the probe searches its memory: a pair of eyes.
QPixmap eyes() {
    QPixmap pixmap(64, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int x : {4, 34}) {
        p.setBrush(Qt::white);
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(QRect(x, 4, 26, 24));
        p.setBrush(Qt::black);
        p.drawEllipse(QRect(x + 12, 12, 9, 9));
    }
    return pixmap;
}

// "Vérifiez que votre sonde est connectée...": an information, with OK and Annuler.
bool ask_probe_connected(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Talvex2"),
                    fromProgramText(linkText(ConnectQuestion)), QMessageBox::NoButton, parent);
    QAbstractButton* ok =
        box.addButton(QCoreApplication::translate("Messages", "OK"), QMessageBox::AcceptRole);
    box.addButton(QCoreApplication::translate("Messages", "Annuler"), QMessageBox::RejectRole);
    box.setDefaultButton(static_cast<QPushButton*>(ok));
    box.exec();
    return box.clickedButton() == ok;
}

// Cursors for a message shown in the middle of a busy command.
void show_notice(QWidget* parent, const Notice& n) {
    QString text = linkText(n.text);
    if (!n.detail.empty())
        text += QStringLiteral("\n") + QString::fromStdString(n.detail);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    switch (n.kind) {
    case NoticeKind::Information:
        showInformation(parent, fromProgramText(text));
        break;
    case NoticeKind::Warning:
        showWarning(parent, fromProgramText(text));
        break;
    case NoticeKind::Error:
        showError(parent, fromProgramText(text));
        break;
    }
    QApplication::restoreOverrideCursor();
}

} // namespace

QString linkText(const std::string& text) {
    return QCoreApplication::translate("Link", text.c_str());
}

TForm_Read::TForm_Read(QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form_Read"));
    auto* layout = new QVBoxLayout(this);
    QFont title = font();
    title.setPointSize(title.pointSize() + 6);
    title.setBold(true);
    title.setItalic(true);
    StaticText_Msg = new QLabel(this);
    StaticText_Seek = new QLabel(this);
    for (QLabel* label : {StaticText_Msg, StaticText_Seek}) {
        label->setFont(title);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    StaticText_Maint = new QLabel(this);
    layout->addWidget(StaticText_Maint);
    ImageEyes = new QLabel(this);
    ImageEyes->setPixmap(eyes());
    ImageEyes->setAlignment(Qt::AlignCenter);
    layout->addWidget(ImageEyes);
    auto* grid = new QGridLayout;
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    mesuresalire = new QLineEdit(this);
    mesureslues = new QLineEdit(this);
    for (QLineEdit* e : {mesuresalire, mesureslues}) {
        e->setReadOnly(true);
        e->setMaximumWidth(110);
    }
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(mesuresalire, 0, 1);
    grid->addWidget(Label3, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(mesureslues, 1, 1);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    Progressbar = new QProgressBar(this);
    Progressbar->setRange(0, 100);
    layout->addWidget(Progressbar);
    LabelTime = new QLabel(this);
    layout->addWidget(LabelTime);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    layout->addWidget(CancelButton, 0, Qt::AlignHCenter);
    connect(CancelButton, &QPushButton::clicked, this, &TForm_Read::CancelButtonClick);
    setMinimumWidth(460);
    retranslate();
}

void TForm_Read::retranslate() {
    setWindowTitle(tr("Lecture Sonde"));
    StaticText_Msg->setText(tr("Lecture des mesures en cours"));
    StaticText_Seek->setText(tr("Recherche des mesures en cours"));
    Label1->setText(tr("Mesures attendues"));
    Label2->setText(tr("Mesures lues"));
    Label3->setText(tr("(Max)"));
    CancelButton->setText(tr("Annuler"));
}

void TForm_Read::prepare(long expected, const QString& maintenance, bool partial) {
    StaticText_Maint->setText(maintenance);
    mesuresalire->setText(QString::number(expected));
    mesureslues->setText(QStringLiteral("0"));
    Progressbar->setValue(0);
    StaticText_Seek->hide();
    StaticText_Msg->show();
    Label3->setVisible(partial);
    LabelTime->clear();
    ImageEyes->hide();
    // The hourglass is on the window; the button keeps the arrow until it is pressed.
    setCursor(Qt::WaitCursor);
    CancelButton->setCursor(Qt::ArrowCursor);
    reading_ = true;
}

void TForm_Read::finish() {
    reading_ = false;
    unsetCursor();
    CancelButton->unsetCursor();
    if (isVisible())
        close();
}

void TForm_Read::reject() {
    if (reading_)
        CancelButtonClick();
    else
        QDialog::reject();
}

void TForm_Read::showSearching(bool searching) {
    StaticText_Seek->setVisible(searching);
    StaticText_Msg->setVisible(!searching);
    ImageEyes->setVisible(searching);
    if (searching)
        Label3->show();
}

DownloadView TForm_Read::view() {
    DownloadView v;
    v.measuresRead = [this](long k) { mesureslues->setText(QString::number(k)); };
    v.progress = [this](int p) { Progressbar->setValue(p); };
    v.timeLeft = [this](const std::string& t) { LabelTime->setText(QString::fromStdString(t)); };
    v.searching = [this](bool on) { showSearching(on); };
    v.repaint = [this] { repaint(); };
    return v;
}

void TForm_Read::CancelButtonClick() {
    CancelButton->setCursor(Qt::WaitCursor);
    if (abortFlag)
        *abortFlag = true;
}

void TForm_Read::showEvent(QShowEvent* event) {
    if (mainWindow_)
        mainWindow_->setEnabled(false);
    QDialog::showEvent(event);
}

void TForm_Read::hideEvent(QHideEvent* event) {
    if (mainWindow_ && !event->spontaneous())
        mainWindow_->setEnabled(true);
    QDialog::hideEvent(event);
}

ReadingCommands::ReadingCommands(TForm_Main& main, TForm_Port& port, TForm_Read& read,
                                 TForm_Interval& interval)
    : main_(main), port_(port), read_(read), interval_(interval) {
    interval_.OKButtonClick = [this] { IntervalOKButtonClick(); };
}

bool ReadingCommands::askConnected() {
    // Over the modem the probe is on the line already; over the cable ask every time.
    if (main_.session().settings.ConnectionType == 1)
        return true;
    return ask_probe_connected(&main_);
}

bool ReadingCommands::keepUnsavedReading() {
    // A reading not saved yet exists only in the working files, which the new reading
    // rewrites: the user may save it first.
    if (main_.session().MeasuresSaved)
        return true;
    switch (askYesNoCancel(&main_, fromProgramText(linkText(UnsavedReadingQuestion)))) {
    case Answer::Yes:
        return main_.Save_bm2file();
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    }
    return false;
}

void ReadingCommands::closeShownMeasurement() {
    if (main_.action(QStringLiteral("Parametre"))->isEnabled())
        main_.FermerSession();
}

void ReadingCommands::workingFilesRewritten() {
    // The working files now hold (part of) this probe's reading, no longer the measurement
    // that was open: saving them would mix the two.
    main_.action(QStringLiteral("EnregistrerSous"))->setEnabled(false);
}

ReadingHooks ReadingCommands::hooks() {
    ReadingHooks h;
    h.notify = [this](const Notice& n) {
        show_notice(read_.isVisible() ? static_cast<QWidget*>(&read_) : &main_, n);
    };
    h.view = read_.view();
    h.messages = port_.linkMessages();
    h.english = main_.session().settings.english();
    h.showReadingWindow = [this](long expected, const std::string& notice, bool partial) {
        interval_.hide();
        main_.setEnabled(false);
        // The notice keeps its French words in both languages; only the month follows the
        // language.
        read_.prepare(expected, QString::fromStdString(notice), partial);
        read_.show();
        read_.raise();
        QApplication::processEvents();
    };
    read_.abortFlag = &port_.link().AbortFlag;
    return h;
}

void ReadingCommands::endReading(bool succeeded) {
    read_.finish();
    interval_.unsetCursor();
    interval_.OKButton->unsetCursor();
    main_.unsetCursor();
    // A failed connection leaves the interval window open for another try.
    main_.setEnabled(!interval_.isVisible());
    if (succeeded)
        main_.loadWorkingFiles(true);
}

void ReadingCommands::LectureClick() {
    if (!askConnected() || !keepUnsavedReading())
        return;
    closeShownMeasurement();
    ReadingHooks h = hooks();
    main_.setCursor(Qt::WaitCursor);
    const ReadingOutcome outcome = run_complete_reading(port_.link(), main_.session().working, h);
    if (outcome.connected && !outcome.succeeded)
        workingFilesRewritten();
    endReading(outcome.succeeded);
}

void ReadingCommands::PartielleClick() {
    if (!askConnected() || !keepUnsavedReading())
        return;
    closeShownMeasurement();
    ReadingHooks h = hooks();
    main_.setCursor(Qt::WaitCursor);
    prepared_ = prepare_partial_reading(port_.link(), main_.session().working, h);
    if (prepared_.connected)
        workingFilesRewritten();
    main_.unsetCursor();
    if (prepared_.ready) {
        interval_.setDates(QString::fromStdString(short_date(prepared_.firstDate)),
                           QString::fromStdString(short_date(prepared_.probeClock)));
        interval_.show();
        interval_.raise();
    }
}

void ReadingCommands::IntervalOKButtonClick() {
    const QString startText = interval_.Edit_StartDate->text();
    const QString endText = interval_.Edit_EndDate->text();
    const auto start = parse_short_date(startText.toStdString());
    const auto end = parse_short_date(endText.toStdString());
    if (!start || !end) {
        // Nothing is sent for a date that does not exist.
        showError(&interval_,
                  QCoreApplication::translate("Link", "'%1' n'est pas une date correcte")
                      .arg(start ? endText : startText));
        return;
    }
    // A start after the end is refused like a range outside the probe's memory.
    if (!interval_accepted(*start, *end, prepared_.firstDate, prepared_.probeClock)) {
        showWarning(&interval_, fromProgramText(linkText(IntervalIncorrectMessage)));
        interval_.setDates(QString::fromStdString(short_date(prepared_.firstDate)),
                           QString::fromStdString(short_date(prepared_.probeClock)));
        return;
    }
    interval_.setCursor(Qt::WaitCursor);
    interval_.OKButton->setCursor(Qt::WaitCursor);
    ReadingHooks h = hooks();
    const ReadingOutcome outcome =
        run_interval_reading(port_.link(), main_.session().working, prepared_, *start, *end, h);
    endReading(outcome.succeeded);
}

void ReadingCommands::ArretSondeClick() {
    ReadingHooks h = hooks();
    main_.setCursor(Qt::WaitCursor);
    stop_probe(port_.link(), h);
    main_.unsetCursor();
}

void TForm_Read::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

} // namespace talvex
