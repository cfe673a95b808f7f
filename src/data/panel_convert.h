// The single-file conversion window: one measurement file converted into one text file of
// raw values (".txt") or calculated values (".xls").
#pragma once

#include "app/session.h"
#include "data/text_conversion.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace talvex {

class TForm_Convert : public QWidget {
    Q_OBJECT
public:
    TForm_Convert(Session& session, QWidget* mainWindow, std::function<void()> fermerSession);

    // Prepares the window for a kind (CalculatedValues or RawValues): empty fields, caption
    // and destination label of the kind, "Convertir" disabled.
    void prepare(ConversionKind kind);
    ConversionKind kind() const { return kind_; }

    void ButtonOrigineClick();
    void ButtonDestinationClick();
    void ConvertButtonClick();
    void CancelButtonClick();

    // The dialogs (replaceable in tests): the chosen file, empty when cancelled.
    std::function<QString(const QString& folder)> chooseSource;
    std::function<QString(const QString& proposed)> chooseDestination;

    QLabel* Titre1 = nullptr;
    QLineEdit* FileOrigine = nullptr;
    QPushButton* ButtonOrigine = nullptr;
    QLabel* Titre2 = nullptr;
    QLineEdit* FileDestination = nullptr;
    QPushButton* ButtonDestination = nullptr;
    QPushButton* ConvertButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    QString withKindExtension(const QString& file) const;

    Session& session_;
    QWidget* mainWindow_;
    std::function<void()> fermerSession_;
    ConversionKind kind_ = CalculatedValues;
};

} // namespace talvex
