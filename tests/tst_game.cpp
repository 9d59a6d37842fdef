#include "fakeplatform.h"
#include "testfiles.h"

#include "form1.h"
#include "runtime/ansitext.h"
#include "runtime/desktopsetup.h"
#include "runtime/filetable.h"
#include "runtime/label.h"
#include "runtime/services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using namespace rt;

// The game from start-up to its end, with the boxes answered by a fake desktop and
// the countdown's ticks given by hand.
class tst_Game : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpInOrder();
    void startUpShowsTheStoredRecordAsItIs();
    void startUpShowsAnyStoredText();
    void startUpCreatesOnlyTheMissingFile();
    void startUpFailsCleanly_data();
    void startUpFailsCleanly();
    void startUpRefusesARecordFileThatIsNoFile_data();
    void startUpRefusesARecordFileThatIsNoFile();
    void theRecordLivesInTheFolderTheSystemGives_data();
    void theRecordLivesInTheFolderTheSystemGives();
    void aHugeRecordFileShowsInTime();

    void countdownTrace_data();
    void countdownTrace();
    void tick901EndsTheGame();
    void onlyTheDisplayEndsTheGame();

    void farewellOnExit_data();
    void farewellOnExit();
    void recordCheck_data();
    void recordCheck();
    void aFailedSaveLeavesTheOldRecordWhole_data();
    void aFailedSaveLeavesTheOldRecordWhole();
    void aFullDiskLeavesTheOldRecordWhole_data();
    void aFullDiskLeavesTheOldRecordWhole();
    void aTickDuringTheFarewellStartsNoSecondEnd_data();
    void aTickDuringTheFarewellStartsNoSecondEnd();

private:
    QString recordFile(const QString &name) const { return m_records + u'/' + name; }
    void startGame(const QString &name = QStringLiteral("Mario"));
    // Anna's record of 2 on disk; Bruno plays and has 3 when his game ends.
    void startGameThatBeatsTheRecord();
    // Runs an ending road; returns the exit status it ended with.
    int runToTheEnd(void (Form1::*road)());
    void tick(int times);

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_records;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<Form1> form;
};

void tst_Game::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_home->path());
    qputenv("HOME", m_home->path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (m_home->path() + "/data").toLocal8Bit());
    m_records = m_home->path() + QStringLiteral("/data/Corvane/Velmora");
    platform = std::make_unique<FakePlatform>();
    form = std::make_unique<Form1>();
}

void tst_Game::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    form.reset();
    platform.reset();
    FileTable::instance().setFaultHook({});
    m_home.reset();
}

void tst_Game::startGame(const QString &name)
{
    platform->typedName = name;
    form->Form_Load();
    form->Timer1.setEnabled(false); // ticks come from the test
    platform->boxes.clear();
    platform->sounds.clear();
}

void tst_Game::startGameThatBeatsTheRecord()
{
    QDir().mkpath(m_records);
    QVERIFY(writeFile(recordFile("figX.txt"), "2\r\n"));
    QVERIFY(writeFile(recordFile("nfigX.txt"), "Anna\r\n"));
    startGame(QStringLiteral("Bruno"));
    form->nesatte = 3;
    form->Command1_Click();
}

int tst_Game::runToTheEnd(void (Form1::*road)())
{
    try {
        (form.get()->*road)();
    } catch (const ProgramEnded &end) {
        return end.status;
    }
    return -1; // it came back: a fault
}

void tst_Game::tick(int times)
{
    for (int i = 0; i < times; ++i)
        form->Timer1_Timer();
}

void tst_Game::startUpInOrder()
{
    platform->typedName = QStringLiteral(" Anna ");
    bool timerOffAtTheGreeting = false;
    int labelsWrittenAtTheGreeting = -1;
    platform->whileBoxIsOpen = [&](const ShownBox &) {
        timerOffAtTheGreeting = !form->Timer1.isEnabled();
        labelsWrittenAtTheGreeting = form->lblnome1->caption() == u" Anna ";
    };

    form->Form_Load();

    QCOMPARE(platform->prompts.size(), 1);
    QCOMPARE(platform->prompts[0].prompt, QStringLiteral("Come ti chiami?"));
    QCOMPARE(platform->prompts[0].title, QStringLiteral("Velmora"));
    QCOMPARE(platform->boxes.size(), 1);
    QCOMPARE(platform->boxes[0].prompt, QStringLiteral("  Anna  vediamo se sei un vero campione  "));
    QCOMPARE(platform->boxes[0].buttons, 48);
    QCOMPARE(platform->boxes[0].title, QStringLiteral("Velmora"));
    QVERIFY(timerOffAtTheGreeting);
    QCOMPARE(labelsWrittenAtTheGreeting, 0); // the name is shown after the greeting

    QCOMPARE(form->lblnome1->caption(), QStringLiteral(" Anna "));
    QVERIFY(form->Timer1.isEnabled());
    QCOMPARE(form->lblconto->caption(), QStringLiteral("00:15:00"));
    QCOMPARE(int(form->restanti), 900);
    QCOMPARE(form->lblScore->caption(), QStringLiteral("0"));
    QCOMPARE(form->lblScore1->caption(), QStringLiteral("0"));
    QCOMPARE(form->dirsistema, QDir::toNativeSeparators(m_records) + u'\\');
    QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray());
    QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray());
    QCOMPARE(form->lblpunti->caption(), QString());
    QCOMPARE(form->lblnome->caption(), QString());
    QVERIFY(form->figura >= 1 && form->figura <= 7);
    QCOMPARE(platform->sounds.size(), 1); // the first note plays before the window shows
    QVERIFY(form->isHidden());
}

