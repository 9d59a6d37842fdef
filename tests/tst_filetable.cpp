#include "fakeplatform.h"
#include "testfiles.h"

#include "runtime/filetable.h"
#include "runtime/replacementjournal.h"
#include "runtime/services.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace rt;

namespace {

// Windows-style path of a file in the folder, as the program builds them.
QString windowsPath(const QString &folder, const QString &name)
{
    return folder + QStringLiteral("\\") + name;
}

QString windowsPath(const QTemporaryDir &dir, const QString &name)
{
    return windowsPath(dir.path(), name);
}

} // namespace

class tst_FileTable : public QObject
{
    Q_OBJECT

private slots:
    void appendCreatesOnlyWhatIsMissing();
    void inputReadsTheWholeText();
    void outputWritesOneLineInTheCodePage();
    void freeNumbers();
    void openFailures_data();
    void openFailures();
    void replacingTogetherIsAllOrNothing_data();
    void replacingTogetherIsAllOrNothing();
    void anInterruptedReplacementIsFinishedByTheNextOpen_data();
    void anInterruptedReplacementIsFinishedByTheNextOpen();
    void aJournalThatIsNotOursIsLeftAlone_data();
    void aJournalThatIsNotOursIsLeftAlone();
    void filesThatLookLikeCopiesAreKept();
    void theLockOfASaveThatDiedIsTakenOver();
    void filesAreReplacedAtTheEndOfTheirLinks();
};

void tst_FileTable::appendCreatesOnlyWhatIsMissing()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("figX.txt"), "12\r\n"));

    for (const char *name : {"figX.txt", "nfigX.txt"}) {
        const Integer n = FreeFile();
        Open(windowsPath(dir, name), OpenMode::Append, n);
        Close(n);
    }
    QCOMPARE(fileContents(dir.filePath("figX.txt")), QByteArray("12\r\n"));
    QCOMPARE(fileContents(dir.filePath("nfigX.txt")), QByteArray());
}

void tst_FileTable::inputReadsTheWholeText()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("nfigX.txt"), "Niccol\xF2\r\nsecond line\r\n"));
    const Integer n = FreeFile();
    Open(windowsPath(dir, "nfigX.txt"), OpenMode::Input, n);
    QCOMPARE(LOF(n), qint64(22));
    QCOMPARE(Input(LOF(n), n), QStringLiteral("Niccolò\r\nsecond line\r\n"));
    Close(n);
}

void tst_FileTable::outputWritesOneLineInTheCodePage()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("nfigX.txt"), "a much longer previous holder's name\r\n"));
    const Integer n = FreeFile();
    Open(windowsPath(dir, "nfigX.txt"), OpenMode::Output, n);
    PrintLine(n, QStringLiteral("Zoë 日"));
    Close(n);
    QCOMPARE(fileContents(dir.filePath("nfigX.txt")), QByteArray("Zo\xEB ?\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"nfigX.txt"});
}

void tst_FileTable::freeNumbers()
{
    QTemporaryDir dir;
    const Integer first = FreeFile();
    Open(windowsPath(dir, "a.txt"), OpenMode::Append, first);
    const Integer second = FreeFile();
    QVERIFY(second != first);
    Close(first);
    QCOMPARE(int(FreeFile()), int(first));
}

void tst_FileTable::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");
    const QString accessError = QStringLiteral("Errore di run-time '75':\n\nErrore di accesso al percorso/file");
    QTest::newRow("reading a missing file") << "missing.txt" << int(OpenMode::Input)
                                            << "Errore di run-time '53':\n\nImpossibile trovare il file";
    QTest::newRow("a missing folder") << "nofolder\\figX.txt" << int(OpenMode::Append)
                                      << "Errore di run-time '76':\n\nImpossibile trovare il percorso";
    QTest::newRow("a folder, not a file") << "folder" << int(OpenMode::Append) << accessError;
    QTest::newRow("a folder, rewritten") << "folder" << int(OpenMode::Output) << accessError;
    // Neither waited on nor written through.
    QTest::newRow("a pipe, read") << "pipe" << int(OpenMode::Input) << accessError;
    QTest::newRow("a pipe, appended to") << "pipe" << int(OpenMode::Append) << accessError;
    QTest::newRow("a pipe, rewritten") << "pipe" << int(OpenMode::Output) << accessError;
    QTest::newRow("a link to a device, appended to") << "device" << int(OpenMode::Append) << accessError;
}

