#include "fakeplatform.h"

#include "runtime/colors.h"
#include "runtime/controlarray.h"
#include "runtime/label.h"
#include "runtime/optionbutton.h"
#include "runtime/timercontrol.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

using namespace rt;

// The window's kinds of control, as the handlers rely on them.
class tst_Controls : public QObject
{
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void captionReadsBackExactly();
    void optionGroup();
    void clickOnTheSelectedButtonClicksAgain();
    void groupIsOneContainer();
    void timer();
    void controlArrayBounds();
};

void tst_Controls::colours_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red") << quint32(0x000000FF) << QColor(255, 0, 0);
    QTest::newRow("blue") << quint32(0x00FF0000) << QColor(0, 0, 255);
    QTest::newRow("light cyan") << quint32(0x00FFFF80) << QColor(0x80, 0xFF, 0xFF);
    QTest::newRow("system: text of selected items")
        << quint32(0x8000000E) << QGuiApplication::palette().color(QPalette::HighlightedText);
}

void tst_Controls::colours()
{
    QFETCH(quint32, value);
    QFETCH(QColor, colour);
    QCOMPARE(toColor(value), colour);
}

void tst_Controls::captionReadsBackExactly()
{
    Label label;
    label.setText(QStringLiteral("Label3")); // as the layout sets it
    QCOMPARE(label.caption(), QStringLiteral("Label3"));
    label.setCaption(QStringLiteral("12\r\n"));
    QCOMPARE(label.caption(), QStringLiteral("12\r\n"));
    QCOMPARE(label.text(), QStringLiteral("12\n")); // shown as a line break
    label.setCaption(QString());
    QCOMPARE(label.caption(), QString());
}

void tst_Controls::optionGroup()
{
    QWidget window;
    std::vector<OptionButton *> buttons;
    for (int i = 0; i < 3; ++i)
        buttons.push_back(new OptionButton(&window));

    buttons[0]->setValue(true);
    buttons[2]->setValue(true);
    QVERIFY(!buttons[0]->value());
    QVERIFY(buttons[2]->value());

    buttons[2]->setValue(false); // a group Qt would keep selected can be emptied
    for (OptionButton *b : buttons)
        QVERIFY(!b->value());

    QTest::mouseClick(buttons[1], Qt::LeftButton);
    QVERIFY(buttons[1]->value());
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    QVERIFY(buttons[0]->value());
    QVERIFY(!buttons[1]->value());
}

void tst_Controls::clickOnTheSelectedButtonClicksAgain()
{
    QWidget window;
    auto *button = new OptionButton(&window);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks.size(), 2);
    QVERIFY(button->value()); // still selected, not toggled off
}

void tst_Controls::groupIsOneContainer()
{
    QWidget window;
    auto *left = new QWidget(&window);
    auto *right = new QWidget(&window);
    auto *a = new OptionButton(left);
    auto *b = new OptionButton(right);
    a->setValue(true);
    b->setValue(true);
    QVERIFY(a->value());
    QVERIFY(b->value());
}

void tst_Controls::timer()
{
    TimerControl timer(20, false);
    QSignalSpy ticks(&timer, &TimerControl::timer);
    QTest::qWait(60);
    QCOMPARE(ticks.size(), 0);
    timer.setEnabled(true);
    QVERIFY(ticks.wait(500));
    timer.setEnabled(false);
    const qsizetype seen = ticks.size();
    QTest::qWait(60);
    QCOMPARE(ticks.size(), seen);
    QCOMPARE(timer.interval(), 20);
}

void tst_Controls::controlArrayBounds()
{
    FakePlatform platform;
    QWidget a, b;
    const ControlArray<QWidget> array(1, {&a, &b});
    QCOMPARE(array[1], &a);
    QCOMPARE(array[2], &b);
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, array[0]);
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, array[3]);
    QCOMPARE(platform.errors.size(), 2);
    QVERIFY(platform.errors[0].prompt.startsWith(QStringLiteral("Errore di run-time '340':")));
}

QTEST_MAIN(tst_Controls)
#include "tst_controls.moc"
