#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QMessageBox;

// Answers the real modal boxes a test opens: every 10 ms it looks at the active modal
// widget; once the box has the focus (or two seconds have passed), a box with the text
// expected next is closed with its OK button and any other box is rejected; so is a box
// still open two seconds after its OK was clicked.
// Every box is written down, so that the test checks them after they are gone.
class BoxCloser : public QObject
{
    Q_OBJECT

public:
    explicit BoxCloser(QObject *parent = nullptr);

    // The texts of the boxes to close with OK, in the order they should come.
    void expect(const QStringList &texts);

    QStringList seen;     // the text of every box, in order
    QStringList strays;   // the boxes that were rejected

signals:
    // A box is about to be answered (while it is still open).
    void answering(const QString &text);

private:
    void poll();

    QTimer m_timer;
    QStringList m_expected;
    QPointer<QMessageBox> m_handled;
    QElapsedTimer m_sinceHandled;
    QElapsedTimer m_sinceSeen;     // a box not yet active: how long it has waited
};