void tst_Game::startUpShowsTheStoredRecordAsItIs()
{
    QDir().mkpath(m_records);
    QVERIFY(writeFile(recordFile("figX.txt"), "12\r\n"));
    QVERIFY(writeFile(recordFile("nfigX.txt"), "Niccol\xF2\r\n"));

    startGame();

    QCOMPARE(form->lblpunti->caption(), QStringLiteral("12\r\n"));
    QCOMPARE(form->lblnome->caption(), QStringLiteral("Niccolò\r\n"));
    QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray("12\r\n"));
    QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray("Niccol\xF2\r\n"));
}

void tst_Game::startUpShowsAnyStoredText()
{
    QDir().mkpath(m_records);
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    QVERIFY(writeFile(recordFile("figX.txt"), everyByte));
    QVERIFY(writeFile(recordFile("nfigX.txt"), QByteArray(1 << 20, 'n')));

    startGame();

    QCOMPARE(form->lblpunti->caption(), fromAnsi(everyByte));
    QCOMPARE(form->lblnome->caption().size(), 1 << 20);
    QCOMPARE(fileContents(recordFile("figX.txt")), everyByte);
}

void tst_Game::startUpCreatesOnlyTheMissingFile()
{
    QDir().mkpath(m_records);
    QVERIFY(writeFile(recordFile("figX.txt"), "3\r\n"));

    startGame();

    QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray("3\r\n"));
    QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray());
    QCOMPARE(form->lblnome->caption(), QString());
}

void tst_Game::startUpFailsCleanly_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("no record folder can be made") << "data";
    QTest::newRow("a record file is a folder") << "data/Corvane/Velmora/nfigX.txt/";
    QTest::newRow("a record file that cannot be opened") << "";
}

void tst_Game::startUpFailsCleanly()
{
    QFETCH(QString, obstacle);
    if (obstacle.isEmpty()) // as a file locked or without permission (root may open any file)
        FileTable::instance().setFaultHook([](FileTable::Step step, const QString &path) {
            return step == FileTable::Step::Open && path.endsWith(QStringLiteral("/figX.txt"));
        });
    else if (obstacle.endsWith(u'/'))
        QDir().mkpath(m_home->path() + u'/' + obstacle);
    else
        QVERIFY(writeFile(m_home->path() + u'/' + obstacle, "a file where a folder should be"));
    platform->typedName = QStringLiteral("Mario");

    QCOMPARE(runToTheEnd(&Form1::Form_Load), 1);

    QCOMPARE(platform->errors.size(), 1);
    QVERIFY(platform->errors[0].prompt.startsWith(QStringLiteral("Errore di run-time '")));
    QCOMPARE(platform->errors[0].title, QStringLiteral("Velmora"));
    QVERIFY(form->isHidden());
}

void tst_Game::startUpRefusesARecordFileThatIsNoFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("pipe"); // else a link to a device
    QTest::newRow("the score file is a pipe") << "figX.txt" << true;
    QTest::newRow("the name file is a pipe") << "nfigX.txt" << true;
    QTest::newRow("the name file is a link to a device") << "nfigX.txt" << false;
}