void tst_FileTable::openFailures()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder");
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0644) == 0);
    QVERIFY(QFile::link("/dev/null", dir.filePath("device")));
    FakePlatform platform;
    PipeUnblocker unblocker(dir.filePath("pipe"), 3000);

    bool opened = false;
    try {
        Open(windowsPath(dir, name), OpenMode(mode), FreeFile());
        opened = true;
    } catch (const ProgramEnded &end) {
        QCOMPARE(end.status, 1);
    }
    QVERIFY2(!unblocker.hadToUnblock(), "the open waited on the pipe");
    QVERIFY2(!opened, "the file opened");
    QCOMPARE(platform.errors.size(), 1);
    QCOMPARE(platform.errors[0].prompt, message);
    QCOMPARE(int(FreeFile()), 1); // nothing stays open after the error
    QCOMPARE(folderEntries(dir.path()), (QStringList{"device", "folder", "pipe"}));
}

void tst_FileTable::replacingTogetherIsAllOrNothing_data()
{
    addSaveFailureRows();
}

void tst_FileTable::replacingTogetherIsAllOrNothing()
{
    QFETCH(int, step);
    QFETCH(QString, file);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("figX.txt"), "7\r\n"));
    QVERIFY(writeFile(dir.filePath("nfigX.txt"), "Anna\r\n"));
    FakePlatform platform;
    FileTable &files = FileTable::instance();
    files.setFaultHook([&](FileTable::Step s, const QString &path) {
        return int(s) == step && path.endsWith(u'/' + file);
    });

    try {
        files.beginReplacingTogether();
        for (const auto &[name, line] : {std::pair{"figX.txt", "9"}, std::pair{"nfigX.txt", "Bruno"}}) {
            const Integer n = FreeFile();
            Open(windowsPath(dir, name), OpenMode::Output, n);
            PrintLine(n, line);
            Close(n);
        }
        files.commitReplacements();
        QFAIL("no failure");
    } catch (const ProgramEnded &end) {
        QCOMPARE(end.status, 1);
    }
    files.setFaultHook({});

    QCOMPARE(platform.errors.size(), 1);
    QCOMPARE(fileContents(dir.filePath("figX.txt")), QByteArray("7\r\n"));
    QCOMPARE(fileContents(dir.filePath("nfigX.txt")), QByteArray("Anna\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"figX.txt", "nfigX.txt"}));
}

void tst_FileTable::anInterruptedReplacementIsFinishedByTheNextOpen_data()
{
    QTest::addColumn<int>("copiesWritten");
    QTest::addColumn<bool>("lastCopyCut");
    QTest::addColumn<int>("replaced");
    QTest::newRow("journal written, no copy yet") << 0 << false << 0;
    QTest::newRow("the name's copy cut short") << 2 << true << 0;
    QTest::newRow("both copies written") << 2 << false << 0;
    QTest::newRow("score replaced, name not yet") << 2 << false << 1;
    QTest::newRow("both replaced, journal left") << 2 << false << 2;
}

void tst_FileTable::anInterruptedReplacementIsFinishedByTheNextOpen()
{
    FakePlatform platform; // a failure ends the test, not the program
    QFETCH(int, copiesWritten);
    QFETCH(bool, lastCopyCut);
    QFETCH(int, replaced);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("figX.txt"), "7\r\n"));
    QVERIFY(writeFile(dir.filePath("nfigX.txt"), "Anna\r\n"));
    const std::vector<ReplacementJournal::Entry> entries{
        {"figX.txt", ReplacementJournal::copyName("figX.txt"), "9\r\n"},
        {"nfigX.txt", ReplacementJournal::copyName("nfigX.txt"), "Bruno\r\n"}};
    // What a program stopped during the save leaves behind.
    QCOMPARE(ReplacementJournal::write(dir.path(), entries), 0);
    for (int i = 0; i < copiesWritten; ++i) {
        const QByteArray contents = entries[i].contents;
        QVERIFY(writeFile(dir.filePath(entries[i].copy),
                          lastCopyCut && i == copiesWritten - 1 ? contents.left(2) : contents));
    }
    for (int i = 0; i < replaced; ++i)
        QVERIFY(QFile::remove(dir.filePath(entries[i].name))
                && QFile::rename(dir.filePath(entries[i].copy), dir.filePath(entries[i].name)));

    FileTable fresh; // the next run of the program
    fresh.open(windowsPath(dir, "figX.txt"), OpenMode::Append, 1);
    fresh.close(1);

    QCOMPARE(fileContents(dir.filePath("figX.txt")), QByteArray("9\r\n"));
    QCOMPARE(fileContents(dir.filePath("nfigX.txt")), QByteArray("Bruno\r\n"));
    QCOMPARE(folderEntries(dir.path()), (QStringList{"figX.txt", "nfigX.txt"}));
}

