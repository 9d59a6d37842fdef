#include "fakeplatform.h"

#include "form1.h"
#include "runtime/commandbutton.h"
#include "runtime/desktopsetup.h"
#include "runtime/formsurface.h"
#include "runtime/label.h"
#include "runtime/optionbutton.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace rt;

// The window as designed: every control where the layout puts it, with its captions,
// fonts, colours and tool tips, and its menus.
class tst_Layout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void controls_data();
    void controls();
    void colours_data();
    void colours();
    void pictures();
    void hiddenControls();
    void tabOrderAndFirstFocus();
    void autoSizeKeepsTheCorner();
    void menus();
    void screenshot();

private:
    QWidget *control(const QString &name) const;

    QTemporaryDir m_home;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<Form1> form;
};

void tst_Layout::initTestCase()
{
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
}

void tst_Layout::init()
{
    platform = std::make_unique<FakePlatform>();
    form = std::make_unique<Form1>();
}

void tst_Layout::cleanup()
{
    form.reset();
    platform.reset();
}

QWidget *tst_Layout::control(const QString &name) const
{
    return form->findChild<QWidget *>(name);
}

void tst_Layout::window()
{
    form->Form_Load();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    QCOMPARE(form->windowTitle(), QStringLiteral("Tarvino "));
    QCOMPARE(form->centralWidget()->size(), QSize(823, 602));
    QCOMPARE(form->centralWidget()->y(), form->menuBar()->height()); // below the menu bar
    QCOMPARE(form->minimumSize(), form->maximumSize());               // a fixed frame
    QVERIFY(!form->windowIcon().isNull());
    QCOMPARE(form->centralWidget()->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(form->Command1->cursor().shape(), Qt::BitmapCursor);
    QVERIFY(form->Command1->cursor().pixmap().toImage() != form->centralWidget()->cursor().pixmap().toImage());
}

void tst_Layout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QString>("toolTip");

    const QString ms = QStringLiteral("MS Sans Serif");
    const QStringList options{"Semibreve ", "Minima ", "Semiminima", "Croma", "Semicroma  ", "Biscroma",
                              "Semibiscroma"};
    for (int n = 1; n <= 7; ++n)
        QTest::addRow("Option1(%d)", n)
            << QStringLiteral("Option1_%1").arg(n) << QRect(8, 8 + 80 * (n - 1), 121, 73) << options[n - 1] << ms
            << 9.75 << 700 << (n == 1 ? QStringLiteral("Clicca sul pulsante con il nome della nota") : QString());

    auto add = [](const char *name, QRect geometry, const QString &caption, const QString &family, double points,
                  int weight, const QString &tip = {}) {
        QTest::newRow(name) << QString(name) << geometry << caption << family << points << weight << tip;
    };
    add("Command1", {432, 704, 113, 77}, "Nuova nota", ms, 8.25, 700, "Per avere un'altra nota cliccami.");
    add("Label2", {160, 0, 138, 33}, "Il record è di", ms, 18, 400);
    add("lblnome", {296, 0, 245, 33}, "", ms, 18, 400);
    add("Label3", {536, 0, 113, 33}, "con punti", ms, 18, 400);
    add("lblpunti", {648, 0, 73, 33}, "Label3", ms, 18, 400);
    add("tempo", {312, 80, 217, 41}, "Tempo restante", ms, 18, 400);
    add("lblconto", {344, 144, 145, 33}, "00.00.00", "Arial Black", 18, 900);
    add("Label6_0", {160, 280, 131, 28}, "Risposte esatte", ms, 13.5, 400);
    add("lblScore", {200, 328, 37, 67}, "0", "Times New Roman", 36, 700,
        QStringLiteral("Questo è il tuo punteggio. Forza con il  record"));
    add("Label6_1", {576, 280, 131, 28}, "Risposte errate", ms, 13.5, 400);
    add("lblScore1", {624, 328, 36, 67}, "0", "Times New Roman", 36, 700);
    add("Label4", {296, 416, 92, 33}, "Sfidante", ms, 18, 400);
    add("lblnome1", {392, 416, 76, 33}, "Nome ", ms, 18, 400);
}

