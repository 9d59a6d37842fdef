#include "fakeplatform.h"

#include "form1.h"
#include "runtime/commandbutton.h"
#include "runtime/desktopsetup.h"
#include "runtime/label.h"
#include "runtime/optionbutton.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <memory>

using namespace rt;

// The menu commands, chosen through their menu items.
class tst_Menus : public QObject
{
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void replayTwiceStartsTheFileTwice();

private:
    struct Snapshot
    {
        int nesatte, nerrate, figura;
        QString score, errors;
        bool newNoteShown;
        QList<bool> selected;
        bool operator==(const Snapshot &o) const
        {
            return nesatte == o.nesatte && nerrate == o.nerrate && figura == o.figura && score == o.score
                   && errors == o.errors && newNoteShown == o.newNoteShown && selected == o.selected;
        }
    };
    static Snapshot snapshot(const Form1 &form);
};

tst_Menus::Snapshot tst_Menus::snapshot(const Form1 &form)
{
    Snapshot s{form.nesatte, form.nerrate, form.figura, form.lblScore->caption(), form.lblScore1->caption(),
               !form.Command1->isHidden(), {}};
    for (int n = 1; n <= 7; ++n)
        s.selected << form.Option1[n]->value();
    return s;
}

void tst_Menus::command_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("prompt");   // empty: no box
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("sound");    // empty: no sound

    QTest::newRow("esatte") << "esatte" << "Esatte 3" << 0 << "Velmora" << "";
    QTest::newRow("sbagliate") << "sbagliate" << "Errate 2" << 0 << "Velmora" << "";
    QTest::newRow("help") << "help"
                          << "Per iniziare a giocare clicca sul pulsante che riporta il nome della figura" << 64
                          << "Velmora" << "";
    QTest::newRow("ripeti") << "ripeti" << "" << 0 << "" << "/5.wav";
    QTest::newRow("scuola") << "scuola" << "" << 0 << "" << "";
    QTest::newRow("via") << "via" << "" << 0 << "" << "";
}

void tst_Menus::command()
{
    QFETCH(QString, item);
    QFETCH(QString, prompt);
    QFETCH(int, buttons);
    QFETCH(QString, title);
    QFETCH(QString, sound);
    FakePlatform platform;
    Form1 form;
    platform.randomValues = {4.5f / 7.0f};
    form.Command1_Click(); // note 5
    form.Timer1.setEnabled(false);
    form.nesatte = 3;
    form.nerrate = 2;
    form.Option1[2]->setValue(true); // a wrong answer standing
    form.Command1->setVisible(false);
    platform.sounds.clear();
    const Snapshot before = snapshot(form);

    QAction *action = form.findChild<QAction *>(item);
    QVERIFY(action);
    action->trigger();

    if (prompt.isEmpty()) {
        QVERIFY(platform.boxes.isEmpty());
    } else {
        QCOMPARE(platform.boxes.size(), 1);
        QCOMPARE(platform.boxes[0].prompt, prompt);
        QCOMPARE(platform.boxes[0].buttons, buttons);
        QCOMPARE(platform.boxes[0].title, title);
    }
    QCOMPARE(platform.sounds,
             sound.isEmpty() ? QStringList() : QStringList{QCoreApplication::applicationDirPath() + sound});
    QVERIFY(snapshot(form) == before);
}

void tst_Menus::replayTwiceStartsTheFileTwice()
{
    FakePlatform platform;
    Form1 form;
    platform.randomValues = {0.0f};
    form.Command1_Click(); // note 1
    platform.sounds.clear();
    QAction *replay = form.findChild<QAction *>(QStringLiteral("ripeti"));
    replay->trigger();
    replay->trigger();
    const QString file = QCoreApplication::applicationDirPath() + QStringLiteral("/1.wav");
    QCOMPARE(platform.sounds, (QStringList{file, file}));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::setUpDesktop(app);
    tst_Menus test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_menus.moc"
