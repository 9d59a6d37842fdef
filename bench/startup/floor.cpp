// The floor to compare start-up with: what the toolkit alone costs to bring the same
// first dialog on screen, with nothing of the game around it.

#include <QApplication>
#include <QInputDialog>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QInputDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Velmora"));
    dialog.setLabelText(QStringLiteral("Come ti chiami?"));
    dialog.setInputMode(QInputDialog::TextInput);
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
