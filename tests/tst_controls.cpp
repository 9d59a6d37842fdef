#include "fakeplatform.h"

#include "runtime/colors.h"
#include "runtime/controlarray.h"
#include "runtime/label.h"
#include "runtime/layoutfinish.h"
#include "runtime/optionbutton.h"
#include "runtime/timercontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

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
    void captionLines_data();
    void captionLines();
    void hugeCaptionIsQuick();
    void windowSettings_data();
    void windowSettings();
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
    label.setCaption(QString());
    QCOMPARE(label.caption(), QString());
}

void tst_Controls::captionLines_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("widest");
    QTest::newRow("CR LF at the end") << QStringLiteral("12\r\n") << 2 << QStringLiteral("12");
    QTest::newRow("lone CR") << QStringLiteral("Anna\rMaria") << 2 << QStringLiteral("Maria");
    QTest::newRow("lone LF") << QStringLiteral("Anna\nMaria") << 2 << QStringLiteral("Maria");
    QTest::newRow("empty line between") << QStringLiteral("Anna\r\n\r\nBo") << 3 << QStringLiteral("Anna");
    QTest::newRow("LF then CR: two ends") << QStringLiteral("\n\r") << 3 << QString();
    QTest::newRow("empty") << QString() << 1 << QString();
}

// An AutoSize label takes its caption's extent, line by line, plus its border.
void tst_Controls::captionLines()
{
    QFETCH(QString, caption);
    QFETCH(int, lines);
    QFETCH(QString, widest);
    QWidget window;
    auto *label = new Label(&window);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoSize(true);
    label->move(10, 20);
    label->setCaption(caption);
    QCOMPARE(label->caption(), caption);
    const QFontMetrics metrics(label->font());
    const int width = int(std::ceil(QFontMetricsF(label->font()).horizontalAdvance(widest)));
    QCOMPARE(label->geometry(), QRect(10, 20, width + 2, lines * metrics.lineSpacing() - metrics.leading() + 2));
}

// A caption may be a whole record file: one of 100 MB, nothing but line ends, is set and
// shown in time in proportion to its size, on a fixed label and on one that grows with it.
void tst_Controls::hugeCaptionIsQuick()
{
    QWidget window;
    window.resize(400, 300);
    auto *fixed = new Label(&window);
    fixed->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    fixed->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fixed->setGeometry(0, 0, 245, 33);
    auto *growing = new Label(&window);
    growing->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    growing->setAutoSize(true);
    growing->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QString caption = QStringLiteral("\r\n").repeated(50'000'000);
    QElapsedTimer clock;
    clock.start();
    fixed->setCaption(caption);
    growing->setCaption(caption);
    window.repaint();
    const qint64 ms = clock.elapsed();
    QVERIFY2(ms < 10'000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
    QCOMPARE(fixed->caption(), caption);
    QCOMPARE(fixed->size(), QSize(245, 33));
    QVERIFY(growing->height() > window.height()); // as tall as its lines, as far as a widget goes
}

void tst_Controls::windowSettings_data()
{
    QTest::addColumn<bool>("larger");
    QTest::newRow("smaller than the screen") << false;
    QTest::newRow("larger than the screen") << true;
}

// A fixed dialog frame keeps the window's size and offers no minimise or maximise; the
// window opens centred on its screen, or at its corner if it does not fit.
void tst_Controls::windowSettings()
{
    QFETCH(bool, larger);
    QWidget window;
    const QRect screen = window.screen()->availableGeometry();
    const QSize size = larger ? screen.size() + QSize(40, 30) : QSize(300, 200);
    window.resize(size);
    window.setProperty("borderStyle", 3);
    window.setProperty("startUpPosition", 1);
    finishLayout(&window);

    QCOMPARE(window.minimumSize(), size);
    QCOMPARE(window.maximumSize(), size);
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (larger) {
        QCOMPARE(window.pos(), screen.topLeft());
    } else {
        // Centred before the window manager's frame was known: off by at most its size.
        const QPoint off = window.geometry().center() - screen.center();
        const QSize frame = window.frameGeometry().size() - window.size();
        QVERIFY2(qAbs(off.x()) <= frame.width() && qAbs(off.y()) <= frame.height(),
                 qPrintable(QStringLiteral("%1, %2 off the centre").arg(off.x()).arg(off.y())));
    }
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
