#include "layoutfinish.h"

#include <QWidget>

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

} // namespace

void finishLayout(QWidget *root)
{
    applyFont(root);
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children)
        applyFont(child);
}

} // namespace rt
