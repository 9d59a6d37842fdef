#pragma once

#include "integer.h"
#include "runtimeerror.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QLockFile;

namespace rt {

enum class OpenMode { Input, Output, Append };

// Files opened by number. Paths are written the Windows way (see resolvePath); text is
// Windows-1252. Every failure is a run-time error; a file that is not a regular file
// (a pipe, a device) is one at once, and is never waited on.
//
// A file opened for Output is written in full beside its target and takes the target's
// place when it is closed; a target that is a link is replaced at the link's end, and
// the link stays. Between beginReplacingTogether() and commitReplacements() the files
// closed are held back and replace their targets together: a failure before that
// leaves every target as it was, and a program stopped while they replace them is
// finished by the next one (see ReplacementJournal). A save holds the folder's lock,
// and that of any folder its files link into, from its first file to the last, so that
// games sharing a folder save one after the other. In a folder the program may not
// write into, files it may write are rewritten in place, one after the other: there
// all-or-nothing cannot be had.
class FileTable
{
public:
    // Steps at which a test can make the disk fail.
    enum class Step { Open, Write, Close };
    using FaultHook = std::function<bool(Step step, const QString &localPath)>;

    static FileTable &instance();

    FileTable();
    ~FileTable();

    Integer freeFile() const;
    void open(const QString &path, OpenMode mode, Integer number);
    qint64 length(Integer number);
    QString input(qint64 count, Integer number);
    void printLine(Integer number, const QString &text);
    void close(Integer number);

    void beginReplacingTogether();
    void commitReplacements();

    void setFaultHook(FaultHook hook);

private:
    struct OpenFile;
    struct Replacement;

    OpenFile &openFile(Integer number);
    bool fails(Step step, const QString &localPath) const;
    // The folder's save lock, or nothing where no lock can be made (a folder the
    // program may not write into); held by another game for long, a run-time error.
    std::unique_ptr<QLockFile> takeLock(const QString &folder);
    void finishInterruptedSave(const QString &folder);
    void lockForSaving(const QString &folder);
    void lockLinkedFolder(const QString &endFolder);
    void releaseLock();
    [[noreturn]] void fail(ErrorNumber number);
    void discardReplacements();

    std::map<int, std::unique_ptr<OpenFile>> m_files;
    std::vector<Replacement> m_held;
    QSet<QString> m_checkedFolders; // folders whose interrupted saves are finished
    std::unique_ptr<QLockFile> m_lock; // held by a save, from its first file to the last
    QString m_lockedFolder;
    std::map<QString, std::unique_ptr<QLockFile>> m_linkedLocks; // folders the locked one's links lead to
    bool m_together = false;
    FaultHook m_faultHook;
};

} // namespace rt
