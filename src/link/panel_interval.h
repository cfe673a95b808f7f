// The interval window of a partial reading ("Lecture Partielle"): two dates, dd/mm/yy,
// offered as the widest range the probe holds.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace talvex {

class TForm_Interval : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Interval(QWidget* mainWindow);

    void setDates(const QString& start, const QString& end);
    void retranslate();

    // OK: the reading commands check the dates and read the interval.
    std::function<void()> OKButtonClick;
    void CancelButtonClick() { close(); }

    QLineEdit* Edit_StartDate = nullptr;
    QLineEdit* Edit_EndDate = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Closed by ANNULER, the title bar, Escape or a reading that starts: the main window is
    // usable again.
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* mainWindow_;
    QLabel* title_ = nullptr;
    QLabel* from_ = nullptr;
    QLabel* to_ = nullptr;
};

} // namespace talvex
