#include "fakeplatform.h"

#include "form1.h"
#include "runtime/label.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A run-time error ends the program: from the moment it is raised no timer ticks and no
// handler runs, however long its box stays open, and closing the box ends with status 1.
class tst_RuntimeError : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void errorStopsTheGame_data();
    void errorStopsTheGame();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<Form1> form;
};

enum Moment { AtStartUp, OnAWrongAnswer, OnTheRecordSave };

void tst_RuntimeError::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("HOME", QFile::encodeName(m_home->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(QStringLiteral("data"))));
    platform = std::make_unique<FakePlatform>();
    platform->typedName = QStringLiteral("Mario");
    form = std::make_unique<Form1>();
}

void tst_RuntimeError::cleanup()
{
    form.reset();
    platform.reset();
    m_home.reset();
}

void tst_RuntimeError::errorStopsTheGame_data()
{
    QTest::addColumn<int>("moment");
    QTest::newRow("at start-up: the record folder lies below a file") << int(AtStartUp);
    QTest::newRow("during play: the 32768th wrong answer") << int(OnAWrongAnswer);
    QTest::newRow("at the end: the score file became a folder") << int(OnTheRecordSave);
}

void tst_RuntimeError::errorStopsTheGame()
{
    QFETCH(int, moment);

    if (moment == AtStartUp) {
        QFile blocker(m_home->filePath(QStringLiteral("data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        form->Form_Load(); // the countdown runs from here on, for real
        QVERIFY(form->Timer1.isEnabled());
    }

    bool timerStopped = false;
    QString clockAtTheBox, clockAfterTheBox;
    qsizetype boxesBefore = -1, boxesAfter = -1;
    platform->whileErrorIsOpen = [&](const ShownBox &) {
        timerStopped = !form->Timer1.isEnabled();
        clockAtTheBox = form->lblconto->caption();
        boxesBefore = platform->boxes.size();
        QTest::qWait(1300); // the box stays open past the next tick
        clockAfterTheBox = form->lblconto->caption();
        boxesAfter = platform->boxes.size();
    };

    int status = -1;
    try {
        switch (moment) {
        case AtStartUp:
            form->Form_Load();
            break;
        case OnAWrongAnswer:
            form->nerrate = 32767;
            form->Option1_Click(form->figura % 7 + 1);
            break;
        case OnTheRecordSave: {
            form->nesatte = 1;
            form->Command1_Click();
            const QString score =
                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/figX.txt");
            QVERIFY(QFile::remove(score));
            QVERIFY(QDir().mkdir(score));
            form->exit_Click();
        }
        }
    } catch (const ProgramEnded &end) {
        status = end.status;
    }

    QCOMPARE(platform->errors.size(), 1);
    QVERIFY2(platform->errors[0].prompt.startsWith(QStringLiteral("Errore di run-time '")),
             qPrintable(platform->errors[0].prompt));
    QCOMPARE(status, 1);
    QVERIFY2(timerStopped, "the countdown still ran when the error box showed");
    QCOMPARE(clockAfterTheBox, clockAtTheBox);
    QCOMPARE(boxesAfter, boxesBefore);
}

QTEST_MAIN(tst_RuntimeError)
#include "tst_runtimeerror.moc"
