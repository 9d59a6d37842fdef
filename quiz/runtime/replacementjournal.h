#pragma once

#include <QString>

#include <vector>

namespace rt {

// A new file, written in full under a temporary name, waiting to take its target's place.
struct StagedFile
{
    QString staged;
    QString target;
};

// Puts a folder's new and renamed entries on disk.
void syncFolder(const QString &folder);

// Makes several renames one step as far as anyone reading the files can tell. Before
// the first rename the list of renames is written to a journal beside the targets;
// after the last it is removed. A program killed in between leaves the journal, and
// whoever next opens a file in that folder finishes the renames first.
class ReplacementJournal
{
public:
    // False when the journal could not be written; nothing has been renamed then.
    static bool begin(const std::vector<StagedFile> &files);
    static void end(const std::vector<StagedFile> &files);

    // Finishes what a journal in the folder lists, and removes staged copies that a
    // program killed before its journal was written left behind.
    static void finishInterrupted(const QString &folder);

    static QString journalPath(const QString &folder);
};

} // namespace rt
