#include "display/panel_display.h"

#include "app/ini_file.h"
#include "app/qt_messages.h"
#include "data/probe_header.h"
#include "data/text_file.h"
#include "display/calculation.h"
#include "display/chart_text.h"
#include "display/display_curves.h"
#include "display/qt_chart.h"
#include "display/qt_chart_area.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace talvex {

namespace {

constexpr const char* Section = "DISPLAY";

std::string curveKey(const char* prefix, int window, int curve) {
    return std::string(prefix) + " f" + std::to_string(window + 1) + "c" + std::to_string(curve + 1);
}

QString controlName(const char* prefix, int window, int curve) {
    return QStringLiteral("%1_F%2C%3").arg(QString::fromLatin1(prefix)).arg(window + 1).arg(curve + 1);
}

// Curve 1 of each window is red, curve 2 blue, until the user chooses.
long defaultColour(int curve) { return curve == 0 ? 255 : 16711680; }

QColor fromColorref(long colorref) {
    const Rgb c = rgb_from_colorref(colorref);
    return QColor(c.red, c.green, c.blue);
}

long toColorref(const QColor& colour) {
    return colorref_from_rgb({colour.red(), colour.green(), colour.blue()});
}

std::optional<int> fieldInteger(const QLineEdit* field) {
    std::int64_t value = 0;
    if (!parse_integer(field->text().trimmed().toStdString(), value) || value < INT32_MIN ||
        value > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

QLineEdit* dateField(QWidget* parent, const char* name, bool editable) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setInputMask(QStringLiteral("99/99/99;_"));
    edit->setReadOnly(!editable);
    edit->setFixedWidth(80);
    return edit;
}

QLineEdit* twoDigitField(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(2);
    edit->setValidator(new QIntValidator(0, 99, edit));
    edit->setFixedWidth(32);
    return edit;
}

} // namespace

TForm_Display::TForm_Display(Session& session, ChartArea& charts, QWidget* parent)
    : QDialog(parent), session_(session), charts_(charts) {
    setObjectName(QStringLiteral("Form_Display"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Shown without blocking the caller, but the main window takes no input meanwhile.
    setWindowModality(Qt::ApplicationModal);
    for (auto& pair : colours_)
        for (int c = 0; c < 2; ++c)
            pair[c] = fromColorref(defaultColour(c));
    buildControls();
    retranslate();
}

void TForm_Display::buildControls() {
    auto* main = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* windowsColumn = new QVBoxLayout;
    top->addLayout(windowsColumn, 3);

    for (int w = 0; w < 3; ++w) {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        auto* box = new QVBoxLayout(frame);
        CheckBoxWindow[w] = new QCheckBox(frame);
        CheckBoxWindow[w]->setObjectName(QStringLiteral("CheckBoxWindow%1").arg(w + 1));
        box->addWidget(CheckBoxWindow[w]);
        PanelWindow[w] = new QWidget(frame);
        PanelWindow[w]->setObjectName(QStringLiteral("PanelWindow%1").arg(w + 1));
        auto* grid = new QGridLayout(PanelWindow[w]);
        grid->setContentsMargins(16, 0, 0, 0);
        for (int c = 0; c < 2; ++c) {
            curveLabels_[w][c] = new QLabel(PanelWindow[w]);
            Courbe[w][c] = new QComboBox(PanelWindow[w]);
            Courbe[w][c]->setObjectName(controlName("Courbe", w, c));
            Courbe[w][c]->setMinimumWidth(170);
            lissageLabels_[w][c] = new QLabel(PanelWindow[w]);
            Lissage[w][c] = twoDigitField(PanelWindow[w], controlName("Lissage", w, c));
            Color[w][c] = new QPushButton(PanelWindow[w]);
            Color[w][c]->setObjectName(controlName("Color", w, c));
            Color[w][c]->setFixedSize(36, 20);
            connect(Color[w][c], &QPushButton::clicked, this, [this, w, c] { Color_MouseDown(w, c); });
            grid->addWidget(curveLabels_[w][c], c, 0);
            grid->addWidget(Courbe[w][c], c, 1);
            grid->addWidget(lissageLabels_[w][c], c, 2);
            grid->addWidget(Lissage[w][c], c, 3);
            grid->addWidget(Color[w][c], c, 4);
        }
        box->addWidget(PanelWindow[w]);
        windowsColumn->addWidget(frame);
    }

    auto* controls = new QFrame(this);
    controls->setFrameShape(QFrame::StyledPanel);
    auto* controlBox = new QVBoxLayout(controls);
    CheckBoxWindow[3] = new QCheckBox(controls);
    CheckBoxWindow[3]->setObjectName(QStringLiteral("CheckBoxWindow4"));
    controlBox->addWidget(CheckBoxWindow[3]);
    PanelWindow[3] = new QWidget(controls);
    PanelWindow[3]->setObjectName(QStringLiteral("PanelWindow4"));
    auto* controlGrid = new QGridLayout(PanelWindow[3]);
    controlGrid->setContentsMargins(16, 0, 0, 0);
    for (int s = 0; s < 2; ++s) {
        controlLabels_[s] = new QLabel(PanelWindow[3]);
        Courbe4[s] = new QComboBox(PanelWindow[3]);
        Courbe4[s]->setObjectName(QStringLiteral("Courbe_F4C%1").arg(s + 1));
        controlGrid->addWidget(controlLabels_[s], s, 0);
        controlGrid->addWidget(Courbe4[s], s, 1);
    }
    controlGrid->setColumnStretch(2, 1);
    controlBox->addWidget(PanelWindow[3]);
    windowsColumn->addWidget(controls);
    for (QCheckBox* box : CheckBoxWindow)
        connect(box, &QCheckBox::toggled, this, &TForm_Display::CheckBoxWindowClick);

    auto* side = new QVBoxLayout;
    top->addLayout(side, 2);
    datesBox_ = new QFrame(this);
    static_cast<QFrame*>(datesBox_)->setFrameShape(QFrame::StyledPanel);
    auto* dates = new QGridLayout(datesBox_);
    ButtonDisplayAll = new QRadioButton(datesBox_);
    ButtonDisplayAll->setObjectName(QStringLiteral("ButtonDisplayAll"));
    ButtonDisplaySelection = new QRadioButton(datesBox_);
    ButtonDisplaySelection->setObjectName(QStringLiteral("ButtonDisplaySelection"));
    auto* group = new QButtonGroup(this);
    group->addButton(ButtonDisplayAll);
    group->addButton(ButtonDisplaySelection);
    ButtonDisplayAll->setChecked(true);
    StartDateAll = dateField(datesBox_, "StartDateAll", false);
    EndDateAll = dateField(datesBox_, "EndDateAll", false);
    StartDateSelection = dateField(datesBox_, "StartDateSelection", true);
    EndDateSelection = dateField(datesBox_, "EndDateSelection", true);
    dates->addWidget(ButtonDisplayAll, 0, 0);
    dates->addWidget(StartDateAll, 0, 1);
    dates->addWidget(EndDateAll, 0, 2);
    dates->addWidget(ButtonDisplaySelection, 1, 0);
    dates->addWidget(StartDateSelection, 1, 1);
    dates->addWidget(EndDateSelection, 1, 2);
    side->addWidget(datesBox_);

    auto* cumulRow = new QHBoxLayout;
    cumulLabel_ = new QLabel(this);
    ValeurCumul = twoDigitField(this, QStringLiteral("ValeurCumul"));
    cumulRow->addWidget(cumulLabel_);
    cumulRow->addWidget(ValeurCumul);
    cumulRow->addStretch(1);
    side->addLayout(cumulRow);
    CheckBoxFilter = new QCheckBox(this);
    CheckBoxFilter->setObjectName(QStringLiteral("CheckBoxFilter"));
    CheckBoxFilter->setChecked(true);
    side->addWidget(CheckBoxFilter);
    side->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    okButton_ = new QPushButton(this);
    okButton_->setObjectName(QStringLiteral("ButtonOK"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("ButtonCancel"));
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    side->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
    connect(cancelButton_, &QPushButton::clicked, this, &TForm_Display::ButtonCancelClick);

    main->addLayout(top);
    ProgressBarCalcul = new QProgressBar(this);
    ProgressBarCalcul->setObjectName(QStringLiteral("ProgressBarCalcul"));
    ProgressBarCalcul->setRange(0, 100);
    ProgressBarCalcul->setTextVisible(false);
    ProgressBarCalcul->setFixedHeight(12);
    main->addWidget(ProgressBarCalcul);
    StatusBarCalcul = new QStatusBar(this);
    StatusBarCalcul->setObjectName(QStringLiteral("StatusBarCalcul"));
    StatusBarCalcul->setSizeGripEnabled(false);
    main->addWidget(StatusBarCalcul);
}

void TForm_Display::retranslate() {
    setWindowTitle(tr("Affichage"));
    for (int w = 0; w < 3; ++w) {
        CheckBoxWindow[w]->setText(tr("Fenêtre %1").arg(w + 1));
        curveLabels_[w][0]->setText(tr("Courbe 1"));
        curveLabels_[w][1]->setText(tr("Courbe 2"));
        for (QLabel* label : lissageLabels_[w])
            label->setText(tr("Lissage"));
    }
    CheckBoxWindow[3]->setText(tr("Afficher les contrôles"));
    controlLabels_[0]->setText(tr("Données de contrôle 1"));
    controlLabels_[1]->setText(tr("Données de contrôle 2"));
    ButtonDisplayAll->setText(tr("Tout"));
    ButtonDisplaySelection->setText(tr("Sélection"));
    cumulLabel_->setText(tr("Nombre d'acquisitions sommées"));
    CheckBoxFilter->setText(tr("Filtrage GSM"));
    okButton_->setText(tr("&OK"));
    cancelButton_->setText(tr("&Annuler"));
}

void TForm_Display::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void TForm_Display::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

QColor TForm_Display::swatchColour(int window, int curve) const { return colours_[window][curve]; }

void TForm_Display::setSwatchColour(int window, int curve, const QColor& colour) {
    colours_[window][curve] = colour;
    Color[window][curve]->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid gray; }")
            .arg(colour.name()));
}

void TForm_Display::Color_MouseDown(int window, int curve) {
    const QColor chosen = QColorDialog::getColor(colours_[window][curve], this);
    if (chosen.isValid())
        setSwatchColour(window, curve, chosen);
}

void TForm_Display::CheckBoxWindowClick() {
    for (int w = 0; w < 4; ++w)
        PanelWindow[w]->setEnabled(CheckBoxWindow[w]->isChecked());
}

void TForm_Display::FormShow() {
    const IniFile settings(session_.settingsFile());
    for (int w = 0; w < 3; ++w) {
        CheckBoxWindow[w]->setChecked(
            settings.readBool(Section, "window" + std::to_string(w + 1), false));
        for (int c = 0; c < 2; ++c) {
            setSwatchColour(w, c, fromColorref(settings.readInteger(
                                      Section, curveKey("color", w, c), defaultColour(c))));
            Lissage[w][c]->setText(
                QString::fromStdString(settings.readString(Section, curveKey("lissage", w, c), "0")));
        }
    }
    CheckBoxWindow[3]->setChecked(settings.readBool(Section, "controles", true));
    ValeurCumul->setText(QString::fromStdString(settings.readString(Section, "cumul", "1")));
    ProgressBarCalcul->setValue(0);
    StatusBarCalcul->clearMessage();
    CheckBoxWindowClick();

    const Measurement* m = session_.current.get();
    auto date = [](double instant) { return QString::fromStdString(format_date_field(instant)); };
    StartDateAll->setText(date(m ? m->StartAll : 0));
    EndDateAll->setText(date(m ? m->EndAll : 0));
    StartDateSelection->setText(date(session_.display.StartSelection));
    EndDateSelection->setText(date(session_.display.EndSelection));

    fillLists();
    for (int w = 0; w < 3; ++w)
        for (int c = 0; c < 2; ++c)
            Courbe[w][c]->setCurrentIndex(stored_list_position(
                settings.readInteger(Section, curveKey("courbe", w, c), 0), Courbe[w][c]->count()));
    for (int s = 0; s < 2; ++s)
        Courbe4[s]->setCurrentIndex(stored_list_position(
            settings.readInteger(Section, curveKey("courbe", 3, s), 0), Courbe4[s]->count()));
}

void TForm_Display::fillLists() {
    for (auto& pair : Courbe)
        for (QComboBox* list : pair)
            list->clear();
    for (QComboBox* list : Courbe4)
        list->clear();
    int mask = 0;
    if (session_.current) {
        try {
            mask = read_sensor_mask(session_.settingsFile(), session_.current->header);
        } catch (const std::exception& error) {
            showError(this, fromProgramText(std::string(error.what())));
        }
    }
    auto name = [this](int entry) {
        return QString::fromStdString(session_.MeasureNames[static_cast<size_t>(entry)]);
    };
    QStringList curves, controls;
    for (int entry : curve_list_entries(mask))
        curves << name(entry);
    for (int entry : control_list_entries(mask))
        controls << name(entry);
    for (auto& pair : Courbe)
        for (QComboBox* list : pair)
            list->addItems(curves);
    for (QComboBox* list : Courbe4)
        list->addItems(controls);
}

void TForm_Display::writeSettings() const {
    IniFile settings(session_.settingsFile());
    for (int w = 0; w < 3; ++w) {
        settings.writeBool(Section, "window" + std::to_string(w + 1), CheckBoxWindow[w]->isChecked());
        for (int c = 0; c < 2; ++c) {
            settings.writeInteger(Section, curveKey("courbe", w, c), Courbe[w][c]->currentIndex());
            settings.writeString(Section, curveKey("lissage", w, c),
                                 Lissage[w][c]->text().toStdString());
            settings.writeInteger(Section, curveKey("color", w, c), toColorref(colours_[w][c]));
        }
    }
    for (int s = 0; s < 2; ++s)
        settings.writeInteger(Section, curveKey("courbe", 3, s), Courbe4[s]->currentIndex());
    settings.writeBool(Section, "controles", CheckBoxWindow[3]->isChecked());
    settings.writeString(Section, "cumul", ValeurCumul->text().toStdString());
    settings.save();
}

bool TForm_Display::ButtonOKClick() {
    // Every field is checked before anything changes, so a typing error leaves the charts
    // and the stored choices as they were.
    std::vector<const QLineEdit*> numbers{ValeurCumul};
    for (const auto& pair : Lissage)
        numbers.insert(numbers.end(), pair.begin(), pair.end());
    for (const QLineEdit* field : numbers) {
        if (!fieldInteger(field)) {
            showError(this, tr("'%1' n'est pas une valeur entière correcte").arg(field->text()));
            return false;
        }
    }
    const QLineEdit* dateFields[] = {StartDateAll, EndDateAll, StartDateSelection, EndDateSelection};
    std::array<double, 4> days{};
    for (int i = 0; i < 4; ++i) {
        const auto day = parse_date_field(dateFields[i]->text().toStdString());
        if (!day) {
            showError(this, tr("'%1' n'est pas une date correcte").arg(dateFields[i]->text()));
            return false;
        }
        days[static_cast<size_t>(i)] = *day;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        writeSettings();
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }

    DisplayState& display = session_.display;
    const bool all = ButtonDisplayAll->isChecked();
    const DayInterval interval = display_interval(all ? days[0] : days[2], all ? days[1] : days[3]);
    display.DisplayFrom = interval.from;
    display.DisplayTo = interval.to;
    display.StartSelection = days[2];
    display.EndSelection = days[3];
    for (int w = 0; w < 3; ++w)
        display.WindowShown[w] = CheckBoxWindow[w]->isChecked() &&
                                 (Courbe[w][0]->currentIndex() > 0 || Courbe[w][1]->currentIndex() > 0);
    display.WindowShown[3] = CheckBoxWindow[3]->isChecked();

    if (session_.current) {
        std::string label = session_.HeaderLabels[1];
        if (!label.empty() && label.back() == '\t')
            label.pop_back();
        const QString hint = QString::fromStdString(label) + QStringLiteral(" : ") +
                             QString::fromStdString(cp1252_to_utf8(session_.current->header.value(1)));
        for (int w = 0; w < 3; ++w)
            if (display.WindowShown[w])
                charts_.setChartHint(w + 1, hint);
        if (display.WindowShown[3])
            charts_.setChartHint(4, hint);
    }
    for (int w = 0; w < 3; ++w)
        for (int c = 0; c < 2; ++c)
            charts_.setLegend(w + 1, c, Courbe[w][c]->currentText(),
                              Courbe[w][c]->currentIndex() != 0, colours_[w][c]);
    for (int s = 0; s < 2; ++s)
        charts_.setStripTitle(s, Courbe4[s]->currentText());

    StatusBarCalcul->showMessage(tr("Positionnement des fenêtres des graphes en cours..."));
    ProgressBarCalcul->setValue(0);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    charts_.Display_Windows();
    StatusBarCalcul->showMessage(tr("Lissage et affichage des courbes en cours..."));
    ProgressBarCalcul->setValue(50);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
        Display_Charts();
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        showError(this, fromProgramText(std::string(error.what())));
        return false;
    }
    ProgressBarCalcul->setValue(100);
    QApplication::restoreOverrideCursor();
    accept();
    return true;
}

void TForm_Display::Display_Charts() {
    if (!session_.current)
        return;
    DisplayRequest request;
    request.shown = session_.display.WindowShown;
    for (int w = 0; w < 3; ++w)
        for (int c = 0; c < 2; ++c)
            request.curves[w][c] = {Courbe[w][c]->currentText().toStdString(),
                                    fieldInteger(Lissage[w][c]).value_or(0)};
    for (int s = 0; s < 2; ++s)
        request.controls[s] = Courbe4[s]->currentText().toStdString();
    request.cumul = fieldInteger(ValeurCumul).value_or(1);
    request.gsmFilter = CheckBoxFilter->isChecked();
    request.gsmFactor = session_.settings.gsmFilterFactor;
    request.interval = {session_.display.DisplayFrom, session_.display.DisplayTo};

    DisplayCurves curves = talvex::Display_Charts(*session_.current, session_.MeasureNames, request);
    ValeurCumul->setText(QString::number(curves.cumul));
    for (int w = 0; w < 3; ++w)
        for (int c = 0; c < 2; ++c)
            Lissage[w][c]->setText(QString::number(curves.lissage[w][c]));
    charts_.showCurves(std::move(curves), colours_);
}

} // namespace talvex