void tst_Game::startUpRefusesARecordFileThatIsNoFile()
{
    QFETCH(QString, file);
    QFETCH(bool, pipe);
    QDir().mkpath(m_records);
    if (pipe)
        QVERIFY(::mkfifo(QFile::encodeName(recordFile(file)).constData(), 0644) == 0);
    else
        QVERIFY(QFile::link("/dev/null", recordFile(file)));
    PipeUnblocker unblocker(recordFile(file), 5000);
    platform->typedName = QStringLiteral("Mario");
    QElapsedTimer clock;
    clock.start();

    const int status = runToTheEnd(&Form1::Form_Load);

    QVERIFY2(!unblocker.hadToUnblock(), "the start-up waited on the pipe");
    QCOMPARE(status, 1);
    QVERIFY(clock.elapsed() < 3000);
    QCOMPARE(platform->errors.size(), 1);
    QCOMPARE(platform->errors[0].prompt, QStringLiteral("Errore di run-time '75':\n\nErrore di accesso al percorso/file"));
    QVERIFY(form->isHidden());
    QCOMPARE(QFileInfo(recordFile(file)).isFile(), false); // left as it was
}

void tst_Game::theRecordLivesInTheFolderTheSystemGives_data()
{
    // Relative to the test's home; the current folder is the home too.
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("dataHome"); // as set, "%home" standing for the home
    QTest::addColumn<QString>("records");
    QTest::newRow("data folder ending in a dot") << "" << "%home/dotend." << "dotend./Corvane/Velmora";
    QTest::newRow("data folder with a backslash") << "" << "%home/a\\b/data" << "a\\b/data/Corvane/Velmora";
    QTest::newRow("home folder ending in a dot, no data folder")
        << "j.r." << "" << "j.r./.local/share/Corvane/Velmora";
    // The base-directory rules: a relative data folder is invalid, and ignored.
    QTest::newRow("relative data folder") << "" << "data" << ".local/share/Corvane/Velmora";
    QTest::newRow("relative data folder to the current one") << "" << "./x/.." << ".local/share/Corvane/Velmora";
}

void tst_Game::theRecordLivesInTheFolderTheSystemGives()
{
    QFETCH(QString, home);
    QFETCH(QString, dataHome);
    QFETCH(QString, records);
    const QString root = m_home->path();
    qputenv("HOME", QFile::encodeName(root + u'/' + home));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.replace("%home", root)));
    const QString folder = root + u'/' + records;
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeFile(folder + "/figX.txt", "4\r\n"));
    QVERIFY(writeFile(folder + "/nfigX.txt", "Anna\r\n"));
    const QStringList before = folderEntries(root);
    try {
        startGame(QStringLiteral("Bruno"));
    } catch (const ProgramEnded &) {
        QFAIL(qPrintable(QStringLiteral("the start-up failed: ") + platform->errors.value(0).prompt));
    }
    QCOMPARE(form->lblpunti->caption(), QStringLiteral("4\r\n"));
    QCOMPARE(form->lblnome->caption(), QStringLiteral("Anna\r\n"));
    form->nesatte = 5;
    form->Command1_Click();

    QCOMPARE(runToTheEnd(&Form1::exit_Click), 0);

    QVERIFY(platform->errors.isEmpty());
    QCOMPARE(fileContents(folder + "/figX.txt"), QByteArray("5\r\n"));
    QCOMPARE(fileContents(folder + "/nfigX.txt"), QByteArray("Bruno\r\n"));
    QCOMPARE(folderEntries(folder), (QStringList{"figX.txt", "nfigX.txt"}));
    QCOMPARE(folderEntries(root), before); // nothing made anywhere else
}

void tst_Game::aHugeRecordFileShowsInTime()
{
    QDir().mkpath(m_records);
    QByteArray lineEnds;
    lineEnds.reserve(100 << 20);
    while (lineEnds.size() < (100 << 20))
        lineEnds += "\r\n";
    QVERIFY(writeFile(recordFile("figX.txt"), lineEnds));
    lineEnds.clear();
    lineEnds.squeeze();
    QElapsedTimer clock;
    clock.start();
    const Watchdog watchdog(60000, "the start-up with a 100 MB record file did not end within 60 s");

    startGame();

    // Linear work on 100 MB takes a second or two; a margin for a loaded machine and the
    // sanitizers.
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QStringLiteral("start-up took %1 ms").arg(clock.elapsed())));
    QCOMPARE(form->lblpunti->caption().size(), 100 << 20);
}

void tst_Game::countdownTrace_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("minuti");
    QTest::addColumn<float>("secondi");
    QTest::addColumn<int>("restanti");
    QTest::addColumn<QString>("display");
    QTest::newRow("start") << 0 << 15 << 0.0f << 900 << "00:15:00";
    QTest::newRow("tick 1 borrows a minute") << 1 << 14 << 59.0f << 899 << "00:14:59";
    QTest::newRow("tick 2") << 2 << 14 << 58.0f << 898 << "00:14:58";
    QTest::newRow("tick 60") << 60 << 14 << 0.0f << 840 << "00:14:00";
    QTest::newRow("tick 61 borrows") << 61 << 13 << 59.0f << 839 << "00:13:59";
    QTest::newRow("tick 840") << 840 << 1 << 0.0f << 60 << "00:01:00";
    QTest::newRow("tick 841 borrows the last minute") << 841 << 0 << 59.0f << 59 << "00:00:59";
    QTest::newRow("tick 899") << 899 << 0 << 1.0f << 1 << "00:00:01";
    QTest::newRow("tick 900 shows zero and goes on") << 900 << 0 << 0.0f << 0 << "00:00:00";
}

