#include "replacementjournal.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

namespace {

constexpr quint32 journalMagic = 0x56524a32; // "VRJ2"
constexpr qint64 largestJournal = 16 * 1024 * 1024;
constexpr auto copyInfix = ".staged-";
constexpr int copySuffixLength = 8;

int failure()
{
    return errno != 0 ? errno : EIO;
}

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0));
}

bool isCopyName(const QString &copy, const QString &name)
{
    const QString prefix = u'.' + name + QLatin1String(copyInfix);
    if (!copy.startsWith(prefix) || copy.size() != prefix.size() + copySuffixLength)
        return false;
    for (qsizetype i = prefix.size(); i < copy.size(); ++i)
        if (copy[i] > u'z' || !copy[i].isLetterOrNumber())
            return false;
    return true;
}

QByteArray local(const QString &path)
{
    return QFile::encodeName(path);
}

// Writes a new file whole, with the permissions of the file it is to replace.
int writeCopy(const QString &copy, const QByteArray &contents, const QString &replaced)
{
    const int fd = ::open(local(copy).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    struct stat old;
    if (::stat(local(replaced).constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    const int error = writeToDisk(fd, contents);
    ::close(fd);
    return error;
}

void removeJournal(const QString &folder)
{
    QFile::remove(ReplacementJournal::journalPath(folder));
    syncFolder(folder);
}

// Steps 2 to 4, the journal (if any) being on disk.
int replaceFrom(const QString &folder, const std::vector<ReplacementJournal::Entry> &entries, bool journalled,
                bool rollBackOnFailure)
{
    QStringList targets;
    QStringList copies;
    for (const ReplacementJournal::Entry &entry : entries) {
        const QString target = linkEnd(folder + u'/' + entry.name);
        const QString copy = QFileInfo(target).absolutePath() + u'/' + entry.copy;
        QFile::remove(copy); // left by an attempt that was stopped: the journal names it
        const int error = writeCopy(copy, entry.contents, target);
        if (error) {
            if (rollBackOnFailure) {
                for (const QString &written : copies)
                    QFile::remove(written);
                QFile::remove(copy);
                if (journalled)
                    removeJournal(folder);
            }
            return error;
        }
        targets.append(target);
        copies.append(copy);
    }
    QSet<QString> folders;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        if (std::rename(local(copies[i]).constData(), local(targets[i]).constData()) != 0)
            return failure(); // the journal, kept, lets the next start finish
        folders.insert(QFileInfo(targets[i]).absolutePath());
    }
    for (const QString &changed : folders)
        syncFolder(changed);
    if (journalled)
        removeJournal(folder);
    return 0;
}

} // namespace

int writeToDisk(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        done += written;
    }
    // A file system that cannot sync (EINVAL) has nothing more to put on disk.
    if (::fsync(fd) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(local(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString linkEnd(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

QString ReplacementJournal::journalPath(const QString &folder)
{
    return folder + QStringLiteral("/.replacing");
}

QString ReplacementJournal::lockPath(const QString &folder)
{
    return folder + QStringLiteral("/.replacing.lock");
}

QString ReplacementJournal::copyName(const QString &name)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString copy = u'.' + name + QLatin1String(copyInfix);
    for (int i = 0; i < copySuffixLength; ++i)
        copy += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return copy;
}

int ReplacementJournal::replace(const QString &folder, const std::vector<Entry> &entries, bool journalled)
{
    if (journalled)
        if (const int error = write(folder, entries))
            return error;
    return replaceFrom(folder, entries, journalled, true);
}

int ReplacementJournal::finishInterrupted(const QString &folder)
{
    const std::optional<std::vector<Entry>> entries = read(folder);
    return entries ? replaceFrom(folder, *entries, true, false) : 0;
}

int ReplacementJournal::write(const QString &folder, const std::vector<Entry> &entries)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << journalMagic << qint32(entries.size());
    for (const Entry &entry : entries)
        out << entry.name << entry.copy << entry.contents;

    QSaveFile journal(journalPath(folder));
    errno = 0;
    if (!journal.open(QIODevice::WriteOnly))
        return failure();
    if (const int error = writeToDisk(journal.handle(), bytes))
        return error;
    errno = 0;
    if (!journal.commit())
        return failure();
    syncFolder(folder);
    return 0;
}

std::optional<std::vector<ReplacementJournal::Entry>> ReplacementJournal::read(const QString &folder)
{
    QFile in(journalPath(folder));
    if (!QFileInfo(in.fileName()).isFile() || !in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = in.read(largestJournal + 1);
    if (bytes.size() > largestJournal)
        return std::nullopt;

    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    qint32 count = 0;
    stream >> magic >> count;
    if (stream.status() != QDataStream::Ok || magic != journalMagic || count < 1)
        return std::nullopt;

    const QSet<QString> ownNames{QFileInfo(journalPath(folder)).fileName(), QFileInfo(lockPath(folder)).fileName()};
    QSet<QString> names;
    std::vector<Entry> entries;
    for (qint32 i = 0; i < count; ++i) {
        Entry entry;
        stream >> entry.name >> entry.copy >> entry.contents;
        if (stream.status() != QDataStream::Ok || !isPlainName(entry.name) || ownNames.contains(entry.name)
            || names.contains(entry.name) || !isCopyName(entry.copy, entry.name))
            return std::nullopt;
        // A file of the folder, or one still to be made there: never a folder, a pipe or
        // a device.
        struct stat target;
        if (::stat(local(folder + u'/' + entry.name).constData(), &target) == 0 && !S_ISREG(target.st_mode))
            return std::nullopt;
        names.insert(entry.name);
        entries.push_back(std::move(entry));
    }
    if (!stream.atEnd())
        return std::nullopt;
    return entries;
}

} // namespace rt
