#include "replacementjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace rt {

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

namespace {

bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString folderOf(const std::vector<StagedFile> &files)
{
    return QFileInfo(files.front().target).absolutePath();
}

} // namespace

QString ReplacementJournal::journalPath(const QString &folder)
{
    return folder + QStringLiteral("/.replacing");
}

bool ReplacementJournal::begin(const std::vector<StagedFile> &files)
{
    const QString folder = folderOf(files);
    QByteArray text;
    for (const StagedFile &file : files)
        text += file.staged.toUtf8() + '\n' + file.target.toUtf8() + '\n';

    // The journal itself appears whole or not at all.
    const QString journal = journalPath(folder);
    const QString draft = journal + QStringLiteral(".draft");
    QFile out(draft);
    const bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(text) == text.size()
                         && out.flush() && ::fsync(out.handle()) == 0;
    out.close();
    if (!written || !renameOver(draft, journal)) {
        QFile::remove(draft);
        return false;
    }
    syncFolder(folder);
    return true;
}

void ReplacementJournal::end(const std::vector<StagedFile> &files)
{
    const QString folder = folderOf(files);
    syncFolder(folder); // the renames are on disk before the journal goes
    QFile::remove(journalPath(folder));
    syncFolder(folder);
}

void ReplacementJournal::finishInterrupted(const QString &folder)
{
    const QString journal = journalPath(folder);
    QFile in(journal);
    if (in.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = in.readAll().split('\n');
        in.close();
        for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
            const QString staged = QString::fromUtf8(lines[i]);
            const QString target = QString::fromUtf8(lines[i + 1]);
            if (!staged.isEmpty() && QFileInfo::exists(staged))
                renameOver(staged, target);
        }
        syncFolder(folder);
        QFile::remove(journal);
        syncFolder(folder);
    }
    QFile::remove(journal + QStringLiteral(".draft"));

    // Staged copies are named ".<target>.XXXXXX"; with no journal they are leftovers.
    static const QRegularExpression stagedName(QStringLiteral("^\\.(.+)\\.[A-Za-z0-9]{6}$"));
    const QStringList hidden = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : hidden) {
        const QRegularExpressionMatch match = stagedName.match(name);
        if (match.hasMatch() && QFileInfo::exists(folder + u'/' + match.captured(1)))
            QFile::remove(folder + u'/' + name);
    }
}

} // namespace rt
