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
#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace rt;

namespace {

// A rectangle of the layout, given in twips, in pixels at 96 dots per inch.
QRect fromTwips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

// The labels as designed, each with a caption it shows: its own, or one the program
// writes (a record holder with descenders, the widest score with the record file's line
// end, the clock, a player's name).
struct DesignedLabel
{
    const char *name;
    QRect designed;
    bool autoSize;
    QString shown;
};

const QList<DesignedLabel> &designedLabels()
{
    static const QList<DesignedLabel> labels{
        {"Label2", fromTwips(2400, 0, 2070, 495), true, QStringLiteral("Il record è di")},
        {"lblnome", fromTwips(4440, 0, 3675, 495), false, QStringLiteral("Peggy\r\n")},
        {"Label3", fromTwips(8040, 0, 1695, 495), false, QStringLiteral("con punti")},
        {"lblpunti", fromTwips(9720, 0, 1095, 495), false, QStringLiteral("32767\r\n")},
        {"tempo", fromTwips(4680, 1200, 3255, 615), false, QStringLiteral("Tempo restante")},
        {"lblconto", fromTwips(5160, 2160, 2175, 495), false, QStringLiteral("00:15:00")},
        {"Label6_0", fromTwips(2400, 4200, 1965, 420), true, QStringLiteral("Risposte esatte")},
        {"lblScore", fromTwips(3000, 4920, 555, 1005), true, QStringLiteral("0")},
        {"Label6_1", fromTwips(8640, 4200, 1965, 420), true, QStringLiteral("Risposte errate")},
        {"lblScore1", fromTwips(9360, 4920, 540, 1005), true, QStringLiteral("0")},
        {"Label4", fromTwips(4440, 6240, 1380, 495), true, QStringLiteral("Sfidante")},
        {"lblnome1", fromTwips(5880, 6240, 1140, 495), true, QStringLiteral("Giulia")},
    };
    return labels;
}

// Where a label's caption is inked: the pixels inside its border that stand out from
// what lies under the text (its own colour if opaque, else nothing).
QRect inkedRect(QLabel *label)
{
    QImage image(label->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    label->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const QRgb ground = label->autoFillBackground() ? label->palette().color(label->backgroundRole()).rgba()
                                                    : QRgb(0);
    auto standsOut = [ground](QRgb p) {
        return qAbs(qAlpha(p) - qAlpha(ground)) > 100 || qAbs(qRed(p) - qRed(ground)) > 100
            || qAbs(qGreen(p) - qGreen(ground)) > 100 || qAbs(qBlue(p) - qBlue(ground)) > 100;
    };
    QRect ink;
    const QRect inside = label->contentsRect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (standsOut(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

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
    void labels_data();
    void labels();
    void labelsOverlapOnlyAsDesigned();
    void colours_data();
    void colours();
    void pictures();
    void hiddenControls();
    void tabOrderAndFirstFocus();
    void autoSizeKeepsTheCorner();
    void menus();
    void menuBarShowsEveryEntry_data();
    void menuBarShowsEveryEntry();
    void escapeDrawsANewNote();
    void screenshot();

private:
    QWidget *control(const QString &name) const;
    void showWithCaptions();

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

// The window as a pupil sees it, its labels showing the captions of the design table.
void tst_Layout::showWithCaptions()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    for (const DesignedLabel &row : designedLabels()) {
        auto *label = form->findChild<Label *>(row.name);
        QVERIFY(label);
        if (label->caption() != row.shown)
            label->setCaption(row.shown);
    }
}

void tst_Layout::window()
{
    form->Form_Load();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    QCOMPARE(form->windowTitle(), QStringLiteral("Tarvino "));
    QCOMPARE(form->centralWidget()->size(), QSize(823, 602));
    QCOMPARE(form->centralWidget()->y(), form->menuBar()->height()); // below the menu bar
    // A fixed dialog frame: nothing to resize, no minimise or maximise button.
    QCOMPARE(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!form->windowIcon().isNull());

    // Both custom pointers act where their figure is drawn, not in a transparent corner.
    const QCursor window = form->centralWidget()->cursor();
    const QCursor button = form->Command1->cursor();
    QCOMPARE(window.shape(), Qt::BitmapCursor);
    QCOMPARE(button.shape(), Qt::BitmapCursor);
    QVERIFY(button.pixmap().toImage() != window.pixmap().toImage());
    for (const QCursor &cursor : {window, button}) {
        const QImage picture = cursor.pixmap().toImage();
        const QPoint spot = cursor.hotSpot();
        for (QPoint near : {QPoint(0, 0), QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            QVERIFY2(qAlpha(picture.pixel(spot + near)) == 255,
                     qPrintable(QStringLiteral("hot spot %1,%2").arg(spot.x()).arg(spot.y())));
    }
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
    if (label && label->autoSize())
        QCOMPARE(widget->pos(), geometry.topLeft()); // its size: labels()
    else
        QCOMPARE(widget->geometry(), geometry);
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

void tst_Layout::labels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("designed");
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<QString>("shown");
    for (const DesignedLabel &row : designedLabels())
        QTest::newRow(row.name) << QString(row.name) << row.designed << row.autoSize << row.shown;
}

// Each label as rendered, against the design table: a fixed label keeps its rectangle, an
// AutoSize one takes its caption's extent plus the border from the designed corner, and
// with the stand-in fonts each comes out at or inside its designed box. The caption's
// first line is inked where the platform puts it, from the top inside the border, left
// or centred, with no indent, and its ascent and descent fit the box.
void tst_Layout::labels()
{
    QFETCH(QString, name);
    QFETCH(QRect, designed);
    QFETCH(bool, autoSize);
    QFETCH(QString, shown);
    showWithCaptions();
    auto *label = form->findChild<Label *>(name);
    QVERIFY(label);
    QCOMPARE(label->autoSize(), autoSize);
    QCOMPARE(label->caption(), shown);

    const QString line = shown.section(QRegularExpression(QStringLiteral("\r\n|\r|\n")), 0, 0);
    const QFontMetricsF metrics(label->font());
    const qreal advance = metrics.horizontalAdvance(line);
    const int border = label->frameWidth();
    QVERIFY(border > 0);
    if (autoSize) {
        QCOMPARE(label->pos(), designed.topLeft());
        QVERIFY2(qAbs(label->width() - (advance + 2 * border)) <= 1,
                 qPrintable(QStringLiteral("%1 wide, caption %2").arg(label->width()).arg(advance)));
        QCOMPARE(label->height(), QFontMetrics(label->font()).height() + 2 * border);
        QVERIFY2(designed.contains(label->geometry()),
                 qPrintable(QStringLiteral("%1 × %2 past the designed %3 × %4")
                                .arg(label->width()).arg(label->height())
                                .arg(designed.width()).arg(designed.height())));
    } else {
        QCOMPARE(label->geometry(), designed);
    }

    const QRect inside = label->contentsRect();
    const QFontMetrics wholePixels(label->font());
    const int lineHeight = wholePixels.height();
    QVERIFY2(lineHeight <= inside.height(),
             qPrintable(QStringLiteral("a line of %1 px in %2 px").arg(lineHeight).arg(inside.height())));
    const bool centred = label->alignment() & Qt::AlignHCenter;
    const qreal left = centred ? inside.left() + (inside.width() - advance) / 2 : inside.left();
    const QRect expected =
        metrics.tightBoundingRect(line).translated(left, inside.top() + wholePixels.ascent()).toAlignedRect();
    // Glyph outlines are whole pixels and may stand a pixel past their advance.
    QVERIFY2(inside.adjusted(-1, 0, 1, 0).contains(expected), "the caption is cut by the border");
    const QRect ink = inkedRect(label);
    const auto where = [](QRect r) {
        return QStringLiteral("%1,%2 %3×%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QVERIFY2(qAbs(ink.left() - expected.left()) <= 2 && qAbs(ink.right() - expected.right()) <= 2
                 && qAbs(ink.top() - expected.top()) <= 2 && qAbs(ink.bottom() - expected.bottom()) <= 2,
             qPrintable(QStringLiteral("inked at %1, expected at %2").arg(where(ink), where(expected))));
}

void tst_Layout::labelsOverlapOnlyAsDesigned()
{
    showWithCaptions();
    const QList<DesignedLabel> &labels = designedLabels();
    for (qsizetype i = 0; i < labels.size(); ++i) {
        for (qsizetype j = i + 1; j < labels.size(); ++j) {
            const QRect a = control(labels[i].name)->geometry();
            const QRect b = control(labels[j].name)->geometry();
            if (a.intersects(b))
                QVERIFY2(labels[i].designed.intersects(labels[j].designed),
                         qPrintable(QStringLiteral("%1 runs into %2").arg(labels[i].name, labels[j].name)));
        }
    }
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

void tst_Layout::menuBarShowsEveryEntry_data()
{
    QTest::addColumn<int>("points");
    for (int points : {9, 10, 11})
        QTest::addRow("%d pt", points) << points;
}

// At the desktop fonts in common use every entry stands in the bar, in order, and none
// slips into the overflow button: "Esci" is the only way to end with the record check.
void tst_Layout::menuBarShowsEveryEntry()
{
    QFETCH(int, points);
    const QFont desktop = QApplication::font();
    auto restore = qScopeGuard([&] { QApplication::setFont(desktop); });
    QFont font = desktop;
    font.setPointSize(points);
    QApplication::setFont(font);
    form.reset();
    form = std::make_unique<Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    QMenuBar *bar = form->menuBar();
    QCOMPARE(QFontInfo(bar->font()).pointSize(), points);
    int right = -1;
    for (QAction *action : bar->actions()) {
        const QRect place = bar->actionGeometry(action);
        QVERIFY2(!place.isEmpty() && bar->rect().contains(place), qPrintable(action->text()));
        QVERIFY(place.left() > right);
        right = place.right();
    }
    const auto *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
    QVERIFY(!overflow || overflow->isHidden());
}

// The new-note button is the window's cancel button: while it is there, Escape draws a
// new note wherever the focus lies, and leaves the focus where it was.
void tst_Layout::escapeDrawsANewNote()
{
    platform->typedName = QStringLiteral("Mario");
    form->Form_Load();
    form->Timer1.setEnabled(false);
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->Option1[3]->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), form->Option1[3]);

    const qsizetype sounds = platform->sounds.size();
    QTest::keyClick(form->Option1[3], Qt::Key_Escape);
    QTRY_COMPARE(platform->sounds.size(), sounds + 1);
    QVERIFY2(platform->sounds.last().endsWith(QStringLiteral("%1A.wav").arg(int(form->figura))),
             qPrintable(platform->sounds.last())); // the question of a new draw
    QCOMPARE(QApplication::focusWidget(), form->Option1[3]);

    // After an answer the button is gone, and Escape with it.
    const int wrong = form->figura == 1 ? 2 : 1;
    QTest::mouseClick(form->Option1[wrong], Qt::LeftButton);
    QVERIFY(!form->Command1->isVisible());
    const qsizetype afterAnswer = platform->sounds.size();
    QTest::keyClick(form->Option1[wrong], Qt::Key_Escape);
    QTest::qWait(300);
    QCOMPARE(platform->sounds.size(), afterAnswer);
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
