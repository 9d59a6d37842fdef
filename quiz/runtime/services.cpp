#include "services.h"

#include "platform.h"
#include "windowspath.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QTime>

namespace rt {

void MsgBox(const QString &prompt, int buttons)
{
    MsgBox(prompt, buttons, applicationTitle());
}

void MsgBox(const QString &prompt, int buttons, const QString &title)
{
    Platform::current().showMessage(prompt, buttons, title);
}

QString InputBox(const QString &prompt, const QString &title)
{
    return Platform::current().askText(prompt, title);
}

void Randomize()
{
    Platform::current().reseed();
}

void Randomize(float seed)
{
    Platform::current().reseed(seed);
}

float Rnd()
{
    return Platform::current().nextRandom();
}

float Clock()
{
    return float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

QString Date()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

QString AppPath()
{
    const QString folder = QCoreApplication::applicationDirPath();
    registerSystemFolder(folder);
    return folder;
}

Integer FreeFile()
{
    return FileTable::instance().freeFile();
}

void Open(const QString &path, OpenMode mode, Integer number)
{
    FileTable::instance().open(path, mode, number);
}

void Close(Integer number)
{
    FileTable::instance().close(number);
}

qint64 LOF(Integer number)
{
    return FileTable::instance().length(number);
}

QString Input(qint64 count, Integer number)
{
    return FileTable::instance().input(count, number);
}

void PrintLine(Integer number, const QString &text)
{
    FileTable::instance().printLine(number, text);
}

int sndPlaySound(const QString &path, int flags)
{
    Q_UNUSED(flags); // every sound here is asynchronous and without a default sound
    // File names are Unicode on this desktop, so the path is not narrowed to 8 bits:
    // a folder name outside the code page still finds its sounds.
    Platform::current().playSound(resolvePath(path));
    return 1;
}

QString GetWindowsDirectory()
{
    // The per-user data folder of the base-directory rules, where a relative
    // XDG_DATA_HOME is invalid and ignored, so that the record stays in one folder
    // whatever the current folder.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = QDir::cleanPath(base + u'/' + QCoreApplication::organizationName() + u'/'
                                           + QCoreApplication::applicationName());
    QDir().mkpath(folder); // a folder that cannot be made shows up when a file is opened there
    registerSystemFolder(folder);
    return folder;
}

void End()
{
    Platform::current().end(0);
}

} // namespace rt