void tst_Layout::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(int, weight);
    QFETCH(QString, toolTip);

    QWidget *widget = control(name);
    QVERIFY(widget);
    widget->ensurePolished(); // as showing the window does
    auto *label = qobject_cast<Label *>(widget);
    if (label && label->autoSize()) {
        // The stand-in font is not the designed one: the label fits its caption from
        // the designed corner.
        QCOMPARE(widget->pos(), geometry.topLeft());
        QCOMPARE(widget->size(), widget->sizeHint());
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
    if (label)
        QCOMPARE(label->caption(), caption);
    else
        QCOMPARE(qobject_cast<QAbstractButton *>(widget)->text(), caption);
    QCOMPARE(widget->font().family(), family);
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(int(widget->font().weight()), weight);
    QCOMPARE(widget->toolTip(), toolTip);
    // The font the layout names is not on this desktop; its nearest equivalent is.
    const QHash<QString, QString> standIns{{"MS Sans Serif", "Liberation Sans"},
                                           {"Times New Roman", "Liberation Serif"},
                                           {"Arial Black", "Lato"}};
    const QFontInfo shown(widget->font());
    QVERIFY2(shown.family().startsWith(standIns.value(family)), qPrintable(shown.family()));
    QCOMPARE(shown.weight(), weight);
}

void tst_Layout::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<QColor>("back"); // invalid: transparent
    QTest::addColumn<bool>("centred");

    const QColor blue(0, 0, 255), magenta(255, 0, 255), darkRed(0xC0, 0, 0), grey(0xE0, 0xE0, 0xE0),
        silver(0xC0, 0xC0, 0xC0);
    QTest::newRow("Label2") << "Label2" << blue << QColor() << false;
    QTest::newRow("lblnome") << "lblnome" << blue << QColor() << true;
    QTest::newRow("Label3") << "Label3" << blue << QColor() << false;
    QTest::newRow("lblpunti") << "lblpunti" << blue << QColor() << true;
    QTest::newRow("tempo") << "tempo" << magenta << QColor() << true;
    QTest::newRow("lblconto") << "lblconto" << magenta << QColor() << true;
    QTest::newRow("Label6_0") << "Label6_0" << QColor(0, 0xC0, 0xC0) << grey << true;
    QTest::newRow("lblScore") << "lblScore" << QColor(0, 255, 0) << silver << true;
    QTest::newRow("Label6_1") << "Label6_1" << QColor(255, 0, 0) << grey << true;
    QTest::newRow("lblScore1") << "lblScore1" << QColor(255, 0, 0) << silver << true;
    QTest::newRow("Label4") << "Label4" << darkRed << QColor() << false;
    QTest::newRow("lblnome1") << "lblnome1" << darkRed << QColor() << true;
}

void tst_Layout::colours()
{
    QFETCH(QString, name);
    QFETCH(QColor, fore);
    QFETCH(QColor, back);
    QFETCH(bool, centred);
    auto *label = qobject_cast<QLabel *>(control(name));
    QVERIFY(label);
    QCOMPARE(label->palette().color(QPalette::WindowText), fore);
    QCOMPARE(label->autoFillBackground(), back.isValid());
    if (back.isValid())
        QCOMPARE(label->palette().color(QPalette::Window), back);
    QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), centred);
    QVERIFY(label->frameShape() != QFrame::NoFrame); // every label has its single border
}

void tst_Layout::pictures()
{
    const QList<QSize> buttonPictures{{84, 66}, {73, 62}, {86, 61}, {54, 54}, {72, 62}, {60, 51}, {51, 50}};
    const QList<QSize> notePictures{{103, 197}, {102, 197}, {95, 197}, {96, 201}, {90, 199}, {106, 236}, {90, 201}};
    for (int n = 1; n <= 7; ++n) {
        QCOMPARE(form->Option1[n]->icon().availableSizes().value(0), buttonPictures[n - 1]);
        QCOMPARE(form->Image1[n]->pixmap().size(), notePictures[n - 1]);
    }
    auto *surface = qobject_cast<FormSurface *>(form->centralWidget());
    QVERIFY(surface);
    QCOMPARE(surface->picture().size(), QSize(906, 711));
    for (int k = 0; k < 3; ++k)
        QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Picture3_%1").arg(k))->pixmap().size(), QSize(300, 100));
    QCOMPARE(form->Command1->icon().availableSizes().value(0), QSize(50, 80));
    QCOMPARE(form->Command1->icon().availableSizes(QIcon::Disabled).value(0), QSize(50, 80));
}

