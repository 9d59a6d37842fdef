#include "filetable.h"

#include "ansitext.h"
#include "replacementjournal.h"
#include "windowspath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace rt {

struct FileTable::OpenFile
{
    OpenMode mode;
    QString target;                  // the file the number stands for
    std::unique_ptr<QFile> file;     // for Output: the staged copy beside the target
};

namespace {

constexpr int firstNumber = 1;
constexpr int lastNumber = 255;

// Why an open failed, in the runtime's terms.
ErrorNumber openError(const QString &localPath, OpenMode mode)
{
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

bool syncToDisk(QFile &file)
{
    return file.flush() && ::fsync(file.handle()) == 0;
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
        ReplacementJournal::finishInterrupted(folder);
        m_checkedFolders.insert(folder);
    }
    auto entry = std::make_unique<OpenFile>();
    entry->mode = mode;
    entry->target = localPath;

    bool opened = false;
    if (!fails(Step::Open, localPath) && !QFileInfo(localPath).isDir()) {
        switch (mode) {
        case OpenMode::Input:
            entry->file = std::make_unique<QFile>(localPath);
            opened = entry->file->open(QIODevice::ReadOnly);
            break;
        case OpenMode::Append:
            entry->file = std::make_unique<QFile>(localPath);
            opened = entry->file->open(QIODevice::WriteOnly | QIODevice::Append);
            break;
        case OpenMode::Output: {
            const QFileInfo info(localPath);
            if (info.dir().exists() && (!info.exists() || info.isWritable())) {
                auto staged = std::make_unique<QTemporaryFile>(
                    info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
                staged->setAutoRemove(false);
                opened = staged->open();
                if (opened) // the new file keeps the old one's permissions
                    staged->setPermissions(info.exists() ? info.permissions()
                                                         : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                               | QFileDevice::ReadGroup | QFileDevice::ReadOther);
                entry->file = std::move(staged);
            }
            break;
        }
        }
    }
    if (!opened)
        fail(openError(localPath, mode));
    m_files[number] = std::move(entry);
}

qint64 FileTable::length(Integer number)
{
    return openFile(number).file->size();
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
    if (fails(Step::Write, entry.target) || entry.file->write(line) != line.size())
        fail(ErrorNumber::DeviceIoError);
}

void FileTable::close(Integer number)
{
    const auto found = m_files.find(number);
    if (found == m_files.end())
        return; // closing a number that is not open does nothing
    std::unique_ptr<OpenFile> entry = std::move(found->second);
    m_files.erase(found);

    if (entry->mode != OpenMode::Output) {
        entry->file->close();
        return;
    }

    const QString staged = entry->file->fileName();
    const bool written = !fails(Step::Close, entry->target) && syncToDisk(*entry->file);
    entry->file->close();
    if (!written) {
        QFile::remove(staged);
        fail(ErrorNumber::DeviceIoError);
    }
    m_held.push_back({staged, entry->target});
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
    std::vector<StagedFile> held;
    held.swap(m_held);
    if (held.empty())
        return;

    // One file takes its target's place in one rename; several need the journal, so that
    // a program killed between two renames is finished by the next one.
    const bool journalled = held.size() > 1;
    if (journalled && !ReplacementJournal::begin(held)) {
        for (const StagedFile &file : held)
            QFile::remove(file.staged);
        fail(ErrorNumber::PathFileAccessError);
    }
    for (const StagedFile &file : held) {
        if (std::rename(QFile::encodeName(file.staged).constData(),
                        QFile::encodeName(file.target).constData()) != 0)
            fail(ErrorNumber::PathFileAccessError); // the journal finishes it next time
    }
    if (journalled)
        ReplacementJournal::end(held);
    else
        syncFolder(QFileInfo(held.front().target).absolutePath());
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

void FileTable::discardReplacements()
{
    for (const StagedFile &replacement : m_held)
        QFile::remove(replacement.staged);
    m_held.clear();
    for (auto &[number, entry] : m_files) {
        if (entry->mode == OpenMode::Output) {
            entry->file->close();
            QFile::remove(entry->file->fileName());
        }
    }
    m_files.clear();
    m_together = false;
}

void FileTable::fail(ErrorNumber number)
{
    // The program ends after the error box: leave no half-written copy behind.
    discardReplacements();
    raiseError(number);
}

} // namespace rt
