#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <thread>

// Small file helpers the tests share.
QByteArray fileContents(const QString &path);          // "<missing>" when there is none
bool writeFile(const QString &path, const QByteArray &bytes);
// Every entry of the folder, hidden ones, pipes and folders included, sorted.
QStringList folderEntries(const QString &folder);

// Rows "step" (a FileTable::Step) and "file" for every way a save of the two record
// files can fail before they replace the old ones.
void addSaveFailureRows();

// A small tmpfs of its own on a folder, unmounted when it goes. Only root may mount:
// `why` says what stood in the way when it is not mounted.
class SmallDisk
{
public:
    SmallDisk(const QString &folder, int kilobytes);
    ~SmallDisk();
    bool isMounted() const { return m_mounted; }
    QString why;

    // Fills the disk with one file, so that only `pages` pages of 4 KiB stay free.
    bool fillLeaving(int pages);

private:
    QString m_folder;
    bool m_mounted = false;
};

// Ends the test program with a message if it is still alive after a while: for a call
// that cannot be stopped from inside, such as a start-up that never comes back.
class Watchdog
{
public:
    Watchdog(int afterMs, const char *message);
    ~Watchdog();

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Opens a named pipe for reading and writing after a while, so that a program left
// waiting on it goes on: the test then fails instead of hanging.
class PipeUnblocker
{
public:
    PipeUnblocker(const QString &pipe, int afterMs);
    ~PipeUnblocker();
    bool hadToUnblock() const { return m_unblocked; }

private:
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_unblocked{false};
    std::thread m_thread;
};
