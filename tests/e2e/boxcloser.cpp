#include "boxcloser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {
constexpr int pollMs = 10;
constexpr qint64 closeTimeoutMs = 2000;
} // namespace

BoxCloser::BoxCloser(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(pollMs);
    connect(&m_timer, &QTimer::timeout, this, &BoxCloser::poll);
    m_timer.start();
}

void BoxCloser::expect(const QStringList &texts)
{
    m_expected = texts;
}

void BoxCloser::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    if (box == m_handled) {
        if (m_sinceHandled.elapsed() > closeTimeoutMs) {
            strays.append(QStringLiteral("(did not close) ") + box->text());
            box->reject();
        }
        return;
    }
    // As a pupil would, answer a box once the window manager has given it the focus:
    // only then does the focus go back to the window when it closes.
    if (!box->isActiveWindow() && m_sinceSeen.isValid() && m_sinceSeen.elapsed() < closeTimeoutMs)
        return;
    if (!box->isActiveWindow() && !m_sinceSeen.isValid()) {
        m_sinceSeen.start();
        return;
    }
    m_sinceSeen.invalidate();
    m_handled = box;
    m_sinceHandled.start();
    seen.append(box->text());
    emit answering(box->text());
    if (!m_expected.isEmpty() && box->text() == m_expected.first()) {
        // The next expectation is in place before this box closes: closing it may open
        // the next box at once.
        m_expected.removeFirst();
        box->button(QMessageBox::Ok)->click();
    } else {
        strays.append(box->text());
        box->reject();
    }
}
