#include "layoutfinish.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace rt {

namespace {

void applyFont(QWidget *widget)
{
    const QVariant size = widget->property("pointSizeF");
    const QVariant weight = widget->property("fontWeight");
    if (!size.isValid() && !weight.isValid())
        return;
    QFont font = widget->font();
    if (size.isValid())
        font.setPointSizeF(size.toDouble());
    if (weight.isValid())
        font.setWeight(QFont::Weight(weight.toInt()));
    widget->setFont(font);
}

void applyFixedDialogFrame(QWidget *window)
{
    if (window->layout())
        window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    else
        window->setFixedSize(window->size());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
}

void centreOnScreen(QWidget *window)
{
    if (window->layout())
        window->layout()->activate(); // the size it will open with
    const QRect screen = window->screen()->availableGeometry();
    // The frame the window manager adds is not known before the window shows.
    QRect placed(QPoint(), window->size());
    placed.moveCenter(screen.center());
    window->move(std::max(placed.left(), screen.left()), std::max(placed.top(), screen.top()));
}

} // namespace

void finishLayout(QWidget *root)
{
    applyFont(root);
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children)
        applyFont(child);

    if (root->property("borderStyle").toInt() == 3)
        applyFixedDialogFrame(root);
    if (root->property("startUpPosition").toInt() == 1)
        centreOnScreen(root);
}

} // namespace rt
