// The About box: product name, version and a few lines about the program, on a white panel
// without a title bar. While it is shown the main window takes no input.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace talvex {

class TForm_Apropos : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Apropos(QWidget* parent = nullptr);
    void OKButtonClick() { close(); }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void retranslate();
    QLabel* product_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* details_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace talvex
