// The scale dialog "Echelle", opened by a click on a chart axis: minimum and maximum of the
// time axis (day/month/year hours:minutes) or of a value axis (a number).
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace talvex {

class TForm_Echelle : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Echelle(QWidget* parent = nullptr);

    // Shows the date fields (time axis) or the number fields (value axis), preset.
    void presetDates(const QString& minimum, const QString& maximum);
    void presetNumbers(const QString& minimum, const QString& maximum);
    bool showsDates() const;

    QString minimumText() const;
    QString maximumText() const;

    QLineEdit* MaxEditDate = nullptr;
    QLineEdit* MinEditDate = nullptr;
    QLineEdit* MaxEditReal = nullptr;
    QLineEdit* MinEditReal = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void showDateFields(bool dates);

    QLabel* maximumLabel_ = nullptr;
    QLabel* minimumLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace talvex
