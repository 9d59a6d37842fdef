#include "filetable.h"

#include "ansitext.h"
#include "replacementjournal.h"
#include "windowspath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace rt {

struct FileTable::OpenFile
{
    OpenMode mode;
    QString target;              // the file the number stands for
    std::unique_ptr<QFile> file; // open on disk: Input, Append, Output in place
    QByteArray written;          // Output: all that was written, for its new copy
};

struct FileTable::Replacement
{
    QString target;
    QByteArray contents;
};

namespace {

constexpr int firstNumber = 1;
constexpr int lastNumber = 255;

// A save holds its folder's lock for the few milliseconds of its writes. The lock of a
// program that died is taken over at once, its process being gone; one whose owner
// cannot be told (a lock file cut short by a kill) once it is this old.
constexpr int staleLockMs = 10000;
constexpr int lockWaitMs = 15000;

bool diskIsFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

ErrorNumber writeError(int error)
{
    return diskIsFull(error) ? ErrorNumber::DiskFull : ErrorNumber::DeviceIoError;
}

ErrorNumber replaceError(int error)
{
    if (diskIsFull(error))
        return ErrorNumber::DiskFull;
    if (error == EACCES || error == EPERM || error == EROFS)
        return ErrorNumber::PermissionDenied;
    return ErrorNumber::PathFileAccessError;
}

// Whether the program, as the user it runs as, may write the file, or make files in
// the folder.
bool mayWrite(const QString &path)
{
    const int access = QFileInfo(path).isDir() ? W_OK | X_OK : W_OK;
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), access, AT_EACCESS) == 0;
}

bool folderIsFull(const QString &folder)
{
    struct statvfs info;
    return ::statvfs(QFile::encodeName(folder).constData(), &info) == 0
           && (info.f_bavail == 0 || info.f_favail == 0);
}

// Why an open failed, in the runtime's terms; `error` is the errno, or 0 when unknown.
ErrorNumber openError(const QString &localPath, OpenMode mode, int error)
{
    if (diskIsFull(error))
        return ErrorNumber::DiskFull;
    if (error == EACCES || error == EPERM || error == EROFS)
        return ErrorNumber::PermissionDenied;
    if (error == ENOTDIR)
        return ErrorNumber::PathNotFound;
    if (error != 0 && error != ENOENT)
        return ErrorNumber::PathFileAccessError;

    const QFileInfo info(localPath);
    if (!info.dir().exists())
        return ErrorNumber::PathNotFound;
    if (mode == OpenMode::Input && !info.exists())
        return ErrorNumber::FileNotFound;
    if (info.isDir())
        return ErrorNumber::PathFileAccessError;
    if (info.exists() && (mode == OpenMode::Input ? !info.isReadable() : !info.isWritable()))
        return ErrorNumber::PermissionDenied;
    if (!info.exists() && !QFileInfo(info.absolutePath()).isWritable())
        return ErrorNumber::PermissionDenied;
    return ErrorNumber::PathFileAccessError;
}

