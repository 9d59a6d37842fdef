#include "layoutfonts.h"

#include <QWidget>

namespace rt {

namespace {

void apply(QWidget *widget)
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

void applyLayoutFonts(QWidget *root)
{
    apply(root);
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children)
        apply(child);
}

} // namespace rt
