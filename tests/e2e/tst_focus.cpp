// The focus rule of the answer buttons, on a real window manager: a click on a button
// gives GotFocus before Click, and the focus the window manager hands back when a box
// closes is not a new GotFocus. Off-screen no focus comes back at all, so this test
// runs under Xvfb with openbox.

#include "boxcloser.h"
#include "fakeplatform.h"

#include "form1.h"
#include "runtime/optionbutton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QRegularExpression>
#include <QTest>

#include <memory>

class tst_Focus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void answerBoxHandsFocusBackWithoutGotFocus_data();
    void answerBoxHandsFocusBackWithoutGotFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int indexOf(QObject *button) const;

    std::unique_ptr<FakePlatform> platform;   // real boxes; sounds written down
    std::unique_ptr<Form1> form;
    QStringList events;   // "focusIn n reason", "gotFocus n", "box text", "clicked n", in order
};

void tst_Focus::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             "needs a real X server with a window manager (tests/e2e/with-desktop.sh)");
}

void tst_Focus::init()
{
    platform = std::make_unique<FakePlatform>();
    platform->realBoxes = true;
    events.clear();

    form = std::make_unique<Form1>();
    form->Timer1.setEnabled(false); // the countdown is not this test's business
    form->Command1_Click();         // draws the first note, as start-up does
    for (int n = 1; n <= 7; ++n) {
        rt::OptionButton *button = form->Option1[n];
        button->installEventFilter(this);
        connect(button, &rt::OptionButton::gotFocus, this,
                [this, n] { events.append(QStringLiteral("gotFocus %1").arg(n)); });
        connect(button, &QAbstractButton::clicked, this,
                [this, n] { events.append(QStringLiteral("clicked %1").arg(n)); });
    }
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_Focus::cleanup()
{
    form.reset();
    platform.reset();
}

int tst_Focus::indexOf(QObject *button) const
{
    for (int n = 1; n <= 7; ++n)
        if (form->Option1[n] == button)
            return n;
    return 0;
}

bool tst_Focus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && form) {
        const int n = indexOf(watched);
        if (n)
            events.append(QStringLiteral("focusIn %1 %2")
                              .arg(n)
                              .arg(static_cast<QFocusEvent *>(event)->reason()));
    }
    return QObject::eventFilter(watched, event);
}

void tst_Focus::answerBoxHandsFocusBackWithoutGotFocus_data()
{
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("rightAnswers");
    QTest::addColumn<int>("wrongAnswers");
    QTest::addColumn<QString>("nextSound");   // what plays once the box is closed

    QTest::newRow("right") << true << QStringLiteral("Bravo è esatto") << 1 << 0
                           << QStringLiteral("/suoni/[1-7]A\\.wav$");
    QTest::newRow("wrong") << false << QStringLiteral("HAI SBAGLIATO") << 0 << 1
                           << QStringLiteral("/suoni/no\\.wav$");
}

void tst_Focus::answerBoxHandsFocusBackWithoutGotFocus()
{
    QFETCH(bool, right);
    QFETCH(QString, box);
    QFETCH(int, rightAnswers);
    QFETCH(int, wrongAnswers);
    QFETCH(QString, nextSound);

    const int asked = form->figura;
    const int answer = right ? asked : asked % 7 + 1;
    // Another answer button holds the focus, so the click moves it.
    const int other = answer % 7 + 1;
    form->Option1[other]->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(form->Option1[other]->hasFocus());
    QCOMPARE(platform->sounds.size(), 1);
    events.clear();

    BoxCloser closer;
    closer.expect({box});
    connect(&closer, &BoxCloser::answering, this, [this](const QString &text) { events.append(QStringLiteral("box ") + text); });
    QTest::mouseClick(form->Option1[answer], Qt::LeftButton);
    QTRY_COMPARE(closer.seen, QStringList{box});
    // The window manager hands the focus back within a few ms; give it plenty of time.
    QTest::qWait(200);
    QCOMPARE(closer.strays, QStringList());

    // GotFocus comes first, before the click's handler (which opens the box), and only once.
    const QString a = QString::number(answer);
    const QStringList ownEvents = events.filter(QRegularExpression(QStringLiteral("^(gotFocus|box|clicked) ")));
    const QStringList expected{QStringLiteral("gotFocus ") + a, QStringLiteral("box ") + box,
                               QStringLiteral("clicked ") + a};
    QCOMPARE(ownEvents.join(u", "), expected.join(u", "));
    QCOMPARE(events.first(), QStringLiteral("focusIn %1 %2").arg(a).arg(Qt::MouseFocusReason));
    // The focus did come back to the button after the box: without that the check above
    // would prove nothing.
    const int boxAt = events.indexOf(QStringLiteral("box ") + box);
    QVERIFY2(events.indexOf(QStringLiteral("focusIn %1 %2").arg(a).arg(Qt::ActiveWindowFocusReason), boxAt) > boxAt,
             qPrintable(events.join(u", ")));
    QVERIFY(QApplication::activeWindow() == form.get());

    QCOMPARE(int(form->nesatte), rightAnswers);
    QCOMPARE(int(form->nerrate), wrongAnswers);
    QCOMPARE(platform->sounds.size(), 2);
    QVERIFY2(platform->sounds.last().contains(QRegularExpression(nextSound)), qPrintable(platform->sounds.last()));
}

QTEST_MAIN(tst_Focus)
#include "tst_focus.moc"
