#pragma once

#include <QToolButton>

namespace rt {

// An option button in graphical style: a push button that stays down while selected.
// The option buttons that share a parent form one group: selecting one unselects the
// others, and unlike a Qt exclusive group all of them can be unselected.
//
// A click on a button that lacks the focus gives gotFocus(), then selects the button,
// then gives clicked(). gotFocus() comes only when the focus arrives from another
// control: the focus handed back when a dialog or a menu closes is not a new focus.
class OptionButton : public QToolButton
{
    Q_OBJECT

public:
    explicit OptionButton(QWidget *parent = nullptr);

    bool value() const;
    void setValue(bool selected);

    void setBackColor(quint32 color);
    void setForeColor(quint32 color);

signals:
    void gotFocus();

protected:
    void paintEvent(QPaintEvent *event) override;
    void nextCheckState() override;
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace rt
