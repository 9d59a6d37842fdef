#pragma once

#include "integer.h"
#include "replacementjournal.h"
#include "runtimeerror.h"

#include <QSet>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QFile;

namespace rt {

enum class OpenMode { Input, Output, Append };

// Files opened by number. Paths are written the Windows way (see resolvePath); text is
// Windows-1252. Every failure is a run-time error.
//
// A file opened for Output is written beside its target under a temporary name and
// takes the target's place, whole, when it is closed. Between beginReplacingTogether()
// and commitReplacements() the files closed are held back and replace their targets
// together: a failure before that leaves every target as it was, and a program killed
// while they replace them is finished by the next one (see ReplacementJournal).
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

    OpenFile &openFile(Integer number);
    bool fails(Step step, const QString &localPath) const;
    [[noreturn]] void fail(ErrorNumber number);
    void discardReplacements();

    std::map<int, std::unique_ptr<OpenFile>> m_files;
    std::vector<StagedFile> m_held;
    QSet<QString> m_checkedFolders; // folders whose interrupted replacements are finished
    bool m_together = false;
    FaultHook m_faultHook;
};

} // namespace rt
