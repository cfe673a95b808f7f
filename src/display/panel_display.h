// The display options dialog "Affichage": which chart windows are shown, the measure, colour
// and smoothing of each curve, the status strips, the averaging count, the GSM spike filter
// and the time interval. Its choices are kept in the settings file (section DISPLAY); OK
// lays the chart windows out and builds their curves.
#pragma once

#include "app/session.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace talvex {

class ChartArea;

class TForm_Display : public QDialog {
    Q_OBJECT
public:
    TForm_Display(Session& session, ChartArea& charts, QWidget* parent = nullptr);

    // Fills the dialog from the settings file and the current measurement (also run by
    // every showing).
    void FormShow();
    // Stores the choices, lays the windows out, builds the curves and closes. False (the
    // dialog stays open) when a field does not hold a valid number or date.
    bool ButtonOKClick();
    void ButtonCancelClick() { close(); }
    // Builds the curves of the shown windows from the current measurement.
    void Display_Charts();

    // Controls, named as the settings and the handlers know them.
    std::array<QCheckBox*, 4> CheckBoxWindow{};
    std::array<QWidget*, 4> PanelWindow{};
    // Courbe[w][c]: curve c (0, 1) of window w (0..2); Courbe4[s]: strip s.
    std::array<std::array<QComboBox*, 2>, 3> Courbe{};
    std::array<std::array<QLineEdit*, 2>, 3> Lissage{};
    std::array<std::array<QPushButton*, 2>, 3> Color{};
    std::array<QComboBox*, 2> Courbe4{};
    QRadioButton* ButtonDisplayAll = nullptr;
    QRadioButton* ButtonDisplaySelection = nullptr;
    QLineEdit* StartDateAll = nullptr;
    QLineEdit* EndDateAll = nullptr;
    QLineEdit* StartDateSelection = nullptr;
    QLineEdit* EndDateSelection = nullptr;
    QLineEdit* ValeurCumul = nullptr;
    QCheckBox* CheckBoxFilter = nullptr;
    QProgressBar* ProgressBarCalcul = nullptr;
    QStatusBar* StatusBarCalcul = nullptr;

    QColor swatchColour(int window, int curve) const;
    void setSwatchColour(int window, int curve, const QColor& colour);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void retranslate();
    void CheckBoxWindowClick();
    void Color_MouseDown(int window, int curve);
    void writeSettings() const;
    void fillLists();

    Session& session_;
    ChartArea& charts_;
    std::array<std::array<QLabel*, 2>, 3> curveLabels_{};
    std::array<std::array<QLabel*, 2>, 3> lissageLabels_{};
    std::array<QLabel*, 2> controlLabels_{};
    QLabel* cumulLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QWidget* datesBox_ = nullptr;
    std::array<std::array<QColor, 2>, 3> colours_{};
};

} // namespace talvex
