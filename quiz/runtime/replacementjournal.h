#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace rt {

// Writes all the bytes to the open file and puts them on disk; 0, or the errno of the
// write or sync that failed.
int writeToDisk(int fd, const QByteArray &bytes);

// Puts a folder's new and renamed entries on disk.
void syncFolder(const QString &folder);

// The file a path ends at: the end of its links, or the path itself.
QString linkEnd(const QString &path);

// Replaces several files of one folder with new content as one step, as far as anyone
// reading them can tell, also when the program is stopped half way:
//   1. the journal beside them records, for every file, its name, the name of its new
//      copy and its whole new content; it appears whole or not at all;
//   2. every new copy is written in full beside the file it replaces (beside the end of
//      its link, when the file is a link), under the name the journal gave it;
//   3. each copy is renamed over its file;
//   4. the journal goes.
// A failure before step 3 removes the copies and the journal and leaves every file as it
// was. A program stopped after step 1 leaves the journal, and the next one to hold the
// folder's save lock does steps 2 to 4 again from it. Only files a journal names are
// ever removed, so a file of the user's that looks like a copy is never touched.
//
// A journal is only read if it is one of ours, names plain files directly in its own
// folder and copies named as this program names them; anything else is left alone.
class ReplacementJournal
{
public:
    struct Entry
    {
        QString name;        // a file directly in the journal's folder
        QString copy;        // its new copy's name, beside the file's link end
        QByteArray contents; // all of its new content
    };

    // A new, unique name for a copy of the file called `name`.
    static QString copyName(const QString &name);

    // Replaces the files; with `journalled` false (a folder the journal cannot be written
    // into) the same steps without the journal. 0, or the errno that stopped it.
    static int replace(const QString &folder, const std::vector<Entry> &entries, bool journalled);

    // Finishes the replacement that a journal in the folder records (under the folder's
    // save lock); 0, or the errno that stopped it, the journal then kept.
    static int finishInterrupted(const QString &folder);

    static std::optional<std::vector<Entry>> read(const QString &folder);
    static int write(const QString &folder, const std::vector<Entry> &entries);

    static QString journalPath(const QString &folder);
    // The lock held while a replacement is under way, and while one is finished.
    static QString lockPath(const QString &folder);
};

} // namespace rt
