#include "fakeplatform.h"
#include "testfiles.h"

#include "runtime/filetable.h"
#include "runtime/replacementjournal.h"
#include "runtime/services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace rt;

namespace {

// Windows-style path of a file in the folder, as the program builds them.
QString windowsPath(const QTemporaryDir &dir, const QString &name)
{
    return dir.path() + QStringLiteral("\\") + name;
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
    QTest::newRow("reading a missing file") << "missing.txt" << int(OpenMode::Input)
                                            << "Errore di run-time '53':\n\nImpossibile trovare il file";
    QTest::newRow("a missing folder") << "nofolder\\figX.txt" << int(OpenMode::Append)
                                      << "Errore di run-time '76':\n\nImpossibile trovare il percorso";
    QTest::newRow("a folder, not a file") << "folder" << int(OpenMode::Append)
                                          << "Errore di run-time '75':\n\nErrore di accesso al percorso/file";
    QTest::newRow("a folder, rewritten") << "folder" << int(OpenMode::Output)
                                         << "Errore di run-time '75':\n\nErrore di accesso al percorso/file";
}

void tst_FileTable::openFailures()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder");
    FakePlatform platform;

    try {
        Open(windowsPath(dir, name), OpenMode(mode), FreeFile());
        QFAIL("the file opened");
    } catch (const ProgramEnded &end) {
        QCOMPARE(end.status, 1);
    }
    QCOMPARE(platform.errors.size(), 1);
    QCOMPARE(platform.errors[0].prompt, message);
    QCOMPARE(int(FreeFile()), 1); // nothing stays open after the error
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
    QTest::addColumn<int>("renamedBeforeTheKill");
    QTest::newRow("journal written, nothing renamed") << 0;
    QTest::newRow("score renamed, name not yet") << 1;
    QTest::newRow("both renamed, journal left") << 2;
}

void tst_FileTable::anInterruptedReplacementIsFinishedByTheNextOpen()
{
    QFETCH(int, renamedBeforeTheKill);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("figX.txt"), "7\r\n"));
    QVERIFY(writeFile(dir.filePath("nfigX.txt"), "Anna\r\n"));
    QVERIFY(writeFile(dir.filePath(".figX.txt.a1B2c3"), "9\r\n"));
    QVERIFY(writeFile(dir.filePath(".nfigX.txt.d4E5f6"), "Bruno\r\n"));
    QVERIFY(writeFile(dir.filePath(".nfigX.txt.Zz9Yy8"), "left by an earlier kill\r\n"));
    const std::vector<StagedFile> staged{{dir.filePath(".figX.txt.a1B2c3"), dir.filePath("figX.txt")},
                                         {dir.filePath(".nfigX.txt.d4E5f6"), dir.filePath("nfigX.txt")}};
    // What a program killed during the save leaves behind.
    QVERIFY(ReplacementJournal::begin(staged));
    for (int i = 0; i < renamedBeforeTheKill; ++i)
        QVERIFY(QFile::remove(staged[i].target) && QFile::rename(staged[i].staged, staged[i].target));

    FileTable fresh; // the next run of the program
    fresh.open(windowsPath(dir, "figX.txt"), OpenMode::Append, 1);
    fresh.close(1);

    QCOMPARE(fileContents(dir.filePath("figX.txt")), QByteArray("9\r\n"));
    QCOMPARE(fileContents(dir.filePath("nfigX.txt")), QByteArray("Bruno\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"figX.txt", "nfigX.txt"}));
}

QTEST_GUILESS_MAIN(tst_FileTable)
#include "tst_filetable.moc"