void tst_Layout::hiddenControls()
{
    QWidget *box = control(QStringLiteral("Picture1"));
    QVERIFY(box->isHidden());
    QCOMPARE(box->geometry(), QRect(-96, 536, 910, 715));
    QCOMPARE(form->Command4->parentWidget(), box);
    QCOMPARE(form->Command4->geometry(), QRect(152, 40, 49, 57));
    QCOMPARE(form->Command4->text(), QStringLiteral("Command4"));
    // The new-note button lies below the client area; the third strip is cut by its edge.
    QVERIFY(form->Command1->y() >= 602);
    QCOMPARE(control(QStringLiteral("Picture3_2"))->geometry(), QRect(720, 456, 217, 105));
    QCOMPARE(form->Timer1.interval(), 1000);
    QVERIFY(form->Timer1.isEnabled());
}

void tst_Layout::tabOrderAndFirstFocus()
{
    form->Form_Load();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    QCOMPARE(QApplication::focusWidget(), form->Command1);
    QStringList order;
    QWidget *w = form->Command1;
    for (int i = 0; i < 8; ++i) {
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(form.get()))
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    QCOMPARE(order, (QStringList{"Option1_1", "Option1_2", "Option1_3", "Option1_4", "Option1_5", "Option1_6",
                                 "Option1_7", "Command1"}));

    // When the window first shows, Space presses the new-note button: a new draw.
    const qsizetype sounds = platform->sounds.size();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(platform->sounds.size(), sounds + 1);
    QVERIFY(platform->boxes.size() == 1); // only the greeting
}

void tst_Layout::autoSizeKeepsTheCorner()
{
    const QPoint corner = form->lblnome1->pos();
    form->lblnome1->setCaption(QStringLiteral("Maria Antonietta Bevilacqua"));
    const int wide = form->lblnome1->width();
    QCOMPARE(form->lblnome1->pos(), corner);
    form->lblnome1->setCaption(QStringLiteral("Al"));
    QVERIFY(form->lblnome1->width() < wide);
    QCOMPARE(form->lblnome1->pos(), corner);

    const int oneDigit = form->lblScore->width();
    form->lblScore->setCaption(QStringLiteral("123"));
    QVERIFY(form->lblScore->width() > oneDigit);

    // A label without AutoSize keeps its size.
    const QSize size = form->lblpunti->size();
    form->lblpunti->setCaption(QStringLiteral("32767\r\n"));
    QCOMPARE(form->lblpunti->size(), size);
}

void tst_Layout::menus()
{
    const QList<QAction *> bar = form->menuBar()->actions();
    QStringList captions;
    QStringList names;
    for (QAction *action : bar) {
        captions << action->text();
        names << (action->menu() ? action->menu()->objectName() : action->objectName());
        QVERIFY2(!action->text().contains(u'&'), qPrintable(action->text()));
        QVERIFY(action->shortcut().isEmpty());
    }
    QCOMPARE(names, (QStringList{"ist", "copy", "ripeti", "Risposte", "help", "exit"}));
    QCOMPARE(captions[0], QStringLiteral("Scuola"));
    QCOMPARE(captions[3], QStringLiteral("Risposte"));
    QCOMPARE(captions[4], QStringLiteral("Help"));
    QCOMPARE(captions[5], QStringLiteral("Esci"));

    auto items = [](QAction *action) {
        QStringList list;
        for (QAction *item : action->menu()->actions()) {
            list << item->objectName();
            if (item->objectName() == u"esatte")
                list << item->text();
            if (item->objectName() == u"sbagliate")
                list << item->text();
        }
        return list;
    };
    QCOMPARE(items(bar[0]), QStringList{"scuola"});
    QCOMPARE(items(bar[1]), QStringList{"via"});
    QCOMPARE(items(bar[3]), (QStringList{"esatte", "Risposte esatte", "sbagliate", "Risposte errate"}));
    QVERIFY(!bar[2]->menu());
    QVERIFY(!bar[4]->menu());
    QVERIFY(!bar[5]->menu());
}

void tst_Layout::screenshot()
{
    platform->typedName = QStringLiteral("Mario");
    form->Form_Load();
    form->Timer1.setEnabled(false);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    // tools/screenshot names where the picture goes; by default it stays in the sandbox.
    const QString path = qEnvironmentVariable("VELMORA_SCREENSHOT",
                                              QDir::temp().filePath(QStringLiteral("velmora-form1.png")));
    QVERIFY(form->grab().save(path));
    qInfo("window as it first shows: %s", qPrintable(path));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::setUpDesktop(app);
    tst_Layout test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_layout.moc"
