#include "desktopboxes.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace rt {

namespace {

QMessageBox::Icon iconFor(int buttons)
{
    switch (buttons & 0x70) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

void showDesktopMessage(const QString &prompt, int buttons, const QString &title)
{
    QMessageBox box(iconFor(buttons), title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    // A player's name is shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString askDesktopText(const QString &prompt, const QString &title)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace rt
