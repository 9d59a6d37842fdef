#include "fakeplatform.h"

#include "form1.h"
#include "runtime/commandbutton.h"
#include "runtime/desktopsetup.h"
#include "runtime/label.h"
#include "runtime/optionbutton.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <memory>

using namespace rt;

namespace {

// A random value that draws note n.
float drawing(int n)
{
    return (float(n) - 0.5f) / 7.0f;
}

QString noteSound(int n)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/suoni/%1A.wav").arg(n);
}

QString wrongSound()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/suoni/no.wav");
}

} // namespace

class tst_Round : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void drawMapsTheRandomValue_data();
    void drawMapsTheRandomValue();
    void drawResetsWhateverCameBefore();
    void newNoteButtonKeepsTheCounts();
    void rightAnswer();
    void wrongAnswer();
    void twoWrongThenRight();
    void everyClickOnAWrongButtonCounts();
    void focusResetsOnlyTheButtonOfTheNoteAsked();
    void mouseClickGivesFocusThenSelectsThenClicks();
    void counterAtItsLimit_data();
    void counterAtItsLimit();

private:
    void drawNote(int n);
    void click(int n);

    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<Form1> form;
};

void tst_Round::init()
{
    platform = std::make_unique<FakePlatform>();
    form = std::make_unique<Form1>();
    form->Timer1.setEnabled(false); // ticks are not this test's business
    form->Command1_Click();         // as start-up does, before the window shows
    platform->sounds.clear();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void tst_Round::cleanup()
{
    form.reset();
    platform.reset();
}

void tst_Round::drawNote(int n)
{
    platform->randomValues = {drawing(n)};
    form->Command1_Click();
    QCOMPARE(int(form->figura), n);
}

void tst_Round::click(int n)
{
    OptionButton *button = form->Option1[n];
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void tst_Round::drawMapsTheRandomValue_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("note");
    // Every note, each with its own sound.
    for (int n = 1; n <= 7; ++n)
        QTest::addRow("note %d", n) << drawing(n) << n;
    // The ends of the range and a boundary between two notes.
    QTest::newRow("zero") << 0.0f << 1;
    QTest::newRow("six sevenths") << 6.0f / 7.0f << 7;
    QTest::newRow("largest single below 1") << std::nextafter(1.0f, 0.0f) << 7;
}

void tst_Round::drawMapsTheRandomValue()
{
    QFETCH(float, r);
    QFETCH(int, note);
    platform->randomValues = {r};
    form->Command1_Click();
    QCOMPARE(int(form->figura), note);
    QCOMPARE(platform->sounds, QStringList{noteSound(note)});
}

void tst_Round::drawResetsWhateverCameBefore()
{
    form->Option1[3]->setValue(true);
    form->Option1[2]->setBackColor(0x000000FF);
    form->Option1[4]->setForeColor(0x00000000);
    form->Option1[5]->setEnabled(false);
    form->Option1[6]->setVisible(false);
    form->Image1[7]->setVisible(true);
    form->Command1->setVisible(false);
    form->nesatte = 9;

    drawNote(2);

    for (int n = 1; n <= 7; ++n) {
        const OptionButton *button = form->Option1[n];
        QVERIFY2(!button->value(), qPrintable(QString::number(n)));
        QVERIFY(!button->isHidden());
        QVERIFY(button->isEnabled());
        QCOMPARE(button->palette().color(QPalette::Button), QColor(Qt::white));
        QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(Qt::magenta));
        QVERIFY(form->Image1[n]->isHidden());
    }
    QVERIFY(!form->Command1->isHidden());
    QCOMPARE(form->lblScore->caption(), QStringLiteral("9"));
    QCOMPARE(int(form->indice), 8);
}

void tst_Round::newNoteButtonKeepsTheCounts()
{
    form->nesatte = 4;
    form->nerrate = 2;
    drawNote(1);
    form->Command1->setFocus();
    platform->randomValues = {drawing(6)};
    QTest::keyClick(form->Command1, Qt::Key_Space);

    QCOMPARE(int(form->figura), 6);
    QCOMPARE(int(form->nesatte), 4);
    QCOMPARE(int(form->nerrate), 2);
    QCOMPARE(form->lblScore->caption(), QStringLiteral("4"));
    QVERIFY(platform->boxes.isEmpty());
}

void tst_Round::rightAnswer()
{
    drawNote(3);
    int countWhileBoxOpen = -1;
    platform->whileBoxIsOpen = [&](const ShownBox &) { countWhileBoxOpen = form->nesatte; };
    platform->randomValues = {drawing(5)};

    click(3);

    QCOMPARE(platform->boxes.size(), 1);
    QCOMPARE(platform->boxes[0].prompt, QStringLiteral("Bravo è esatto"));
    QCOMPARE(platform->boxes[0].buttons, 0);
    QCOMPARE(platform->boxes[0].title, QStringLiteral("Velmora"));
    QCOMPARE(countWhileBoxOpen, 0); // counted after its box
    QCOMPARE(int(form->nesatte), 1);
    QCOMPARE(form->lblScore->caption(), QStringLiteral("1"));
    QCOMPARE(int(form->nerrate), 0);
    QCOMPARE(form->lblScore1->caption(), QStringLiteral("0"));
    QCOMPARE(int(form->figura), 5);
    QVERIFY(!form->Command1->isHidden());
    for (int n = 1; n <= 7; ++n)
        QVERIFY(!form->Option1[n]->value());
    QCOMPARE(platform->sounds, (QStringList{noteSound(3), noteSound(5)}));
}

