#include "testfiles.h"

#include "runtime/filetable.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

void addSaveFailureRows()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("file");
    using Step = rt::FileTable::Step;
    for (const char *file : {"figX.txt", "nfigX.txt"}) {
        QTest::addRow("open %s", file) << int(Step::Open) << QString(file);
        QTest::addRow("write %s", file) << int(Step::Write) << QString(file);
        QTest::addRow("close %s", file) << int(Step::Close) << QString(file);
    }
}

SmallDisk::SmallDisk(const QString &folder, int kilobytes)
    : m_folder(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        options.constData())
                == 0;
    if (!m_mounted)
        why = QStringLiteral("cannot mount a tmpfs (%1); root can").arg(QString::fromLocal8Bit(std::strerror(errno)));
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool SmallDisk::fillLeaving(int pages)
{
    const QString filler = m_folder + QStringLiteral("/filler");
    const int fd = ::open(QFile::encodeName(filler).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'f');
    qint64 size = 0;
    while (::write(fd, page.constData(), page.size()) == page.size())
        size += page.size();
    const bool full = errno == ENOSPC && ::ftruncate(fd, qMax<qint64>(0, size - qint64(pages) * page.size())) == 0;
    ::close(fd);
    return full;
}

Watchdog::Watchdog(int afterMs, const char *message)
    : m_thread([this, afterMs, message] {
          const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(afterMs);
          while (!m_done && std::chrono::steady_clock::now() < until)
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          if (!m_done)
              qFatal("%s", message);
      })
{
}

Watchdog::~Watchdog()
{
    m_done = true;
    m_thread.join();
}

PipeUnblocker::PipeUnblocker(const QString &pipe, int afterMs)
    : m_thread([this, path = QFile::encodeName(pipe), afterMs] {
          const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(afterMs);
          while (!m_done && std::chrono::steady_clock::now() < until)
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          if (m_done)
              return;
          m_unblocked = true;
          const int fd = ::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
          while (!m_done)
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          if (fd >= 0)
              ::close(fd);
      })
{
}

PipeUnblocker::~PipeUnblocker()
{
    m_done = true;
    m_thread.join();
}
