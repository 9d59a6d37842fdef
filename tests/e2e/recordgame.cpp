// A game reduced to what touches the record: the window's start-up and, with a given
// score, its end by "Esci", the boxes answered by a stand-in desktop. Several of them
// side by side are games sharing one record folder, each a process of its own.
//
// Usage: recordgame start|save NAME SCORE
//   start  runs the start-up at the moment given, and ends;
//   save   runs the start-up, then ends the game with SCORE right answers at the moment.
// Once ready it prints "ready" and reads the moment, in ms since the epoch, from its
// standard input, so that games started one after the other act at moments chosen to
// the millisecond. Then it prints the record the start-up read, as "score|name" with the
// line ends shown, and "saved" once the record is confirmed. Exit status: 0; 1 after a
// run-time error (its text on stderr); 3 when the end saved no record.
//
// VELMORA_SLOW_DISK_MS makes every sync, link and rename of the process that much
// slower, as on a slow disk, so that the moments between the steps of a save are wide.

#include "fakeplatform.h"

#include "form1.h"
#include "runtime/desktopsetup.h"
#include "runtime/label.h"

#include <QApplication>
#include <QDateTime>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace {

void slowDisk()
{
    static const long ms = std::atol(getenv("VELMORA_SLOW_DISK_MS") ? getenv("VELMORA_SLOW_DISK_MS") : "0");
    if (ms > 0)
        usleep(useconds_t(ms * 1000));
}

template<typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// Says it is ready, reads the moment and waits for it.
void awaitTheMoment()
{
    std::printf("ready\n");
    std::fflush(stdout);
    char line[64] = {};
    const qint64 atMs = std::fgets(line, sizeof line, stdin) ? QByteArray(line).trimmed().toLongLong() : 0;
    const qint64 left = atMs - QDateTime::currentMSecsSinceEpoch();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
}

QByteArray shown(const QString &caption)
{
    return caption.toUtf8().replace("\r", "\\r").replace("\n", "\\n");
}

} // namespace

// The disk calls of the process, the runtime's and Qt's alike, each made slower.
extern "C" {
int fsync(int fd)
{
    slowDisk();
    return next<int (*)(int)>("fsync")(fd);
}
int fdatasync(int fd)
{
    slowDisk();
    return next<int (*)(int)>("fdatasync")(fd);
}
int rename(const char *from, const char *to)
{
    slowDisk();
    return next<int (*)(const char *, const char *)>("rename")(from, to);
}
int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    slowDisk();
    return next<int (*)(int, const char *, int, const char *)>("renameat")(fromDir, from, toDir, to);
}
int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    slowDisk();
    return next<int (*)(int, const char *, int, const char *, int)>("linkat")(fromDir, from, toDir, to, flags);
}
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::setUpDesktop(app);
    if (argc < 4) {
        std::fprintf(stderr, "usage: recordgame start|save NAME SCORE\n");
        return 2;
    }
    const QByteArray mode = argv[1];

    FakePlatform platform;
    platform.typedName = QString::fromUtf8(argv[2]);
    Form1 form;
    try {
        if (mode == "start")
            awaitTheMoment();
        form.Form_Load();
        form.Timer1.setEnabled(false);
        std::printf("%s|%s\n", shown(form.lblpunti->caption()).constData(),
                    shown(form.lblnome->caption()).constData());
        std::fflush(stdout);
        if (mode == "start")
            return 0;
        form.nesatte = QByteArray(argv[3]).toInt();
        form.Command1_Click(); // the draw shows the score
        awaitTheMoment();
        form.exit_Click();
    } catch (const ProgramEnded &end) {
        for (const ShownBox &error : platform.errors)
            std::fprintf(stderr, "%s\n", error.prompt.toUtf8().constData());
        if (end.status != 0)
            return 1;
        const bool saved = !platform.boxes.isEmpty()
                           && platform.boxes.back().prompt == u"Ok ho registrato il tuo record, C A M P I O N E";
        if (saved)
            std::printf("saved\n");
        return saved ? 0 : 3;
    }
    return 4; // the end of the game came back: a fault of the program
}
