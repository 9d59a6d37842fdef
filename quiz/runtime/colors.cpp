#include "colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace rt {

namespace {

QPalette::ColorRole systemRole(int index)
{
    switch (index) {
    case 5: return QPalette::Base;              // window background
    case 8: return QPalette::Text;              // window text
    case 9: return QPalette::HighlightedText;   // caption text
    case 13: return QPalette::Highlight;        // selected items
    case 14: return QPalette::HighlightedText;  // text of selected items
    case 15: return QPalette::Button;           // button face
    case 18: return QPalette::ButtonText;       // button text
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
    }
}

} // namespace

QColor toColor(quint32 value)
{
    if (value & 0x80000000u)
        return QGuiApplication::palette().color(systemRole(int(value & 0xFFu)));
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

} // namespace rt