void tst_Round::wrongAnswer()
{
    drawNote(3);
    int countWhileBoxOpen = -1;
    QString labelWhileBoxOpen;
    qsizetype soundsWhileBoxOpen = -1;
    platform->whileBoxIsOpen = [&](const ShownBox &) {
        countWhileBoxOpen = form->nerrate;
        labelWhileBoxOpen = form->lblScore1->caption();
        soundsWhileBoxOpen = platform->sounds.size();
    };

    click(6);

    QCOMPARE(platform->boxes.size(), 1);
    QCOMPARE(platform->boxes[0].prompt, QStringLiteral("HAI SBAGLIATO"));
    QCOMPARE(platform->boxes[0].title, QStringLiteral("Velmora"));
    QCOMPARE(countWhileBoxOpen, 1);       // counted before its box
    QCOMPARE(labelWhileBoxOpen, QStringLiteral("0"));
    QCOMPARE(soundsWhileBoxOpen, 1);      // the cue comes after the box
    QCOMPARE(form->lblScore1->caption(), QStringLiteral("1"));
    QCOMPARE(platform->sounds, (QStringList{noteSound(3), wrongSound()}));
    QCOMPARE(int(form->figura), 3);
    QCOMPARE(int(form->nesatte), 0);
    QCOMPARE(form->lblScore->caption(), QStringLiteral("0"));
    QVERIFY(form->Command1->isHidden());
    QVERIFY(form->Option1[6]->value());
}

void tst_Round::twoWrongThenRight()
{
    drawNote(4);
    click(2);
    QVERIFY(form->Command1->isHidden());
    click(7);
    QVERIFY(form->Command1->isHidden());
    QVERIFY(form->Option1[7]->value());
    QVERIFY(!form->Option1[2]->value());
    platform->randomValues = {drawing(4)}; // the same note may come again
    click(4);

    QStringList prompts;
    for (const ShownBox &box : platform->boxes)
        prompts << box.prompt;
    QCOMPARE(prompts, (QStringList{"HAI SBAGLIATO", "HAI SBAGLIATO", "Bravo è esatto"}));
    QCOMPARE(int(form->nerrate), 2);
    QCOMPARE(int(form->nesatte), 1);
    QVERIFY(!form->Command1->isHidden());
    QCOMPARE(platform->sounds,
             (QStringList{noteSound(4), wrongSound(), wrongSound(), noteSound(4)}));
}

void tst_Round::everyClickOnAWrongButtonCounts()
{
    drawNote(1);
    click(5);
    click(5);
    QCOMPARE(int(form->nerrate), 2);
    QCOMPARE(platform->boxes.size(), 2);
    QCOMPARE(form->lblScore1->caption(), QStringLiteral("2"));
}

void tst_Round::focusResetsOnlyTheButtonOfTheNoteAsked()
{
    drawNote(2);
    click(5);                       // a wrong answer stays selected
    form->Option1[5]->setBackColor(0x00C0C0C0);
    form->Option1[2]->setBackColor(0x000000FF);

    form->Option1_GotFocus(5);

    QVERIFY(form->Option1[5]->value());
    QCOMPARE(form->Option1[5]->palette().color(QPalette::Button), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(!form->Option1[2]->value());
    QCOMPARE(form->Option1[2]->palette().color(QPalette::Button), QColor(Qt::white));
}

void tst_Round::mouseClickGivesFocusThenSelectsThenClicks()
{
    drawNote(1);
    form->Command1->setFocus();
    OptionButton *button = form->Option1[6];
    QStringList events;
    connect(button, &OptionButton::gotFocus, this,
            [&] { events << QStringLiteral("focus, selected %1").arg(button->value()); });
    connect(button, &QAbstractButton::clicked, this,
            [&] { events << QStringLiteral("click, selected %1").arg(button->value()); });

    click(6);

    QCOMPARE(events, (QStringList{"focus, selected 0", "click, selected 1"}));
}

void tst_Round::counterAtItsLimit_data()
{
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("boxesBeforeTheError");
    QTest::newRow("right answers") << true << 1;
    QTest::newRow("wrong answers") << false << 0;
}

void tst_Round::counterAtItsLimit()
{
    QFETCH(bool, right);
    QFETCH(int, boxesBeforeTheError);
    drawNote(3);
    (right ? form->nesatte : form->nerrate) = 32767;
    const int clicked = right ? 3 : 4;
    // As a click leaves it before Click: the button focused and selected.
    form->Option1[clicked]->setFocus();
    form->Option1[clicked]->setValue(true);

    QVERIFY_THROWS_EXCEPTION(ProgramEnded, form->Option1_Click(clicked));

    QCOMPARE(platform->boxes.size(), boxesBeforeTheError);
    QCOMPARE(platform->errors.size(), 1);
    QVERIFY(platform->errors[0].prompt.startsWith(QStringLiteral("Errore di run-time '6':")));
    QCOMPARE(platform->sounds.size(), 1); // neither the cue nor a next note
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::installFontSubstitutes();
    tst_Round test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_round.moc"
