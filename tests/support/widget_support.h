// Window-test helpers: answer the next modal message box or file dialog from a timer, the
// way a user would click, and record what the box said.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <ostream>
#include <memory>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace talvex::testing {

struct SeenBox {
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool shown = false;
};

// When the next QMessageBox is shown, records it and clicks the button labelled `button`.
inline std::shared_ptr<SeenBox> answerNextMessageBox(const QString& button) {
    auto seen = std::make_shared<SeenBox>();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [seen, button, poll]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            seen->shown = true;
            seen->text = box->text();
            seen->icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                seen->buttons << b->text();
            seen->buttons.sort(); // the layout orders buttons by role, not by creation
            for (QAbstractButton* b : box->buttons())
                if (b->text() == button) {
                    b->click();
                    return;
                }
            box->reject();
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
    return seen;
}

// When the next QFileDialog is shown, types `file` and accepts it (empty: cancels).
inline void answerNextFileDialog(const QString& file) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [file, poll]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            if (file.isEmpty()) {
                dialog->reject();
            } else {
                // Typed into the name field, as a user does; selectFile() alone can be undone
                // by the dialog's own asynchronous folder listing.
                dialog->selectFile(file);
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(file);
                QMetaObject::invokeMethod(dialog, "accept");
            }
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

} // namespace talvex::testing