void tst_FileTable::aJournalThatIsNotOursIsLeftAlone_data()
{
    // "%root" stands for a folder that holds the record folder and the victim.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QByteArray>("handMade"); // the journal's bytes, when not written as ours
    QTest::newRow("a file outside the folder") << "../victim.txt" << ".victim.txt.staged-abcdEFGH" << QByteArray();
    QTest::newRow("a path") << "%root/victim.txt" << ".victim.txt.staged-abcdEFGH" << QByteArray();
    QTest::newRow("a file in a folder below") << "sub/victim.txt" << ".victim.txt.staged-abcdEFGH" << QByteArray();
    QTest::newRow("a pipe") << "pipe" << ".pipe.staged-abcdEFGH" << QByteArray();
    QTest::newRow("a copy not named as ours") << "figX.txt" << ".figX.txt.backup" << QByteArray();
    QTest::newRow("a copy in another folder") << "figX.txt" << "../victim.txt" << QByteArray();
    QTest::newRow("lines of paths, by hand")
        << "" << "" << QByteArray("%root/payload.txt\n%root/victim.txt\n%root/payload.txt\n%root/records/figX.txt\n");
}

void tst_FileTable::aJournalThatIsNotOursIsLeftAlone()
{
    FakePlatform platform; // a failure ends the test, not the program
    QFETCH(QString, name);
    QFETCH(QString, copy);
    QFETCH(QByteArray, handMade);
    QTemporaryDir root;
    const QString records = root.filePath("records");
    QVERIFY(QDir().mkpath(records + "/sub"));
    QVERIFY(writeFile(records + "/figX.txt", "7\r\n"));
    QVERIFY(writeFile(records + "/nfigX.txt", "Anna\r\n"));
    QVERIFY(writeFile(records + "/.figX.txt.backup", "the user's own\r\n"));
    QVERIFY(writeFile(records + "/sub/victim.txt", "mine\r\n"));
    QVERIFY(::mkfifo(QFile::encodeName(records + "/pipe").constData(), 0644) == 0);
    QVERIFY(writeFile(root.filePath("victim.txt"), "mine\r\n"));
    QVERIFY(writeFile(root.filePath("payload.txt"), "payload\r\n"));
    const QString journal = ReplacementJournal::journalPath(records);
    if (handMade.isEmpty())
        QCOMPARE(ReplacementJournal::write(records, {{name.replace("%root", root.path()), copy, "payload\r\n"}}), 0);
    else
        QVERIFY(writeFile(journal, handMade.replace("%root", QFile::encodeName(root.path()))));
    const QByteArray journalBytes = fileContents(journal);
    PipeUnblocker unblocker(records + "/pipe", 3000);

    FileTable fresh; // the next run of the program
    fresh.open(windowsPath(records, "figX.txt"), OpenMode::Append, 1);
    fresh.close(1);

    QVERIFY(!unblocker.hadToUnblock());
    QCOMPARE(fileContents(records + "/figX.txt"), QByteArray("7\r\n"));
    QCOMPARE(fileContents(records + "/nfigX.txt"), QByteArray("Anna\r\n"));
    QCOMPARE(fileContents(records + "/.figX.txt.backup"), QByteArray("the user's own\r\n"));
    QCOMPARE(fileContents(records + "/sub/victim.txt"), QByteArray("mine\r\n"));
    QCOMPARE(fileContents(root.filePath("victim.txt")), QByteArray("mine\r\n"));
    QCOMPARE(fileContents(root.filePath("payload.txt")), QByteArray("payload\r\n"));
    QCOMPARE(fileContents(journal), journalBytes); // not ours: left as it is
    QCOMPARE(folderEntries(records),
             (QStringList{".figX.txt.backup", ".replacing", "figX.txt", "nfigX.txt", "pipe", "sub"}));
}

