// The batch conversion window "Conversion": a list of measurement files converted one after
// the other into a folder, as raw values (".txt") and/or calculated values (".xls").
#pragma once

#include "app/session.h"
#include "data/text_conversion.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace talvex {

// The conversion texts of the language in force: the session's header labels and the
// translated column titles.
ConversionTexts conversion_texts(const Session& session);

class TForm_Conversion : public QWidget {
    Q_OBJECT
public:
    // `mainWindow` is disabled while this window is shown; `fermerSession` closes the file it
    // shows before converting.
    TForm_Conversion(Session& session, QWidget* mainWindow, std::function<void()> fermerSession);

    void ButtonOrigineClick();
    void ButtonDestinationClick();
    void CheckBoxBrutClick();
    void CheckBoxCalcClick();
    void ConvertButtonClick();
    void CancelButtonClick();

    // The file and folder dialogs (replaceable in tests): chosen paths, empty when cancelled.
    std::function<QStringList(const QString& folder)> chooseFiles;
    std::function<QString(const QString& folder)> chooseFolder;

    QLabel* Titre1 = nullptr;
    QPushButton* ButtonOrigine = nullptr;
    QListWidget* ListBoxOrigin = nullptr;
    QLabel* Titre2 = nullptr;
    QPushButton* ButtonDestination = nullptr;
    QLineEdit* DirDestination = nullptr;
    QCheckBox* CheckBoxBrut = nullptr;
    QCheckBox* CheckBoxCalc = nullptr;
    QPushButton* ConvertButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QProgressBar* ProgressBar = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ListBoxOriginKeyDown(int key);
    void updateConvertButton();
    void retranslate();

    Session& session_;
    QWidget* mainWindow_;
    std::function<void()> fermerSession_;
    QString lastChosenFolder_;
};

} // namespace talvex
