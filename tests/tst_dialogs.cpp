#include "runtime/desktopplatform.h"
#include "runtime/desktopsetup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace rt;

// The desktop's own modal boxes, answered from a timer as a person would.
class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBox_data();
    void messageBox();
    void inputBox_data();
    void inputBox();
    void inputBoxSpeaksItalian();
    void platformGoneBeforeItsWarmUp();

private:
    // Calls act on the first modal box that opens; rejects it after a time-out so a
    // failing test cannot hang.
    void whenBoxOpens(std::function<void(QWidget *)> act);
};

void tst_Dialogs::whenBoxOpens(std::function<void(QWidget *)> act)
{
    auto *poll = new QTimer(this);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    connect(poll, &QTimer::timeout, this, [poll, started, act] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            act(box);
        } else if (started->elapsed() > 5000) {
            poll->deleteLater();
            poll->stop();
        }
    });
    poll->start(10);
}

void tst_Dialogs::messageBox_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::newRow("0: no icon") << 0 << int(QMessageBox::NoIcon);
    QTest::newRow("48: exclamation") << 48 << int(QMessageBox::Warning);
    QTest::newRow("64: information") << 64 << int(QMessageBox::Information);
}

void tst_Dialogs::messageBox()
{
    QFETCH(int, buttons);
    QFETCH(int, icon);
    DesktopPlatform desktop;
    QString text, title;
    int shownIcon = -1;
    int buttonCount = -1;
    whenBoxOpens([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box) {
            widget->close();
            return;
        }
        text = box->text();
        title = box->windowTitle();
        shownIcon = box->icon();
        buttonCount = int(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });

    desktop.showMessage(QStringLiteral(" <b>Mario</b> vediamo  "), buttons, QStringLiteral("Velmora"));

    QCOMPARE(text, QStringLiteral(" <b>Mario</b> vediamo  "));
    QCOMPARE(title, QStringLiteral("Velmora"));
    QCOMPARE(shownIcon, icon);
    QCOMPARE(buttonCount, 1);
}

void tst_Dialogs::inputBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("result");
    QTest::newRow("a name") << "Mario" << true << "Mario";
    QTest::newRow("blanks kept") << "  Anna " << true << "  Anna ";
    QTest::newRow("empty field") << "" << true << "";
    QTest::newRow("cancelled") << "Mario" << false << "";
}

void tst_Dialogs::inputBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, confirmed);
    QFETCH(QString, result);
    DesktopPlatform desktop;
    QString prompt, title, startText = QStringLiteral("<not seen>");
    whenBoxOpens([&](QWidget *widget) {
        auto *dialog = qobject_cast<QInputDialog *>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        prompt = dialog->labelText();
        title = dialog->windowTitle();
        auto *field = dialog->findChild<QLineEdit *>();
        startText = field->text();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, confirmed ? Qt::Key_Return : Qt::Key_Escape);
    });

    QCOMPARE(desktop.askText(QStringLiteral("Come ti chiami?"), QStringLiteral("Velmora")), result);
    QCOMPARE(prompt, QStringLiteral("Come ti chiami?"));
    QCOMPARE(title, QStringLiteral("Velmora"));
    QCOMPARE(startText, QString()); // the field opens empty
}

void tst_Dialogs::inputBoxSpeaksItalian()
{
    DesktopPlatform desktop;
    QStringList captions;
    whenBoxOpens([&](QWidget *widget) {
        for (QAbstractButton *button : widget->findChildren<QAbstractButton *>())
            captions << button->text().remove(u'&');
        widget->close();
    });
    QCOMPARE(desktop.askText(QStringLiteral("Come ti chiami?"), QStringLiteral("Velmora")), QString());
    QVERIFY2(captions.contains(QStringLiteral("Annulla")), qPrintable(captions.join(u',')));
}

// The audio warm-up falls due 150 ms after the platform is made; a platform that is gone
// by then takes its warm-up with it (the sanitizer build sees any use after free).
void tst_Dialogs::platformGoneBeforeItsWarmUp()
{
    auto desktop = std::make_unique<DesktopPlatform>();
    desktop.reset();
    QTest::qWait(400);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rt::setUpDesktop(app);
    tst_Dialogs test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dialogs.moc"
