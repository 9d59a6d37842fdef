#include "desktopplatform.h"

#include "soundplayer.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace rt {

namespace {

// Long enough for the first box to be on screen, far shorter than anyone types a name.
constexpr int warmUpDelayMs = 150;

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

void runBox(QMessageBox::Icon icon, const QString &prompt, const QString &title)
{
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    // A player's name is shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

DesktopPlatform::DesktopPlatform()
{
    // Loading the audio driver takes tens of milliseconds. Do it while the first box
    // waits for the player, so the first note does not hold the window back.
    QTimer::singleShot(warmUpDelayMs, qApp, [this] { sound().warmUp(); });
}
DesktopPlatform::~DesktopPlatform() = default;

void DesktopPlatform::showMessage(const QString &prompt, int buttons, const QString &title)
{
    runBox(iconFor(buttons), prompt, title);
}

void DesktopPlatform::showError(const QString &text, const QString &title)
{
    runBox(QMessageBox::Critical, text, title);
}

QString DesktopPlatform::askText(const QString &prompt, const QString &title)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void DesktopPlatform::playSound(const QString &localPath)
{
    sound().play(localPath);
}

SoundPlayer &DesktopPlatform::sound()
{
    if (!m_sound)
        m_sound = std::make_unique<SoundPlayer>();
    return *m_sound;
}

void DesktopPlatform::endProgram(int status)
{
    // At once, from however deep in nested dialogs: no destructor and no event runs.
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace rt