// Something other than a regular file (a pipe, a device, a folder), seen without
// opening it.
bool isNoRegularFile(const QString &localPath)
{
    struct stat info;
    return ::stat(QFile::encodeName(localPath).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

// Opens a regular file. The open never waits: a pipe put in the file's place after the
// look above is refused, not waited on.
int openRegular(const QString &localPath, int flags)
{
    const int fd = ::open(QFile::encodeName(localPath).constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EISDIR; // no file to read or write: an access error
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

FileTable &FileTable::instance()
{
    static FileTable table;
    return table;
}

FileTable::FileTable() = default;
FileTable::~FileTable() = default;

Integer FileTable::freeFile() const
{
    for (int number = firstNumber; number <= lastNumber; ++number)
        if (m_files.find(number) == m_files.end())
            return Integer(number);
    raiseError(ErrorNumber::TooManyFiles);
}

void FileTable::open(const QString &path, OpenMode mode, Integer number)
{
    if (number < firstNumber || number > lastNumber)
        fail(ErrorNumber::BadFileNameOrNumber);
    if (m_files.count(number))
        fail(ErrorNumber::FileAlreadyOpen);

    const QString localPath = resolvePath(path);
    const QString folder = QFileInfo(localPath).absolutePath();
    if (!m_checkedFolders.contains(folder)) {
        m_checkedFolders.insert(folder);
        finishInterruptedSave(folder);
    }
    if (fails(Step::Open, localPath))
        fail(openError(localPath, mode, 0));
    if (isNoRegularFile(localPath))
        fail(ErrorNumber::PathFileAccessError);

    auto entry = std::make_unique<OpenFile>();
    entry->mode = mode;
    entry->target = localPath;
    int flags = mode == OpenMode::Input ? O_RDONLY : O_WRONLY | O_APPEND | O_CREAT;
    if (mode == OpenMode::Output) {
        if (!QFileInfo(folder).isDir())
            fail(ErrorNumber::PathNotFound);
        lockForSaving(folder);
        const QString end = linkEnd(localPath);
        const QString endFolder = QFileInfo(end).absolutePath();
        if (QFileInfo::exists(end) && !mayWrite(end))
            fail(ErrorNumber::PermissionDenied);
        if (!QFileInfo(endFolder).isDir())
            fail(ErrorNumber::PathNotFound);
        // What is written is kept, and written in full beside the file when it is
        // closed, to replace it. Where no new file can be made, the file itself is
        // rewritten.
        if (mayWrite(endFolder)) {
            lockLinkedFolder(endFolder);
            m_files[number] = std::move(entry);
            return;
        }
        flags = O_WRONLY | O_TRUNC;
    }
    const int fd = openRegular(localPath, flags);
    if (fd < 0)
        fail(openError(localPath, mode, errno));
    entry->file = std::make_unique<QFile>();
    entry->file->open(fd, mode == OpenMode::Input ? QIODevice::ReadOnly : QIODevice::WriteOnly,
                      QFileDevice::AutoCloseHandle);
    m_files[number] = std::move(entry);
}

qint64 FileTable::length(Integer number)
{
    OpenFile &entry = openFile(number);
    return entry.file ? entry.file->size() : entry.written.size();
}

QString FileTable::input(qint64 count, Integer number)
{
    OpenFile &entry = openFile(number);
    if (entry.mode != OpenMode::Input)
        fail(ErrorNumber::BadFileNameOrNumber);
    return fromAnsi(entry.file->read(count));
}

void FileTable::printLine(Integer number, const QString &text)
{
    OpenFile &entry = openFile(number);
    if (entry.mode == OpenMode::Input)
        fail(ErrorNumber::BadFileNameOrNumber);
    const QByteArray line = toAnsi(text) + "\r\n";
    if (fails(Step::Write, entry.target))
        fail(ErrorNumber::DeviceIoError);
    if (entry.file)
        if (const int error = writeToDisk(entry.file->handle(), line))
            fail(writeError(error));
    entry.written += line;
}

void FileTable::close(Integer number)
{
    const auto found = m_files.find(number);
    if (found == m_files.end())
        return; // closing a number that is not open does nothing
    std::unique_ptr<OpenFile> entry = std::move(found->second);
    m_files.erase(found);

    if (entry->mode == OpenMode::Output && fails(Step::Close, entry->target))
        fail(ErrorNumber::DeviceIoError);
    if (entry->file) {
        entry->file->close();
        if (entry->mode != OpenMode::Output)
            return;
    } else {
        m_held.push_back({entry->target, entry->written});
    }
    if (!m_together)
        commitReplacements();
}

void FileTable::beginReplacingTogether()
{
    m_together = true;
}

void FileTable::commitReplacements()
{
    m_together = false;
    std::vector<Replacement> held;
    held.swap(m_held);

    // The files of the locked folder replace theirs together, with the journal; any
    // other file on its own.
    std::vector<ReplacementJournal::Entry> together;
    for (const Replacement &file : held) {
        const QFileInfo target(file.target);
        const ReplacementJournal::Entry entry{target.fileName(), ReplacementJournal::copyName(target.fileName()),
                                              file.contents};
        if (m_lock && target.absolutePath() == m_lockedFolder)
            together.push_back(entry);
        else if (const int error = ReplacementJournal::replace(target.absolutePath(), {entry}, false))
            fail(replaceError(error));
    }
    if (!together.empty())
        if (const int error = ReplacementJournal::replace(m_lockedFolder, together, true))
            fail(replaceError(error));
    releaseLock();
}

void FileTable::setFaultHook(FaultHook hook)
{
    m_faultHook = std::move(hook);
}

FileTable::OpenFile &FileTable::openFile(Integer number)
{
    const auto found = m_files.find(number);
    if (found == m_files.end())
        fail(ErrorNumber::BadFileNameOrNumber);
    return *found->second;
}

bool FileTable::fails(Step step, const QString &localPath) const
{
    return m_faultHook && m_faultHook(step, localPath);
}

std::unique_ptr<QLockFile> FileTable::takeLock(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(ReplacementJournal::lockPath(folder));
    lock->setStaleLockTime(staleLockMs);
    if (lock->tryLock(lockWaitMs))
        return lock;
    switch (lock->error()) {
    case QLockFile::PermissionError:
        return nullptr; // a folder the program may not write into holds no lock
    case QLockFile::LockFailedError:
        fail(ErrorNumber::PermissionDenied); // another game holds it and does not let go
    default:
        fail(folderIsFull(folder) ? ErrorNumber::DiskFull : ErrorNumber::PathFileAccessError);
    }
}

void FileTable::finishInterruptedSave(const QString &folder)
{
    // Without a journal nothing was left half done, and without a lock file no save is
    // under way: then there is nothing to wait for.
    if (!QFileInfo::exists(ReplacementJournal::journalPath(folder))
        && !QFileInfo::exists(ReplacementJournal::lockPath(folder)))
        return;
    std::unique_ptr<QLockFile> lock = takeLock(folder);
    if (!lock)
        return; // nothing the program could finish there
    const int error = ReplacementJournal::finishInterrupted(folder);
    lock.reset();
    if (error)
        fail(replaceError(error));
}

void FileTable::lockForSaving(const QString &folder)
{
    if (m_lock)
        return; // this save holds it already
    m_lock = takeLock(folder);
    if (!m_lock)
        return; // files are rewritten in place there
    m_lockedFolder = folder;
    // A save that died before this one leaves its journal: it goes first.
    if (const int error = ReplacementJournal::finishInterrupted(folder))
        fail(replaceError(error));
}

void FileTable::lockLinkedFolder(const QString &endFolder)
{
    // Record files that link into a shared folder (a class's record): games whose own
    // record folders link there must save one after the other as well.
    const QString shared = QFileInfo(endFolder).canonicalFilePath();
    if (!m_lock || shared == QFileInfo(m_lockedFolder).canonicalFilePath()
        || m_linkedLocks.count(shared))
        return;
    if (std::unique_ptr<QLockFile> lock = takeLock(shared))
        m_linkedLocks.emplace(shared, std::move(lock));
}

void FileTable::releaseLock()
{
    m_linkedLocks.clear();
    m_lock.reset(); // unlocks and removes the lock file
    m_lockedFolder.clear();
}

void FileTable::discardReplacements()
{
    // What was kept for new copies is dropped: none of it is on disk yet.
    m_held.clear();
    m_files.clear();
    m_together = false;
    releaseLock();
}

void FileTable::fail(ErrorNumber number)
{
    // The program ends after the error box: leave no half-written copy behind.
    discardReplacements();
    raiseError(number);
}

} // namespace rt