void tst_FileTable::filesThatLookLikeCopiesAreKept()
{
    FakePlatform platform; // a failure ends the test, not the program
    QTemporaryDir dir;
    const QStringList lookAlikes{".figX.txt.backup", ".figX.txt.staged-abcdEFGH", ".nfigX.txt.a1B2c3",
                                 "figX.txt.AbCdEf"};
    for (const QString &name : lookAlikes)
        QVERIFY(writeFile(dir.filePath(name), "the user's own\r\n"));
    QVERIFY(writeFile(dir.filePath("figX.txt"), "7\r\n"));
    QVERIFY(writeFile(dir.filePath("nfigX.txt"), "Anna\r\n"));

    // A start, then a save, as the game does them.
    FileTable files;
    files.open(windowsPath(dir, "figX.txt"), OpenMode::Append, 1);
    files.close(1);
    files.beginReplacingTogether();
    for (const auto &[name, line] : {std::pair{"figX.txt", "9"}, std::pair{"nfigX.txt", "Bruno"}}) {
        files.open(windowsPath(dir, name), OpenMode::Output, 1);
        files.printLine(1, line);
        files.close(1);
    }
    files.commitReplacements();

    QCOMPARE(fileContents(dir.filePath("figX.txt")), QByteArray("9\r\n"));
    QCOMPARE(fileContents(dir.filePath("nfigX.txt")), QByteArray("Bruno\r\n"));
    for (const QString &name : lookAlikes)
        QCOMPARE(fileContents(dir.filePath(name)), QByteArray("the user's own\r\n"));
    QCOMPARE(folderEntries(dir.path()).size(), lookAlikes.size() + 2);
}

void tst_FileTable::theLockOfASaveThatDiedIsTakenOver()
{
    FakePlatform platform; // a failure ends the test, not the program
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("figX.txt"), "7\r\n"));
    const QString lock = ReplacementJournal::lockPath(dir.path());
    // A program that takes the lock and dies holding it.
    const pid_t child = ::fork();
    if (child == 0) {
        QLockFile held(lock);
        ::_exit(held.tryLock(0) ? 0 : 1);
    }
    int status = -1;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(QFileInfo::exists(lock));

    QElapsedTimer clock;
    clock.start();
    FileTable files;
    files.open(windowsPath(dir, "figX.txt"), OpenMode::Output, 1);
    files.printLine(1, "9");
    files.close(1);

    QVERIFY2(clock.elapsed() < 5000, "the save waited for the lock of a program that is gone");
    QCOMPARE(fileContents(dir.filePath("figX.txt")), QByteArray("9\r\n"));
    QCOMPARE(folderEntries(dir.path()), QStringList{"figX.txt"});
}

void tst_FileTable::filesAreReplacedAtTheEndOfTheirLinks()
{
    FakePlatform platform; // a failure ends the test, not the program
    QTemporaryDir root;
    const QString records = root.filePath("records");
    const QString shared = root.filePath("shared");
    QVERIFY(QDir().mkpath(records) && QDir().mkpath(shared));
    QVERIFY(writeFile(shared + "/score.txt", "7\r\n"));
    QVERIFY(writeFile(shared + "/name.txt", "Anna\r\n"));
    QVERIFY(QFile::link("../shared/score.txt", records + "/figX.txt")); // relative
    QVERIFY(QFile::link(shared + "/name.txt", records + "/nfigX.txt"));  // absolute

    FileTable files;
    files.open(windowsPath(records, "nfigX.txt"), OpenMode::Input, 1);
    QCOMPARE(files.input(files.length(1), 1), QStringLiteral("Anna\r\n"));
    files.close(1);
    files.beginReplacingTogether();
    for (const auto &[name, line] : {std::pair{"figX.txt", "9"}, std::pair{"nfigX.txt", "Bruno"}}) {
        files.open(windowsPath(records, name), OpenMode::Output, 1);
        files.printLine(1, line);
        files.close(1);
    }
    files.commitReplacements();

    QCOMPARE(fileContents(shared + "/score.txt"), QByteArray("9\r\n"));
    QCOMPARE(fileContents(shared + "/name.txt"), QByteArray("Bruno\r\n"));
    QCOMPARE(QFileInfo(records + "/figX.txt").symLinkTarget(), shared + "/score.txt");
    QCOMPARE(QFileInfo(records + "/nfigX.txt").symLinkTarget(), shared + "/name.txt");
    QCOMPARE(folderEntries(records), (QStringList{"figX.txt", "nfigX.txt"}));
    QCOMPARE(folderEntries(shared), (QStringList{"name.txt", "score.txt"}));
}

QTEST_GUILESS_MAIN(tst_FileTable)
#include "tst_filetable.moc"