void tst_Game::countdownTrace()
{
    QFETCH(int, ticks);
    QFETCH(int, minuti);
    QFETCH(float, secondi);
    QFETCH(int, restanti);
    QFETCH(QString, display);
    startGame();

    tick(ticks);

    QCOMPARE(int(form->ore), 0);
    QCOMPARE(int(form->minuti), minuti);
    QCOMPARE(form->secondi, secondi);
    QCOMPARE(int(form->restanti), restanti);
    QCOMPARE(form->lblconto->caption(), display);
    QVERIFY(platform->boxes.isEmpty());
}

void tst_Game::tick901EndsTheGame()
{
    startGame();
    tick(900);

    QCOMPARE(runToTheEnd(&Form1::Timer1_Timer), 0);

    QCOMPARE(platform->boxes.size(), 1); // a score of 0 is never a record
    QCOMPARE(platform->boxes[0].prompt, QStringLiteral("Ciao a presto. Ore 0"));
    QCOMPARE(platform->boxes[0].buttons, 0);
    QCOMPARE(platform->boxes[0].title, QStringLiteral("Data ") + Date());
    QCOMPARE(form->lblconto->caption(), QStringLiteral("00:00:00"));
    QCOMPARE(int(form->restanti), 0);
    QCOMPARE(form->secondi, 0.0f);
    QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray());
}

void tst_Game::onlyTheDisplayEndsTheGame()
{
    startGame();
    form->lblconto->setCaption(QStringLiteral("00:00:00"));

    QCOMPARE(runToTheEnd(&Form1::Timer1_Timer), 0);
    QCOMPARE(platform->boxes[0].prompt, QStringLiteral("Ciao a presto. Ore 900"));
}

void tst_Game::farewellOnExit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("a name") << "Mario" << "Ciao Mario, alla prossima sfida!";
    QTest::newRow("blanks kept") << " Zoë " << "Ciao  Zoë , alla prossima sfida!";
    QTest::newRow("empty name") << "" << "Ciao , alla prossima sfida!";
}

void tst_Game::farewellOnExit()
{
    QFETCH(QString, name);
    QFETCH(QString, prompt);
    startGame(name);

    QCOMPARE(runToTheEnd(&Form1::exit_Click), 0);

    QCOMPARE(platform->boxes.size(), 1);
    QCOMPARE(platform->boxes[0].prompt, prompt);
    QCOMPARE(platform->boxes[0].buttons, 0);
    QCOMPARE(platform->boxes[0].title, QStringLiteral("Data ") + Date());
}

void tst_Game::recordCheck_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("score");
    QTest::addColumn<bool>("newRecord");
    QTest::newRow("no record, no score") << QByteArray() << 0 << false;
    QTest::newRow("no record, one point") << QByteArray() << 1 << true;
    QTest::newRow("tie") << QByteArray("5\r\n") << 5 << false;
    QTest::newRow("lower") << QByteArray("5\r\n") << 4 << false;
    QTest::newRow("one more") << QByteArray("5\r\n") << 6 << true;
    QTest::newRow("stored text is no number") << QByteArray("Mario\r\n") << 1 << true;
    QTest::newRow("several lines") << QByteArray("7\r\n99\r\n") << 8 << true;
    QTest::newRow("two digits against one") << QByteArray("12\r\n") << 9 << false;
    QTest::newRow("no line end") << QByteArray("5") << 6 << true;
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    QTest::newRow("binary") << everyByte << 1 << true;
    QTest::newRow("1 MB of digits, no line end") << QByteArray(1 << 20, '9') << 32767 << false;
    QTest::newRow("1 MB of text") << QByteArray(1 << 20, 'x') << 1 << true;
}

