// Modal message boxes with the program's icons and button sets. Texts come as the program
// writes them ("\n\r" is one line break) in UTF-8.
#pragma once

#include <QMessageBox>
#include <QString>
#include <string>

namespace talvex {

// A text from core code (an error's message, a fixed program text) in the language in
// force; the QString form takes a text already translated by its window.
QString fromProgramText(const std::string& text);
QString fromProgramText(const QString& text);

void showWarning(QWidget* parent, const QString& text);
void showError(QWidget* parent, const QString& text);
void showInformation(QWidget* parent, const QString& text);

// Confirmation with OK and Annuler: true for OK.
bool askOkCancel(QWidget* parent, const QString& text);
// Confirmation with Oui, Non and Annuler.
enum class Answer { Yes, No, Cancel };
Answer askYesNoCancel(QWidget* parent, const QString& text);
// Confirmation with Oui and Non: true for Oui.
bool askYesNo(QWidget* parent, const QString& text);

} // namespace talvex
