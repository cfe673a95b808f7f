#include "app/qt_messages.h"

#include "app/qt_program_texts.h"

#include <QCoreApplication>
#include <QPushButton>

namespace talvex {

namespace {

QString caption() {
    return QStringLiteral("Talvex2");
}

// Button captions, listed for lupdate under the context they are translated with.
QString button(const char* text) {
    return QCoreApplication::translate("Messages", text);
}

int run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        const std::initializer_list<std::pair<QString, QMessageBox::ButtonRole>>& buttons) {
    QMessageBox box(icon, caption(), fromProgramText(text), QMessageBox::NoButton, parent);
    std::vector<QAbstractButton*> made;
    for (const auto& [label, role] : buttons)
        made.push_back(box.addButton(label, role));
    box.setDefaultButton(static_cast<QPushButton*>(made.front()));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return static_cast<int>(i);
    return static_cast<int>(made.size()) - 1; // closed by Escape: the last (cancelling) button
}

} // namespace

QString fromProgramText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return t;
}

QString fromProgramText(const std::string& text) {
    return fromProgramText(translateProgramText(text));
}

void showWarning(QWidget* parent, const QString& text) {
    run(parent, QMessageBox::Warning, text,
        {{button(QT_TRANSLATE_NOOP("Messages", "OK")), QMessageBox::AcceptRole}});
}

void showError(QWidget* parent, const QString& text) {
    run(parent, QMessageBox::Critical, text,
        {{button(QT_TRANSLATE_NOOP("Messages", "OK")), QMessageBox::AcceptRole}});
}

void showInformation(QWidget* parent, const QString& text) {
    run(parent, QMessageBox::Information, text,
        {{button(QT_TRANSLATE_NOOP("Messages", "OK")), QMessageBox::AcceptRole}});
}

bool askOkCancel(QWidget* parent, const QString& text) {
    return run(parent, QMessageBox::Question, text,
               {{button(QT_TRANSLATE_NOOP("Messages", "OK")), QMessageBox::AcceptRole},
                {button(QT_TRANSLATE_NOOP("Messages", "Annuler")), QMessageBox::RejectRole}}) == 0;
}

bool askYesNo(QWidget* parent, const QString& text) {
    return run(parent, QMessageBox::Question, text,
               {{button(QT_TRANSLATE_NOOP("Messages", "Oui")), QMessageBox::YesRole},
                {button(QT_TRANSLATE_NOOP("Messages", "Non")), QMessageBox::NoRole}}) == 0;
}

Answer askYesNoCancel(QWidget* parent, const QString& text) {
    switch (run(parent, QMessageBox::Question, text,
                {{button(QT_TRANSLATE_NOOP("Messages", "Oui")), QMessageBox::YesRole},
                 {button(QT_TRANSLATE_NOOP("Messages", "Non")), QMessageBox::NoRole},
                 {button(QT_TRANSLATE_NOOP("Messages", "Annuler")), QMessageBox::RejectRole}})) {
    case 0:
        return Answer::Yes;
    case 1:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace talvex