void tst_Game::recordCheck()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, score);
    QFETCH(bool, newRecord);
    QDir().mkpath(m_records);
    QVERIFY(writeFile(recordFile("figX.txt"), stored));
    QVERIFY(writeFile(recordFile("nfigX.txt"), "a previous holder with a long name\r\n"));
    startGame(QStringLiteral("Niccolò"));
    form->nesatte = score;
    form->Command1_Click(); // the draw shows the score

    QCOMPARE(runToTheEnd(&Form1::exit_Click), 0);

    if (newRecord) {
        QCOMPARE(platform->boxes.size(), 2);
        QCOMPARE(platform->boxes[1].prompt, QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E"));
        QCOMPARE(platform->boxes[1].title, QStringLiteral("Velmora"));
        QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray::number(score) + "\r\n");
        QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray("Niccol\xF2\r\n"));
    } else {
        QCOMPARE(platform->boxes.size(), 1);
        QCOMPARE(fileContents(recordFile("figX.txt")), stored);
        QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray("a previous holder with a long name\r\n"));
    }
    QCOMPARE(QDir(m_records).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"figX.txt", "nfigX.txt"}));
}

void tst_Game::aFailedSaveLeavesTheOldRecordWhole_data()
{
    addSaveFailureRows();
}

void tst_Game::aFailedSaveLeavesTheOldRecordWhole()
{
    QFETCH(int, step);
    QFETCH(QString, file);
    startGameThatBeatsTheRecord();
    if (QTest::currentTestFailed())
        return;
    FileTable::instance().setFaultHook([&](FileTable::Step s, const QString &path) {
        return int(s) == step && path.endsWith(u'/' + file);
    });

    QCOMPARE(runToTheEnd(&Form1::exit_Click), 1);

    QCOMPARE(platform->errors.size(), 1);
    QCOMPARE(platform->boxes.size(), 1); // the farewell; no confirmation
    QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray("2\r\n"));
    QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray("Anna\r\n"));
    QCOMPARE(QDir(m_records).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"figX.txt", "nfigX.txt"}));
}

void tst_Game::aFullDiskLeavesTheOldRecordWhole_data()
{
    // Each step of the save needs a page of its own: the lock, the journal, the new
    // score, the new name. The disk fills up at each of them in turn.
    QTest::addColumn<int>("freePages");
    QTest::addColumn<bool>("saved");
    QTest::newRow("no room for the lock") << 0 << false;
    QTest::newRow("no room for the journal") << 1 << false;
    QTest::newRow("no room for the new score") << 2 << false;
    QTest::newRow("no room for the new name") << 3 << false;
    QTest::newRow("room for all") << 4 << true;
}

void tst_Game::aFullDiskLeavesTheOldRecordWhole()
{
    QFETCH(int, freePages);
    QFETCH(bool, saved);
    SmallDisk disk(m_home->path() + QStringLiteral("/data"), 128);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.why));
    startGameThatBeatsTheRecord();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(disk.fillLeaving(freePages));

    QCOMPARE(runToTheEnd(&Form1::exit_Click), saved ? 0 : 1);

    if (saved) {
        QVERIFY(platform->errors.isEmpty());
        QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray("3\r\n"));
        QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray("Bruno\r\n"));
    } else {
        QCOMPARE(platform->errors.size(), 1);
        QCOMPARE(platform->errors[0].prompt, QStringLiteral("Errore di run-time '61':\n\nDisco pieno"));
        QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray("2\r\n"));
        QCOMPARE(fileContents(recordFile("nfigX.txt")), QByteArray("Anna\r\n"));
    }
    QCOMPARE(folderEntries(m_records), (QStringList{"figX.txt", "nfigX.txt"}));
}

void tst_Game::aTickDuringTheFarewellStartsNoSecondEnd_data()
{
    QTest::addColumn<bool>("byTheCountdown");
    QTest::newRow("the countdown ran out") << true;
    QTest::newRow("Esci") << false;
}

void tst_Game::aTickDuringTheFarewellStartsNoSecondEnd()
{
    QFETCH(bool, byTheCountdown);
    startGame();
    form->nesatte = 1;
    form->Command1_Click();
    tick(900);
    platform->whileBoxIsOpen = [&](const ShownBox &) {
        platform->whileBoxIsOpen = nullptr;
        tick(3); // the countdown keeps ticking while a box is open
    };

    QCOMPARE(runToTheEnd(byTheCountdown ? &Form1::Timer1_Timer : &Form1::exit_Click), 0);

    QStringList prompts;
    for (const ShownBox &box : platform->boxes)
        prompts << box.prompt;
    QCOMPARE(prompts.size(), 2);
    QVERIFY(prompts[0].startsWith(QStringLiteral("Ciao")));
    QCOMPARE(prompts[1], QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E"));
    QCOMPARE(fileContents(recordFile("figX.txt")), QByteArray("1\r\n"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::setUpDesktop(app);
    tst_Game test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_game.moc"
